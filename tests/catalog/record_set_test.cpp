// The record-set base through the three record sets: exchange order, the
// snapshot, NULLs, inserts of assigned columns only, transactions, errors.
#include "catalog/record_set.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "catalog/catalogue.h"
#include "catalog/chan_list.h"
#include "catalog/database_error.h"
#include "catalog/event_list.h"
#include "catalog/file_list.h"
#include "catalog/transaction_guard.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/catalogue_queries.h"

namespace {

using catalog::SqlType;
using testing_support::CountRows;
using testing_support::ExecuteOnCatalogue;
using testing_support::QueryCatalogue;

class RecordSetTest : public testing_support::CatalogueTest {
protected:
    // The SELECT a record set sends, with the driver's quote written as ".
    static std::string Select(const catalog::RecordSet& set) {
        std::string sql = set.SelectSql();
        for (char& c : sql)
            if (c == theDatabase.IdentifierQuoteChar()) c = '"';
        return sql;
    }
};

TEST_P(RecordSetTest, QueriesNameTheColumnsInExchangeOrderQuotedForTheDriver) {
    CEventList events(theDatabase);
    events.SetFilter({{"sta", std::string("OBN")}, {"tbegin", 1.0}});
    EXPECT_EQ(Select(events),
              "SELECT \"nindex\",\"sta\",\"tbegin\",\"event_type\",\"lddate\" FROM \"eventlist\" "
              "WHERE sta=? and tbegin=?");
    CChanList channels(theDatabase);
    channels.SetFilter({{"sta", std::string("OBN")}});
    EXPECT_EQ(Select(channels),
              "SELECT \"sta\",\"chan\",\"ngroup\",\"chanindex\",\"edeph\",\"lat\",\"lon\",\"sps\","
              "\"hang\",\"vang\",\"descr\",\"calibfile\",\"lddate\" FROM \"sitechan\" WHERE sta=?");
    CFileList files(theDatabase);
    files.SetFilter({{"cpath", std::string("p")}});
    EXPECT_EQ(Select(files),
              "SELECT STA,TBEGIN,TQTY,CH,SPS,GAIN,CPATH,FOFF,DATATYPE,CREATER,LDDATE FROM FILELIST "
              "WHERE cpath=?");
}

TEST_P(RecordSetTest, FieldsHoldTheirInitialValuesUntilARowIsRead) {
    CFileList files(theDatabase);
    EXPECT_EQ(files.m_FOFF.value(), 512);
    EXPECT_EQ(files.m_GAIN.value(), 0);
    EXPECT_EQ(files.m_STA.value(), "");
    EXPECT_GE(files.m_LDDATE.value().year, 2024) << "the time of construction";
    EXPECT_TRUE(files.IsEOF()) << "not open";
}

TEST_P(RecordSetTest, SnapshotWalksTheFilteredRowsAndReadsNullsAsNull) {
    ExecuteOnCatalogue(
        "INSERT INTO sitechan (sta, chan, sps, descr, lat) VALUES ('OBN', 'SHZ', 100, "
        "'a long description', 55.1)");
    ExecuteOnCatalogue("INSERT INTO sitechan (sta, chan) VALUES ('OBN', 'SHN')");
    ExecuteOnCatalogue("INSERT INTO sitechan (sta, chan) VALUES ('ARU', 'SHE')");
    CChanList channels(theDatabase);
    channels.SetFilter({{"sta", std::string("OBN")}});
    channels.Open();
    ASSERT_FALSE(channels.IsEOF());
    EXPECT_EQ(channels.m_chan.value(), "SHZ");
    EXPECT_EQ(channels.m_descr.value(), "a long description");
    EXPECT_EQ(channels.m_lat.value(), 55.1);
    EXPECT_FALSE(channels.m_lddate.IsNull()) << "the table's default";
    channels.MoveNext();
    ASSERT_FALSE(channels.IsEOF());
    EXPECT_EQ(channels.m_chan.value(), "SHN");
    EXPECT_TRUE(channels.m_sps.IsNull());
    EXPECT_TRUE(channels.m_descr.IsNull());
    EXPECT_EQ(channels.m_descr.value(), "");
    channels.MoveNext();
    EXPECT_TRUE(channels.IsEOF());
    // A snapshot: rows added after the open are not seen.
    ExecuteOnCatalogue("INSERT INTO sitechan (sta, chan) VALUES ('OBN', 'SHX')");
    channels.MoveNext();
    EXPECT_TRUE(channels.IsEOF());
}

TEST_P(RecordSetTest, LongTextIsCutTo255Characters) {
    // A shared catalogue may declare wider columns than ours.
    if (GetParam() == testing_support::CatalogueBackendKind::PostgreSQL) {
        ExecuteOnCatalogue("ALTER TABLE sitechan ALTER COLUMN descr TYPE VARCHAR(300)");
    }
    ExecuteOnCatalogue("INSERT INTO sitechan (sta, chan, descr) VALUES ('OBN', 'SHZ', ?)",
                       {std::string(255, 'x') + "yz"});
    CChanList channels(theDatabase);
    channels.Open();
    ASSERT_FALSE(channels.IsEOF());
    EXPECT_EQ(channels.m_descr.value(), std::string(255, 'x'));
}

TEST_P(RecordSetTest, NewRowInsertsOnlyTheAssignedColumns) {
    CFileList files(theDatabase);
    files.AddNew();
    files.m_CPATH = std::string("p");
    files.m_GAIN = 0;  // assigning a zero still names the column
    files.Update();
    auto rows =
        QueryCatalogue("SELECT GAIN, FOFF, STA, LDDATE FROM FILELIST",
                       {SqlType::Integer, SqlType::Integer, SqlType::Text, SqlType::Timestamp});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], catalog::SqlValue(std::int32_t{0}));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(rows[0][1])) << "FOFF left out";
    EXPECT_TRUE(std::holds_alternative<std::monostate>(rows[0][2])) << "STA left out";
    EXPECT_TRUE(std::holds_alternative<catalog::Timestamp>(rows[0][3])) << "LDDATE default";
}

