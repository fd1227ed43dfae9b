#include "catalog/event_list.h"

#include <gtest/gtest.h>

#include "catalog/catalogue.h"
#include "catalog/database_error.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/catalogue_queries.h"

namespace {

using catalog::SqlType;
using testing_support::CountRows;
using testing_support::ExecuteOnCatalogue;
using testing_support::QueryCatalogue;

class RegisterEventTest : public testing_support::CatalogueTest {
protected:
    void InsertEvent(const std::string& station, double start, int type) {
        ExecuteOnCatalogue("INSERT INTO eventlist (sta, tbegin, event_type) VALUES (?, ?, ?)",
                           {station, start, std::int32_t{type}});
    }
    // event_type of every row of station at start.
    std::vector<std::int32_t> TypesOf(const std::string& station, double start) {
        std::vector<std::int32_t> types;
        for (auto& row : QueryCatalogue("SELECT event_type FROM eventlist WHERE sta=? AND tbegin=?",
                                        {SqlType::Integer}, {station, start}))
            types.push_back(std::get<std::int32_t>(row[0]));
        return types;
    }
};

TEST_P(RegisterEventTest, NewEventGetsTypeOneAndTheTablesDefaults) {
    RegisterEvent(theDatabase, "OBN", 1196346645.5);
    auto rows = QueryCatalogue(
        "SELECT nindex, sta, tbegin, event_type, lddate FROM eventlist",
        {SqlType::Integer, SqlType::Text, SqlType::Double, SqlType::Integer, SqlType::Timestamp});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_FALSE(std::holds_alternative<std::monostate>(rows[0][0])) << "nindex default";
    EXPECT_EQ(std::get<std::string>(rows[0][1]), "OBN");
    EXPECT_EQ(std::get<double>(rows[0][2]), 1196346645.5);
    EXPECT_EQ(std::get<std::int32_t>(rows[0][3]), 1);
    ASSERT_TRUE(std::holds_alternative<catalog::Timestamp>(rows[0][4])) << "lddate default";
    EXPECT_GE(std::get<catalog::Timestamp>(rows[0][4]).year, 2024);
}

// Starts with a float fraction (45.3 s as the recorder's float seconds) are
// found again: the lookup compares the double itself, not a rendering of it.
TEST_P(RegisterEventTest, TheSameEventTwiceLeavesOneRowOfTypeOne) {
    for (double start : {1196346645.5, 1196346600.0 + double(45.3f), 1196346645.0}) {
        SCOPED_TRACE(start);
        InsertEvent("OBN", start, 7);
        RegisterEvent(theDatabase, "OBN", start);
        RegisterEvent(theDatabase, "OBN", start);
        EXPECT_EQ(TypesOf("OBN", start), std::vector<std::int32_t>{1});
    }
    EXPECT_EQ(CountRows("eventlist"), 3);
}

TEST_P(RegisterEventTest, OtherStationsAndStartsAreLeftAlone) {
    InsertEvent("OBN", 100.25, 7);
    InsertEvent("OBN", 200.0, 7);
    InsertEvent("ARU", 100.25, 7);
    RegisterEvent(theDatabase, "OBN", 100.25);
    EXPECT_EQ(TypesOf("OBN", 100.25), std::vector<std::int32_t>{1});
    EXPECT_EQ(TypesOf("OBN", 200.0), std::vector<std::int32_t>{7});
    EXPECT_EQ(TypesOf("ARU", 100.25), std::vector<std::int32_t>{7});
}

TEST_P(RegisterEventTest, StationNamesWithApostrophesOrCyrillicWork) {
    for (const std::string station : {"O'Neil", "Обнинск", "x' OR '1'='1"}) {
        SCOPED_TRACE(station);
        RegisterEvent(theDatabase, station, 500.0);
        RegisterEvent(theDatabase, station, 500.0);
        EXPECT_EQ(TypesOf(station, 500.0), std::vector<std::int32_t>{1});
    }
    EXPECT_EQ(CountRows("eventlist"), 3);
}

TEST_P(RegisterEventTest, FailedInsertAfterTheDeleteKeepsTheOldRow) {
    InsertEvent("OBN", 300.5, 7);
    backend().RejectInserts("eventlist", "sta", "OBN");
    EXPECT_THROW(RegisterEvent(theDatabase, "OBN", 300.5), catalog::DatabaseError);
    EXPECT_EQ(TypesOf("OBN", 300.5), std::vector<std::int32_t>{7});
    // The connection is back in autocommit mode: a plain insert survives a
    // reconnect, which would discard anything left uncommitted.
    InsertEvent("ARU", 1.0, 7);
    theDatabase.Close();
    ASSERT_TRUE(theDatabase.Open(catalog::ComposeConnectionString(backend().Login())));
    EXPECT_EQ(TypesOf("ARU", 1.0), std::vector<std::int32_t>{7});
    EXPECT_EQ(TypesOf("OBN", 300.5), std::vector<std::int32_t>{7});
}

TEST_P(RegisterEventTest, MissingTableRaisesTheDatabaseError) {
    ExecuteOnCatalogue("DROP TABLE eventlist");
    EXPECT_THROW(RegisterEvent(theDatabase, "OBN", 1.0), catalog::DatabaseError);
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(RegisterEventTest);

}  // namespace
