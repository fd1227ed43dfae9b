#include "catalog/file_list.h"

#include <gtest/gtest.h>

#include "catalog/catalogue.h"
#include "catalog/database_error.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/catalogue_queries.h"

namespace {

using catalog::SqlType;
using catalog::SqlValue;
using testing_support::CountRows;
using testing_support::QueryCatalogue;

struct TraceRow {
    std::string sta;
    double tbegin, tqty;
    std::string ch;
    double sps;
    std::int32_t gain;
    std::string cpath;
    std::int32_t foff, datatype;
    std::string creater;
    bool hasLddate;
};

class RegisterTraceFileTest : public testing_support::CatalogueTest {
protected:
    std::vector<TraceRow> RowsOf(const std::string& cpath) {
        std::vector<TraceRow> rows;
        for (auto& r : QueryCatalogue(
                 "SELECT STA, TBEGIN, TQTY, CH, SPS, GAIN, CPATH, FOFF, DATATYPE, CREATER, LDDATE "
                 "FROM FILELIST WHERE CPATH=?",
                 {SqlType::Text, SqlType::Double, SqlType::Double, SqlType::Text, SqlType::Double,
                  SqlType::Integer, SqlType::Text, SqlType::Integer, SqlType::Integer,
                  SqlType::Text, SqlType::Timestamp},
                 {cpath}))
            rows.push_back({std::get<std::string>(r[0]), std::get<double>(r[1]),
                            std::get<double>(r[2]), std::get<std::string>(r[3]),
                            std::get<double>(r[4]), std::get<std::int32_t>(r[5]),
                            std::get<std::string>(r[6]), std::get<std::int32_t>(r[7]),
                            std::get<std::int32_t>(r[8]), std::get<std::string>(r[9]),
                            std::holds_alternative<catalog::Timestamp>(r[10])});
        return rows;
    }
};

TEST_P(RegisterTraceFileTest, WritesEveryColumnAndLeavesLddateToTheTable) {
    RegisterTraceFile(theDatabase, "OBN", 1196346645.5, 3600.0, "SHZ", 100.0, 8,
                      "OBN/14281107.00/143045281107.SHZ");
    auto rows = RowsOf("OBN/14281107.00/143045281107.SHZ");
    ASSERT_EQ(rows.size(), 1u);
    const TraceRow& row = rows[0];
    EXPECT_EQ(row.sta, "OBN");
    EXPECT_EQ(row.tbegin, 1196346645.5);
    EXPECT_EQ(row.tqty, 3600.0);
    EXPECT_EQ(row.ch, "SHZ");
    EXPECT_EQ(row.sps, 100.0);
    EXPECT_EQ(row.gain, 8);
    EXPECT_EQ(row.foff, 512);
    EXPECT_EQ(row.datatype, 5);
    EXPECT_EQ(row.creater, "KELVARON");
    EXPECT_TRUE(row.hasLddate);
}

TEST_P(RegisterTraceFileTest, TheSameTraceTwiceKeepsOneRowWithTheSecondValues) {
    const std::string path = "OBN/14281107.00/143045281107.SHZ";
    RegisterTraceFile(theDatabase, "OBN", 1000.0, 60.0, "SHZ", 100.0, 1, path);
    RegisterTraceFile(theDatabase, "OBN", 1000.0, 59.5, "SHZ", 99.75, 16, path);
    RegisterTraceFile(theDatabase, "ARU", 2000.0, 10.0, "SHN", 50.0, 1, "ARU/other.SHN");
    auto rows = RowsOf(path);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].tqty, 59.5);
    EXPECT_EQ(rows[0].sps, 99.75);
    EXPECT_EQ(rows[0].gain, 16);
    EXPECT_EQ(CountRows("FILELIST"), 2);
}

TEST_P(RegisterTraceFileTest, StartsAndRatesKeepTheirFractions) {
    const double start = 1196346600.0 + double(45.3f);
    const double rate = 100.0 / 1.0000001;
    RegisterTraceFile(theDatabase, "OBN", start, 12.345678, "SHZ", rate, 1, "p");
    auto rows = RowsOf("p");
    ASSERT_EQ(rows.size(), 1u);
    // The SQLite driver hands doubles over as 15-digit text: a microsecond
    // of an epoch start is what both back ends keep.
    EXPECT_NEAR(rows[0].tbegin, start, 1e-6);
    EXPECT_NEAR(rows[0].tqty, 12.345678, 1e-12);
    EXPECT_NEAR(rows[0].sps, rate, 1e-12);
}

TEST_P(RegisterTraceFileTest, PathsWithApostrophesOrCyrillicWork) {
    for (const std::string path : {"O'NEIL/00010101.00/x.SHZ", "ОБН/1.SHZ", "a' OR '1'='1"}) {
        SCOPED_TRACE(path);
        RegisterTraceFile(theDatabase, "O'NEIL", 1.0, 2.0, "SHZ", 100.0, 1, path);
        RegisterTraceFile(theDatabase, "O'NEIL", 1.0, 3.0, "SHZ", 100.0, 1, path);
        auto rows = RowsOf(path);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].tqty, 3.0);
        EXPECT_EQ(rows[0].sta, "O'NEIL");
    }
    EXPECT_EQ(CountRows("FILELIST"), 3);
}

TEST_P(RegisterTraceFileTest, FailedInsertAfterTheDeleteKeepsTheOldRow) {
    const std::string path = "OBN/a.SHZ";
    RegisterTraceFile(theDatabase, "OBN", 1.0, 60.0, "SHZ", 100.0, 4, path);
    backend().RejectInserts("FILELIST", "CH", "BAD");
    EXPECT_THROW(RegisterTraceFile(theDatabase, "OBN", 1.0, 0.0, "BAD", 100.0, 2, path),
                 catalog::DatabaseError);
    auto rows = RowsOf(path);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].ch, "SHZ");
    EXPECT_EQ(rows[0].tqty, 60.0);
    EXPECT_EQ(rows[0].gain, 4);
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(RegisterTraceFileTest);

}  // namespace