TEST_P(RecordSetTest, DeleteRemovesTheCurrentRowByItsKey) {
    ExecuteOnCatalogue("INSERT INTO FILELIST (CPATH, STA) VALUES ('a', 'OBN'), ('b', 'OBN')");
    CFileList files(theDatabase);
    files.SetFilter({{"sta", std::string("OBN")}});
    files.Open();
    ASSERT_FALSE(files.IsEOF());
    const std::string first = files.m_CPATH;
    files.Delete();
    EXPECT_EQ(CountRows("FILELIST"), 1);
    EXPECT_EQ(CountRows("FILELIST", "CPATH=?", {first}), 0);
}

TEST_P(RecordSetTest, TransactionRollsBackUnlessCommitted) {
    {
        catalog::TransactionGuard transaction(theDatabase);
        ExecuteOnCatalogue("INSERT INTO FILELIST (CPATH) VALUES ('dropped')");
    }
    {
        catalog::TransactionGuard transaction(theDatabase);
        ExecuteOnCatalogue("INSERT INTO FILELIST (CPATH) VALUES ('kept')");
        transaction.Commit();
    }
    ExecuteOnCatalogue("INSERT INTO FILELIST (CPATH) VALUES ('autocommitted')");
    theDatabase.Close();
    ASSERT_TRUE(theDatabase.Open(catalog::ComposeConnectionString(backend().Login())));
    auto rows = QueryCatalogue("SELECT CPATH FROM FILELIST ORDER BY CPATH", {SqlType::Text});
    EXPECT_EQ(rows, (std::vector<testing_support::Row>{{std::string("autocommitted")},
                                                       {std::string("kept")}}));
}

TEST_P(RecordSetTest, FailuresCarryTheDriversTextAndSqlState) {
    CEventList events(theDatabase);
    ExecuteOnCatalogue("DROP TABLE eventlist");
    try {
        events.Open();
        FAIL() << "no error";
    } catch (const catalog::DatabaseError& error) {
        EXPECT_THAT(error.what(), testing::HasSubstr("eventlist"));
        EXPECT_EQ(error.sqlState().size(), 5u);
        if (GetParam() == testing_support::CatalogueBackendKind::PostgreSQL) {
            EXPECT_EQ(error.sqlState(), "42P01");  // undefined table
        }
    }
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(RecordSetTest);

}  // namespace
