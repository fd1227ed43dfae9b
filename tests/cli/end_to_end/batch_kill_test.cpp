// kelvaron-batch killed with SIGKILL at several points of a window run, on
// each catalogue back end: whatever the catalogue holds then names a whole
// trace file, and running again ends in exactly the state of a run that was
// never interrupted.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "catalog/catalogue.h"
#include "catalog/transaction_guard.h"
#include "tests/cli/end_to_end/batch_process.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/catalogue_queries.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using catalog::SqlType;
using testing_support::ExecuteOnCatalogue;
using testing_support::QueryCatalogue;

using Files = std::map<std::string, std::string>;  // path below the data directory -> bytes

struct State {
    Files files;
    std::vector<testing_support::Row>
        rows;  // STA, TBEGIN, TQTY, CH, SPS, GAIN, CPATH, FOFF, DATATYPE
    std::vector<testing_support::Row> events;
};

constexpr int kRecordings = 8;
constexpr int kChannels = 3;

class BatchKill : public testing_support::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        if (HasFatalFailure()) return;
        testing_support::WriteTvxIni(work.File("tvx.ini"), backend().Login(), data());
        // Two stations, so that -j 4 has two workers to kill.
        work.Write("kelvaron.ini",
                   "[KELVARON]\r\nNSTA=2\r\nSTA0=STA1\r\nSTA1=STA2\r\n"
                   "TIME=14:00:00 29/11/2007\r\nTIMEQTY=000 01:00:00\r\n"
                   "[STA1]\r\nDIR=src1\r\n[STA2]\r\nDIR=src2\r\n");
        // Eight two-minute recordings in the window, some of them triggered.
        for (int i = 0; i < kRecordings; ++i) {
            testing_support::RecordingPlan plan;
            plan.station = i % 2 == 0 ? "STA1" : "STA2";
            char time[16];
            std::snprintf(time, sizeof time, "14:%02d:00", 5 * i + 1);
            plan.time = time;
            plan.data.records = 120;
            plan.dataSec = "120";
            plan.type = i % 3 == 0 ? "TRIGGER" : "CONTINUOUS";
            auto file = testing_support::MakeRecording(plan);
            if (i % 3 == 0) {
                std::snprintf(time, sizeof time, "14:%02d:30", 5 * i + 1);
                file.Set("EVENT", "CH#", "1")
                    .Set("EVENT", "DATE_CH1", "29.11.2007")
                    .Set("EVENT", "TIME_CH1", time);
            }
            file.WriteTo(
                work.File("src" + std::to_string(i % 2 + 1) + "/r" + std::to_string(i) + ".dat"));
        }
    }

    std::string data() const { return work.File("data"); }

    cli_test::BatchResult Run(const std::function<void(pid_t)>& whileRunning = {}) {
        return cli_test::RunBatchProcess(work.path(), {"window", "-j", jobs},
                                         {"TVX_INI=" + work.File("tvx.ini")}, whileRunning);
    }

    // Every file below the data directory, temporaries included.
    Files AllFiles() const {
        Files files;
        std::error_code error;
        if (!fs::exists(data(), error)) return files;
        for (const auto& entry : fs::recursive_directory_iterator(data()))
            if (entry.is_regular_file())
                files[fs::relative(entry.path(), data()).string()] =
                    testing_support::ReadFileBytes(entry.path().string());
        return files;
    }

    State Snapshot() const {
        State state;
        state.files = AllFiles();
        state.rows = QueryCatalogue(
            "SELECT STA, TBEGIN, TQTY, CH, SPS, GAIN, CPATH, FOFF, DATATYPE FROM FILELIST "
            "ORDER BY CPATH",
            {SqlType::Text, SqlType::Double, SqlType::Double, SqlType::Text, SqlType::Double,
             SqlType::Integer, SqlType::Text, SqlType::Integer, SqlType::Integer});
        state.events =
            QueryCatalogue("SELECT sta, tbegin, event_type FROM eventlist ORDER BY tbegin",
                           {SqlType::Text, SqlType::Double, SqlType::Integer});
        return state;
    }

    void StartAfresh() {
        ExecuteOnCatalogue("DELETE FROM FILELIST");
        ExecuteOnCatalogue("DELETE FROM eventlist");
        fs::remove_all(data());
        ::mkdir(data().c_str(), 0755);
    }

    std::size_t FileCount() const {
        std::size_t n = 0;
        std::error_code error;
        for (auto it = fs::recursive_directory_iterator(data(), error);
             !error && it != fs::recursive_directory_iterator(); it.increment(error))
            if (it->is_regular_file(error)) ++n;
        return n;
    }

    // A clean run, then one killed at each point and run again.
    void KillAtEveryPointAndRunAgain();

    // Waits until the data directory holds at least n files, or for at most
    // the time given.
    void WaitForFiles(std::size_t n, std::chrono::milliseconds atMost) const {
        const auto until = std::chrono::steady_clock::now() + atMost;
        while (FileCount() < n && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::microseconds(500));
    }

    testing_support::TempDir work;
    std::string jobs = "1";  // workers of each run
};

