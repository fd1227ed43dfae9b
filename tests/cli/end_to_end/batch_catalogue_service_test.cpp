// kelvaron-batch in a data centre's service: two converters on one catalogue,
// and a catalogue server that goes away in the middle of a run.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "catalog/catalogue.h"
#include "catalog/sql_script.h"
#include "catalog/transaction_guard.h"
#include "engine/lost_catalogue.h"
#include "platform/operator_texts.h"
#include "tests/cli/end_to_end/batch_process.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/catalogue_private_server.h"
#include "tests/support/catalogue_queries.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace {

using cli_test::BatchResult;
using cli_test::RunBatchProcess;
using testing_support::CountRows;
using testing_support::ExecuteOnCatalogue;
using testing_support::MakeRecording;
using testing_support::RecordingPlan;
using testing_support::TempDir;

constexpr int kRecordings = 12;  // per station, three channels each, every one triggered

int Occurrences(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// The summary's words for what a run the catalogue stopped left: every
// recording of STA1 after `done` of them, and of STA2 after `done2`.
std::string LeftText(int done1, int done2) {
    return platform::texts::SummaryLeftUnconverted(
        2 * kRecordings - done1 - done2, "STA1 " + std::to_string(kRecordings - done1) + ", STA2 " +
                                             std::to_string(kRecordings - done2));
}

// A source tree of stations STA1 and STA2, each in a directory of its own.
void WriteStations(const TempDir& work) {
    ::mkdir(work.File("data").c_str(), 0755);
    work.Write("kelvaron.ini",
               "[KELVARON]\r\nNSTA=2\r\nSTA0=STA1\r\nSTA1=STA2\r\n"
               "TIME=14:00:00 29/11/2007\r\nTIMEQTY=000 01:00:00\r\n"
               "[STA1]\r\nDIR=src1\r\n[STA2]\r\nDIR=src2\r\n");
    for (const char* station : {"STA1", "STA2"}) {
        for (int i = 0; i < kRecordings; ++i) {
            RecordingPlan plan;
            plan.station = station;
            plan.time = "14:" + std::to_string(10 + i) + ":00";
            plan.type = "TRIGGER";
            testing_support::RecorderFile file = MakeRecording(plan);
            file.Set("EVENT", "CH#", "1")
                .Set("EVENT", "DATE_CH1", "29.11.2007")
                .Set("EVENT", "TIME_CH1", plan.time + ".5");
            file.WriteTo(work.File(std::string("src") + station[3] + "/r" + std::to_string(i)));
        }
    }
}

// The tables as a data centre may have them: no key on CPATH, none on events.
constexpr const char* kKeylessTables[] = {
    "CREATE TABLE FILELIST (STA VARCHAR(255), TBEGIN DOUBLE PRECISION, TQTY DOUBLE PRECISION, "
    "CH VARCHAR(255), SPS DOUBLE PRECISION, GAIN INTEGER, CPATH VARCHAR(255), FOFF INTEGER, "
    "DATATYPE INTEGER, CREATER VARCHAR(255), LDDATE TIMESTAMP)",
    "CREATE TABLE eventlist (nindex INTEGER, sta VARCHAR(255), tbegin DOUBLE PRECISION, "
    "event_type INTEGER, lddate TIMESTAMP)",
};

class TwoConverters : public testing_support::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        if (HasFatalFailure()) return;
        WriteStations(work);
        testing_support::WriteTvxIni(work.File("tvx.ini"), backend().Login(), work.File("data"));
    }
    // station "": every station of kelvaron.ini.
    BatchResult Batch(const std::string& station, const std::string& jobs = "1") {
        std::vector<std::string> args{"window", "-j", jobs};
        if (!station.empty()) args.push_back(station);
        return RunBatchProcess(work.path(), args, {"TVX_INI=" + work.File("tvx.ini")});
    }
    TempDir work;
};

