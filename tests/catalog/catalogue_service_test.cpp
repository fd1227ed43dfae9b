// The catalogue in daily service: 8-bit names in the catalogue's encoding, a
// connection that went away, the statements a row costs.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <thread>

#include "catalog/catalogue.h"
#include "catalog/chan_list.h"
#include "catalog/connection_loss.h"
#include "catalog/event_list.h"
#include "catalog/file_list.h"
#include "catalog/odbc_statement.h"
#include "catalog/recording_record.h"
#include "catalog/schema_install.h"
#include "catalog/transaction_guard.h"
#include "catalog/writer_turn.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/catalogue_private_server.h"
#include "tests/support/catalogue_queries.h"

namespace {

using catalog::DatabaseError;
using catalog::SqlType;
using testing_support::CountRows;
using testing_support::ExecuteOnCatalogue;
using testing_support::QueryCatalogue;

const std::string kStationUtf8 = "\xD0\x9E\xD0\x91\xD0\x9D";  // ОБН
const std::string kStationCp1251 = "\xCE\xC1\xCD";            // ОБН
const std::string kChannelUtf8 = "\xD0\x97";                  // З
const std::string kChannelCp1251 = "\xC7";                    // З

class CatalogueEncodingTest : public testing_support::CatalogueTest {};

TEST_P(CatalogueEncodingTest, EightBitNamesAreStoredFoundAndReturnedAsUtf8) {
    // Both spellings of one name are one station to the catalogue.
    for (const std::string& station : {kStationCp1251, kStationUtf8}) {
        SCOPED_TRACE(station == kStationUtf8 ? "utf-8" : "cp1251");
        const std::string channel = station == kStationUtf8 ? kChannelUtf8 : kChannelCp1251;
        RegisterTraceFile(theDatabase, station, 1196346645.0, 4.0, channel, 100.0, 1,
                          station + "/p." + channel);
        RegisterEvent(theDatabase, station, 1196346646.25);
    }
    EXPECT_EQ(QueryCatalogue("SELECT STA, CH, CPATH FROM FILELIST",
                             {SqlType::Text, SqlType::Text, SqlType::Text}),
              (std::vector<testing_support::Row>{
                  {kStationUtf8, kChannelUtf8, kStationUtf8 + "/p." + kChannelUtf8}}));
    EXPECT_EQ(CountRows("eventlist", "sta=?", {kStationUtf8}), 1);

    ExecuteOnCatalogue("INSERT INTO sitechan (sta, chan, sps) VALUES (?, ?, 50)",
                       {kStationUtf8, kChannelUtf8});
    for (const std::string& station : {kStationCp1251, kStationUtf8}) {
        const std::vector<StationChannel> channels = ListStationChannels(theDatabase, station);
        ASSERT_EQ(channels.size(), 1u);
        EXPECT_EQ(channels[0].chan, kChannelUtf8);
    }
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(CatalogueEncodingTest);

class ConcurrentWriterTest : public testing_support::CatalogueTest {};

// Another program inserts the same path and commits while our replace waits
// on it: our replace still ends with its own row, the only one.
TEST_P(ConcurrentWriterTest, AReplaceThatMeetsAnotherWritersRowStillLeavesOneRow) {
    catalog::OdbcConnection other;
    ASSERT_TRUE(other.Open(catalog::ComposeConnectionString(backend().Login())));
    std::optional<catalog::TransactionGuard> foreign(std::in_place, other);
    catalog::OdbcStatement insert(other);
    insert.Execute("INSERT INTO FILELIST (STA, CPATH, CREATER) VALUES ('OBN', 'OBN/a', 'OTHER')");

    std::string failure;
    std::thread converter([&] {
        try {
            RegisterTraceFile(theDatabase, "OBN", 1.0, 4.0, "SHZ", 100.0, 1, "OBN/a");
        } catch (const std::exception& e) {
            failure = e.what();
        }
    });
    if (GetParam() == testing_support::CatalogueBackendKind::PostgreSQL) {
        // Wait until the replace waits for the other transaction.
        catalog::OdbcStatement locks(other);
        for (int i = 0; i < 500; ++i) {
            locks.Execute("SELECT COUNT(*) FROM pg_locks WHERE NOT granted");
            locks.Fetch();
            if (std::get<std::int32_t>(locks.Get(1, SqlType::Integer)) > 0) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    foreign->Commit();
    foreign.reset();
    converter.join();
    EXPECT_EQ(failure, "");
    EXPECT_EQ(QueryCatalogue("SELECT CREATER FROM FILELIST", {SqlType::Text}),
              (std::vector<testing_support::Row>{{std::string("KELVARON")}}));
}

// The workers of one converter, each on a connection of its own, take turns
// on a SQLite catalogue before they meet its lock (whose wait sleeps in
// steps of milliseconds); a thread that holds the turn gets it again at
// once. PostgreSQL's writers take no turn.
TEST_P(ConcurrentWriterTest, ConnectionsToOneCatalogueShareTheWritersTurn) {
    const bool sqlite = GetParam() == testing_support::CatalogueBackendKind::SQLite;
    catalog::OdbcConnection other;
    ASSERT_TRUE(other.Open(catalog::ComposeConnectionString(backend().Login())));
    std::future<bool> second;
    {
        const catalog::WriterTurn first(theDatabase);
        EXPECT_EQ(first.Held(), sqlite);
        second = std::async(std::launch::async, [&] { return catalog::WriterTurn(other).Held(); });
        if (sqlite) {
            EXPECT_EQ(second.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
        }
        const catalog::WriterTurn again(other);
        EXPECT_EQ(again.Held(), sqlite);
    }
    EXPECT_EQ(second.get(), sqlite);
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(ConcurrentWriterTest);

// The server's own count: every statement of this connection between two marks.
int StatementsBetweenMarks(int pid) {
    std::ifstream log(testing_support::PostgresStatementLogPath());
    const std::string mine = std::to_string(pid) + ":LOG:  ";
    int count = -1;
    for (std::string line; std::getline(log, line);) {
        if (line.rfind(mine, 0) != 0) continue;
        if (line.find("'kelvaron-mark-begin'") != std::string::npos) {
            count = 0;
        } else if (line.find("'kelvaron-mark-end'") != std::string::npos) {
            return count;
        } else if (count >= 0) {
            ++count;
        }
    }
    return -1;
}

// What a row costs in requests to the server, a request being a round trip
// across a network: a trace row (the key's lock, the DELETE and the INSERT,
// committed) one; the records a run gathers, with their traces, one for many
// and one to commit them. The statement log is PostgreSQL's, a line for each
// request the driver sends.
TEST(StatementLog, ARowCostsOneRequestOnPostgreSQL) {
    constexpr int kRows = 12;
    const auto traceRows = [] {
        for (int i = 0; i < kRows; ++i)  // half of them replace a row
            RegisterTraceFile(theDatabase, "OBN", 1196346645.0 + i, 4.0, "SHZ", 100.0, 1,
                              "OBN/p" + std::to_string(i % (kRows / 2)));
    };
    const auto recordsOf = [](int first, int count) {
        std::vector<catalog::RecordingRecord> records;
        for (int i = first; i < first + count; ++i) {  // half of them replace a record
            catalog::RecordingRecord& record = records.emplace_back();
            record.sourcePath = "/src/OBN/" + std::to_string(i % (kRows / 2)) + ".dat";
            record.station = "OBN";
            record.outcome = catalog::RecordingOutcome::Converted;
            for (const char* channel : {"SHZ", "SHN", "SHE"})
                record.traces.push_back({channel, "OBN/" + std::to_string(i) + "." + channel});
        }
        return records;
    };
    const auto records = [&] {
        for (int i = 0; i < kRows; ++i)
            catalog::WriteRecordingRecords(theDatabase, recordsOf(i, 1), false);
    };
    // More than one request holds: 60 records of three statements each.
    const auto gathered = [&] {
        catalog::WriteRecordingRecords(theDatabase, recordsOf(0, 5 * kRows), false);
    };
    struct Case {
        const char* what;
        std::function<void()> write;
        const char* table;
        int rows;
        int requests;
    } const cases[] = {
        {"trace rows", traceRows, "FILELIST", kRows / 2, kRows},
        // Each written alone here, so each with a commit of its own.
        {"records", records, "kelvaron_recording_traces", 3 * kRows / 2, 2 * kRows},
        // As a run gathers them: a batch of records in two requests, its commit.
        {"records gathered", gathered, "kelvaron_recording_traces", 3 * kRows / 2, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing_support::GetCatalogueBackend(testing_support::CatalogueBackendKind::PostgreSQL)
            .OpenFreshCatalogue();
        ASSERT_TRUE(catalog::UpgradeCatalogueSchema(theDatabase).upgraded);
        const int pid = testing_support::PostgresBackendPid();
        ExecuteOnCatalogue("SELECT 'kelvaron-mark-begin'");
        c.write();
        ExecuteOnCatalogue("SELECT 'kelvaron-mark-end'");
        EXPECT_EQ(CountRows(c.table), c.rows);
        const int statements = StatementsBetweenMarks(pid);
        ASSERT_GT(statements, 0) << "no statements of backend " << pid << " in the log";
        EXPECT_LE(statements, c.requests);
        theDatabase.Close();
    }
}

TEST(ConnectionLoss, TellsALostConnectionFromOtherFailures) {
    struct Case {
        const char* state;
        const char* text;
        bool lost;
    } const cases[] = {
        {"08S01", "Communication link failure", true},
        {"08003", "The catalogue connection is not open", true},
        {"HY000", "server closed the connection unexpectedly", true},
        {"HY000", "Could not send Query(connection dead);\nno connection to the server", true},
        {"HY000", "FATAL: terminating connection due to administrator command", true},
        {"57P01", "server closed the connection unexpectedly", true},
        {"HY000", "The connection has been lost", true},
        {"23505", "duplicate key value violates unique constraint", false},
        {"42P01", "relation \"filelist\" does not exist", false},
        {"HY000", "database is locked", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(catalog::IsConnectionLost(DatabaseError(c.text, c.state)), c.lost) << c.text;
}

TEST(ConnectionLoss, ARestartedServerIsReachedAgainAfterReopening) {
    testing_support::PrivatePostgresServer server;
    ASSERT_TRUE(theDatabase.Open(server.ConnectionString()));
    RegisterTraceFile(theDatabase, "OBN", 1.0, 4.0, "SHZ", 100.0, 1, "OBN/a");

    server.Pause();
    server.Resume();
    try {
        RegisterTraceFile(theDatabase, "OBN", 2.0, 4.0, "SHZ", 100.0, 1, "OBN/b");
        ADD_FAILURE() << "a write on a connection the server dropped succeeded";
    } catch (const DatabaseError& error) {
        EXPECT_TRUE(catalog::IsConnectionLost(error)) << error.sqlState() << " " << error.what();
    }
    EXPECT_EQ(ReopenCatalogue(theDatabase, 3, std::chrono::milliseconds(200)), "");
    RegisterTraceFile(theDatabase, "OBN", 2.0, 4.0, "SHZ", 100.0, 1, "OBN/b");
    EXPECT_EQ(CountRows("FILELIST"), 2);

    server.Pause();
    EXPECT_NE(ReopenCatalogue(theDatabase, 2, std::chrono::milliseconds(10)), "");
    EXPECT_FALSE(theDatabase.IsOpen());
    theDatabase.Close();
}

}  // namespace