TEST_P(BatchKill, KilledRunLeavesOnlyWholeRegisteredFilesAndARerunEndsAsACleanRun) {
    for (const char* workers : {"1", "4"}) {
        SCOPED_TRACE(std::string("-j ") + workers);
        jobs = workers;
        KillAtEveryPointAndRunAgain();
    }
}

void BatchKill::KillAtEveryPointAndRunAgain() {
    StartAfresh();
    const cli_test::BatchResult clean = Run();
    ASSERT_EQ(clean.status, 0) << clean.errors;
    const State expected = Snapshot();
    ASSERT_EQ(expected.rows.size(), std::size_t{kRecordings * kChannels});
    ASSERT_EQ(expected.files.size(), expected.rows.size());

    struct KillPoint {
        const char* name;
        bool certain;  // the run cannot have ended before the kill
        std::function<void(pid_t)> kill;
    };
    const auto killAfterFiles = [this](std::size_t n) {
        return [this, n](pid_t pid) {
            WaitForFiles(n, std::chrono::seconds(60));
            ::kill(pid, SIGKILL);
        };
    };
    const KillPoint points[] = {
        {"at start-up", true,
         [](pid_t pid) {
             std::this_thread::sleep_for(std::chrono::milliseconds(20));
             ::kill(pid, SIGKILL);
         }},
        // The catalogue is held, so the first trace is written but its row
        // (or, on SQLite, an event row before it) waits; the kill comes then.
        {"while the catalogue is held", true,
         [this](pid_t pid) {
             std::optional<catalog::TransactionGuard> hold(std::in_place, theDatabase);
             ExecuteOnCatalogue(GetParam() == testing_support::CatalogueBackendKind::SQLite
                                    ? "DELETE FROM FILELIST"
                                    : "LOCK TABLE FILELIST IN EXCLUSIVE MODE");
             WaitForFiles(1, std::chrono::seconds(2));
             std::this_thread::sleep_for(std::chrono::milliseconds(50));
             ::kill(pid, SIGKILL);
         }},
        {"a third into the run", false, killAfterFiles(kRecordings * kChannels / 3)},
        {"two thirds into the run", false, killAfterFiles(kRecordings * kChannels * 2 / 3)},
    };
    for (const KillPoint& point : points) {
        SCOPED_TRACE(point.name);
        StartAfresh();
        const cli_test::BatchResult killed = Run(point.kill);
        if (point.certain)
            EXPECT_EQ(killed.status, -1) << "the run ended before the kill\n" << killed.errors;
        else if (killed.status != -1)
            std::printf("note: the run ended before the kill %s\n", point.name);

        // Every row names a whole trace file: the size its row announces and
        // the bytes of the uninterrupted run.
        const State after = Snapshot();
        for (const auto& row : after.rows) {
            const auto& cpath = std::get<std::string>(row[6]);
            const double samples = std::get<double>(row[2]) * std::get<double>(row[4]);
            const auto size = std::get<std::int32_t>(row[7]) + 2 * std::llround(samples);
            const auto file = after.files.find(cpath);
            ASSERT_NE(file, after.files.end()) << cpath;
            EXPECT_EQ(file->second.size(), static_cast<std::size_t>(size)) << cpath;
            EXPECT_EQ(file->second, expected.files.at(cpath)) << cpath;
        }

        const cli_test::BatchResult rerun = Run();
        EXPECT_EQ(rerun.status, 0) << rerun.errors;
        const State again = Snapshot();
        EXPECT_EQ(again.rows, expected.rows);
        EXPECT_EQ(again.events, expected.events);
        std::vector<std::string> paths, expectedPaths;
        for (const auto& [path, bytes] : again.files) paths.push_back(path);
        for (const auto& [path, bytes] : expected.files) expectedPaths.push_back(path);
        EXPECT_EQ(paths, expectedPaths);
        EXPECT_TRUE(again.files == expected.files) << "trace bytes differ from the clean run";
    }
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(BatchKill);

}  // namespace