TEST_P(TwoConverters, BothFinishAndEveryRowIsThereOnce) {
    struct Case {
        const char* name;
        bool keyless;
        const char* first;  // "": both stations
        const char* second;
        const char* jobs;  // each converter's workers
    } const cases[] = {
        {"keyed, same station", false, "STA1", "STA1", "1"},
        {"keyed, two stations", false, "STA1", "STA2", "1"},
        {"keyless, same station", true, "STA1", "STA1", "1"},
        {"keyless, two stations", true, "STA1", "STA2", "1"},
        {"keyed, both stations, -j 4 each", false, "", "", "4"},
        {"keyless, both stations, -j 4 each", true, "", "", "4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExecuteOnCatalogue("DROP TABLE FILELIST");
        ExecuteOnCatalogue("DROP TABLE eventlist");
        // The keyed cases run with the record of recordings, which the script makes too.
        for (const char* table :
             {"kelvaron_source_listings", "kelvaron_recording_traces", "kelvaron_recordings"})
            ExecuteOnCatalogue(std::string("DROP TABLE IF EXISTS ") + table);
        if (c.keyless) {
            for (const char* sql : kKeylessTables) ExecuteOnCatalogue(sql);
        } else {
            ExecuteOnCatalogue("DROP TABLE sitechan");  // the script makes all three
            catalog::ExecuteSqlScript(theDatabase,
                                      testing_support::ReadFileBytes(backend().SchemaPath()));
        }
        BatchResult second;
        std::thread other([&] { second = Batch(c.second, c.jobs); });
        const BatchResult first = Batch(c.first, c.jobs);
        other.join();
        EXPECT_EQ(first.status, 0) << first.errors;
        EXPECT_EQ(second.status, 0) << second.errors;

        const int stations = std::string(c.first) == c.second && *c.first ? 1 : 2;
        EXPECT_EQ(CountRows("FILELIST"), stations * kRecordings * 3);
        EXPECT_EQ(testing_support::QueryCatalogue("SELECT COUNT(DISTINCT CPATH) FROM FILELIST",
                                                  {catalog::SqlType::Integer})[0][0],
                  catalog::SqlValue(stations * kRecordings * 3));
        EXPECT_EQ(CountRows("eventlist"), stations * kRecordings);
        EXPECT_EQ(testing_support::QueryCatalogue(
                      "SELECT COUNT(*) FROM (SELECT DISTINCT sta, tbegin FROM eventlist) e",
                      {catalog::SqlType::Integer})[0][0],
                  catalog::SqlValue(stations * kRecordings));
    }
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(TwoConverters);

// A catalogue that takes no writes (a read-only database file, a read-only
// session) ends a window run at its first recording, and the summary names
// every recording left, by station.
class CatalogueRefusingWrites : public TwoConverters {};

TEST_P(CatalogueRefusingWrites, EndsTheRunAndNamesEveryRecordingLeft) {
    testing_support::WriteTvxIni(work.File("tvx.ini"), backend().ReadOnlyLogin(),
                                 work.File("data"));
    const BatchResult result = RunBatchProcess(work.path(), {"window", "STA1", "STA2"},
                                               {"TVX_INI=" + work.File("tvx.ini")});
    EXPECT_EQ(result.status, 1) << result.errors;
    EXPECT_EQ(Occurrences(result.errors, engine::kCatalogueRefusesWritesText), 1) << result.errors;
    EXPECT_EQ(Occurrences(result.errors, LeftText(1, 0)), 1) << result.errors;
    EXPECT_EQ(CountRows("FILELIST"), 0);
    EXPECT_EQ(CountRows("eventlist"), 0);
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(CatalogueRefusingWrites);

// The server stops while a file run waits for the catalogue: held by a lock
// of this test's connection, so that the first row is in flight.
class ServerGoneMidRun : public testing::Test {
protected:
    void SetUp() override {
        WriteStations(work);
        testing_support::WriteTvxIni(work.File("tvx.ini"), server.Login(), work.File("data"));
        ASSERT_TRUE(theDatabase.Open(server.ConnectionString()));
    }
    void TearDown() override { theDatabase.Close(); }

    // Runs the files of STA1; once the first trace file is written, stops the
    // server and, when comeBack, starts it again.
    BatchResult RunThroughAnOutage(bool comeBack) {
        std::vector<std::string> args = {"files", "--stations", "STA1"};
        for (int i = 0; i < kRecordings; ++i)
            args.push_back(work.File("src1/r" + std::to_string(i)));
        std::optional<catalog::TransactionGuard> hold(std::in_place, theDatabase);
        ExecuteOnCatalogue("LOCK TABLE FILELIST IN EXCLUSIVE MODE");
        const std::string firstTrace = work.File("data/STA1/1429112007/141000-29112007.SHZ");
        return RunBatchProcess(work.path(), args, {"TVX_INI=" + work.File("tvx.ini")}, [&](pid_t) {
            struct stat st {};
            for (int i = 0; i < 500 && ::stat(firstTrace.c_str(), &st) != 0; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            server.Pause();
            hold.reset();
            if (comeBack) server.Resume();
        });
    }
    static int FilesIn(const std::string& dir) {
        int n = 0;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(dir, error))
            if (entry.path().filename().string().rfind('.', 0) != 0) ++n;
        return n;
    }

    testing_support::PrivatePostgresServer server;
    TempDir work;
};

// A window run over two stations whose connection breaks while the first
// trace's row waits: the recording in hand is lost, the run goes on with the
// station's next one once the connection is open again; when it cannot be,
// the summary names every recording left.
TEST_F(ServerGoneMidRun, AWindowRunLosesOnlyTheRecordingInHand) {
    enum class Outage { Terminated, Restarted, Gone };
    const struct {
        const char* name;
        Outage outage;
    } cases[] = {
        {"backend terminated", Outage::Terminated},
        {"server restarted", Outage::Restarted},
        {"server gone", Outage::Gone},
    };
    const std::string hour = work.File("data/STA1/1429112007");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!theDatabase.IsOpen()) {
            ASSERT_TRUE(theDatabase.Open(server.ConnectionString()));
        }
        ExecuteOnCatalogue("DELETE FROM FILELIST");
        ExecuteOnCatalogue("DELETE FROM eventlist");
        std::filesystem::remove_all(work.File("data/STA1"));
        std::filesystem::remove_all(work.File("data/STA2"));
        std::optional<catalog::TransactionGuard> hold(std::in_place, theDatabase);
        ExecuteOnCatalogue("LOCK TABLE FILELIST IN EXCLUSIVE MODE");
        const BatchResult result = RunBatchProcess(
            work.path(), {"window", "STA1", "STA2"}, {"TVX_INI=" + work.File("tvx.ini")},
            [&](pid_t) {
                // The first trace is in place: its row waits for the lock.
                for (int i = 0; i < 500 && FilesIn(hour) == 0; ++i)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                if (c.outage == Outage::Terminated) {
                    ExecuteOnCatalogue(
                        "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE pid <> "
                        "pg_backend_pid() AND backend_type = 'client backend'");
                    hold.reset();
                    return;
                }
                server.Pause();
                hold.reset();
                if (c.outage == Outage::Restarted) server.Resume();
            });
        EXPECT_EQ(result.status, 1) << result.errors;
        if (c.outage == Outage::Gone) server.Resume();
        ASSERT_EQ(ReopenCatalogue(theDatabase, 5, std::chrono::milliseconds(200)), "");
        const bool gone = c.outage == Outage::Gone;
        EXPECT_EQ(Occurrences(result.errors, engine::kCatalogueLostText), gone ? 1 : 0)
            << result.errors;
        EXPECT_EQ(Occurrences(result.errors, LeftText(1, 0)), gone ? 1 : 0) << result.errors;
        EXPECT_EQ(CountRows("FILELIST"), gone ? 0 : (2 * kRecordings - 1) * 3) << result.errors;
    }
}

TEST_F(ServerGoneMidRun, ARestartCostsOneFileAndTheRunGoesOn) {
    const BatchResult result = RunThroughAnOutage(true);
    EXPECT_EQ(result.status, 1) << result.errors;
    EXPECT_EQ(Occurrences(result.errors, "kelvaron: "), 1) << result.errors;
    EXPECT_EQ(Occurrences(result.errors, engine::kCatalogueLostText), 0) << result.errors;
    ASSERT_EQ(ReopenCatalogue(theDatabase, 3, std::chrono::milliseconds(200)), "");
    EXPECT_EQ(CountRows("FILELIST"), (kRecordings - 1) * 3) << "every file after the outage";
    EXPECT_EQ(CountRows("FILELIST", "CPATH LIKE '%/1429112007/141000-%'"), 0);
}

TEST_F(ServerGoneMidRun, AServerThatStaysAwayEndsTheRunWithOneMessage) {
    const BatchResult result = RunThroughAnOutage(false);
    EXPECT_NE(result.status, 0);
    EXPECT_EQ(Occurrences(result.errors, engine::kCatalogueLostText), 1) << result.errors;
    EXPECT_EQ(Occurrences(result.errors, "kelvaron: "), 2) << "the file's failure and the stop\n"
                                                           << result.errors;
    struct stat st {};
    EXPECT_NE(::stat(work.File("data/STA1/1429112007/141100-29112007.SHZ").c_str(), &st), 0)
        << "no file is converted after the stop";
}

}  // namespace
