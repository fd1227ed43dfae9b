// kelvaron-batch -j 4 against -j 1 on several stations, on each catalogue
// back end: the same trace files byte for byte, the same rows, the same
// messages and verbose lines (each whole), the same counts.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "catalog/catalogue.h"
#include "catalog/database_error.h"
#include "catalog/odbc_statement.h"
#include "catalog/schema_install.h"
#include "catalog/transaction_guard.h"
#include "cli/worker_outputs.h"
#include "engine/run_observer.h"
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
using testing_support::Row;

struct Outcome {
    std::map<std::string, std::string> files;  // below the data directory -> bytes
    std::vector<Row> traces, events, recordings, recordingTraces;
    // Each message, and each recording's verbose line with its trace lines
    // under it, as one block; sorted, as workers interleave whole blocks.
    std::vector<std::string> blocks;
    std::string counts;  // the summary line without its volume and time
};

class BatchJobs : public testing_support::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        if (HasFatalFailure()) return;
        catalog::UpgradeCatalogueSchema(theDatabase);  // the record of recordings too
        testing_support::WriteTvxIni(work.File("tvx.ini"), backend().Login(), data());
        // STA4 shares STA3's directory: each skips the other's recordings.
        work.Write("kelvaron.ini",
                   "[KELVARON]\r\nNSTA=4\r\nSTA0=STA1\r\nSTA1=STA2\r\nSTA2=STA3\r\nSTA3=STA4\r\n"
                   "TIME=14:00:00 29/11/2007\r\nTIMEQTY=000 01:00:00\r\n"
                   "[STA1]\r\nDIR=src1\r\n[STA2]\r\nDIR=src2\r\n[STA3]\r\nDIR=src3\r\n"
                   "[STA4]\r\nDIR=src3\r\n");
        const char* dirs[] = {"src1", "src2", "src3", "src3"};
        for (int s = 0; s < 4; ++s) {
            const std::string station = "STA" + std::to_string(s + 1);
            for (int i = 0; i < 3; ++i) {
                testing_support::RecordingPlan plan;
                plan.station = station;
                plan.time = "14:" + std::to_string(10 + 5 * i) + ":00";
                plan.data.records = 3 + i + s;
                plan.dataSec = std::to_string(plan.data.records);
                plan.type = i == 1 ? "TRIGGER" : "CONTINUOUS";
                Add(plan, std::string(dirs[s]) + "/" + station + "_" + std::to_string(i));
            }
        }
        // Two recordings of STA2 with one start write the same trace paths.
        for (int records : {5, 7}) {
            testing_support::RecordingPlan plan;
            plan.station = "STA2";
            plan.time = "14:40:00";
            plan.data.records = records;
            plan.dataSec = std::to_string(records);
            Add(plan, "src2/same_" + std::to_string(records));
        }
    }

    void Add(const testing_support::RecordingPlan& plan, const std::string& name) {
        testing_support::MakeRecording(plan).WriteTo(work.File(name));
        picked.push_back(work.File(name));
    }

    std::string data() const { return work.File("data"); }

    Outcome Run(std::vector<std::string> args, const std::string& jobs) {
        ExecuteOnCatalogue("DELETE FROM kelvaron_recording_traces");
        ExecuteOnCatalogue("DELETE FROM kelvaron_recordings");
        ExecuteOnCatalogue("DELETE FROM FILELIST");
        ExecuteOnCatalogue("DELETE FROM eventlist");
        fs::remove_all(data());
        ::mkdir(data().c_str(), 0755);
        args.insert(args.begin() + 1, {"-v", "-j", jobs});
        const cli_test::BatchResult run = cli_test::RunBatchProcess(
            work.path(), args, {"TVX_INI=" + work.File("tvx.ini"), "KELVARON_LANG=en"});
        EXPECT_EQ(run.status, 0) << run.errors;

        Outcome outcome;
        for (const auto& entry : fs::recursive_directory_iterator(data()))
            if (entry.is_regular_file())
                outcome.files[fs::relative(entry.path(), data()).string()] =
                    testing_support::ReadFileBytes(entry.path().string());
        outcome.traces = QueryCatalogue(
            "SELECT STA, TBEGIN, TQTY, CH, SPS, GAIN, CPATH, FOFF, DATATYPE FROM FILELIST "
            "ORDER BY CPATH",
            {SqlType::Text, SqlType::Double, SqlType::Double, SqlType::Text, SqlType::Double,
             SqlType::Integer, SqlType::Text, SqlType::Integer, SqlType::Integer});
        outcome.events =
            QueryCatalogue("SELECT sta, tbegin, event_type FROM eventlist ORDER BY sta, tbegin",
                           {SqlType::Text, SqlType::Double, SqlType::Integer});
        outcome.recordings = QueryCatalogue(
            "SELECT source_path, station, file_size, file_mtime, start_time, span_seconds, "
            "outcome, message FROM kelvaron_recordings ORDER BY source_path",
            {SqlType::Text, SqlType::Text, SqlType::BigInt, SqlType::BigInt, SqlType::Double,
             SqlType::Double, SqlType::Text, SqlType::Text});
        outcome.recordingTraces = QueryCatalogue(
            "SELECT source_path, channel, trace_path FROM kelvaron_recording_traces "
            "ORDER BY source_path, trace_path",
            {SqlType::Text, SqlType::Text, SqlType::Text});

        std::vector<std::string> lines;
        std::istringstream in(run.errors);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        if (lines.empty()) return outcome;
        outcome.counts = lines.back().substr(0, lines.back().rfind("; "));
        lines.pop_back();
        // A dry run's plan goes to stdout.
        std::istringstream plan(run.output);
        for (std::string line; std::getline(plan, line);) lines.push_back(line);
        for (const std::string& line : lines) {
            if (line.rfind("  ", 0) == 0 && !outcome.blocks.empty())
                outcome.blocks.back() += "\n" + line;
            else
                outcome.blocks.push_back(line);
        }
        std::sort(outcome.blocks.begin(), outcome.blocks.end());
        return outcome;
    }

    testing_support::TempDir work;
    std::vector<std::string> picked;  // every recording, in the order made
};

TEST_P(BatchJobs, FourWorkersLeaveWhatOneWorkerLeaves) {
    const std::vector<std::string> window{"window"}, plan{"window", "-n"};
    std::vector<std::string> files{"files"};
    files.insert(files.end(), picked.begin(), picked.end());
    for (const auto& args : {window, files, plan}) {
        SCOPED_TRACE(args.front() + std::to_string(args.size()));
        const Outcome one = Run(args, "1");
        const Outcome four = Run(args, "4");
        // 4 stations x 3 recordings x 3 channels, and the 3 paths both of STA2's
        // write; a dry run's plan writes none.
        const std::size_t traces = args == plan ? 0 : 39;
        EXPECT_EQ(one.traces.size(), traces);
        EXPECT_EQ(one.files.size(), traces);
        if (args == plan) {
            EXPECT_EQ(std::count_if(one.blocks.begin(), one.blocks.end(),
                                    [](const std::string& b) {
                                        return b.rfind("convert ", 0) == 0 ||
                                               b.rfind("skip ", 0) == 0;
                                    }),
                      20)
                << "a line per entry scanned, as the summary counts them";
        }
        EXPECT_TRUE(four.files == one.files) << "trace files differ";
        EXPECT_EQ(four.traces, one.traces);
        EXPECT_EQ(four.events, one.events);
        EXPECT_EQ(four.recordings, one.recordings);
        EXPECT_EQ(four.recordingTraces, one.recordingTraces);
        EXPECT_EQ(four.blocks, one.blocks);
        EXPECT_EQ(four.counts, one.counts);
    }
}

TEST_P(BatchJobs, AStopEndsEveryWorkerAfterItsTraceInHand) {
    ::mkdir(data().c_str(), 0755);
    // The catalogue is held, so that every worker waits with a trace in hand.
    std::optional<catalog::TransactionGuard> hold(std::in_place, theDatabase);
    ExecuteOnCatalogue(GetParam() == testing_support::CatalogueBackendKind::SQLite
                           ? "DELETE FROM FILELIST"
                           : "LOCK TABLE FILELIST IN EXCLUSIVE MODE");
    const auto traceFiles = [this] {
        std::size_t n = 0;
        std::error_code error;
        for (auto it = fs::recursive_directory_iterator(data(), error);
             !error && it != fs::recursive_directory_iterator(); it.increment(error))
            if (it->is_regular_file(error) && it->path().filename().string()[0] != '.') ++n;
        return n;
    };
    const cli_test::BatchResult run = cli_test::RunBatchProcess(
        work.path(), {"window", "-j", "4"}, {"TVX_INI=" + work.File("tvx.ini")}, [&](pid_t pid) {
            for (int i = 0; i < 500 && traceFiles() == 0; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            cli_test::AskToStop(pid);
            hold.reset();
        });
    EXPECT_EQ(run.status, 1) << run.errors;
    // Three workers (STA3 and STA4 share a directory): each finishes the
    // trace in hand with its row, and takes nothing after it.
    const std::size_t rows = static_cast<std::size_t>(testing_support::CountRows("FILELIST"));
    EXPECT_GE(rows, 1u);
    EXPECT_LE(rows, 3u);
    EXPECT_EQ(traceFiles(), rows) << "every trace file written has its row";
}

class SilentObserver final : public engine::RunObserver {
public:
    void EntryInWork(const engine::RunProgress&) override {}
    void RunFinished(const engine::RunSummary&) override {}
    void ShowMessage(const engine::RunMessage& message) override { shown.push_back(message.text); }
    std::vector<std::string> shown;
};

// Whether statements on the connection succeed; a temporary table tells one
// connection from another, as it lives and dies with its connection.
bool Answers(catalog::OdbcConnection& connection, const std::string& sql) {
    try {
        catalog::OdbcStatement statement(connection);
        statement.Execute(sql);
        return true;
    } catch (const catalog::DatabaseError&) {
        return false;
    }
}

// A watch keeps the other workers' connections from one pass to the next: a
// worker of the next pass takes one that still answers instead of logging in.
TEST_P(BatchJobs, AWorkerTakesTheConnectionThatTheLastPassLeftIfItStillAnswers) {
    enum class Meanwhile { Nothing, ClosedByItsWorker, DroppedByTheServer };
    const struct {
        const char* what;
        Meanwhile meanwhile;
    } cases[] = {
        {"left open", Meanwhile::Nothing},
        {"closed by its worker", Meanwhile::ClosedByItsWorker},
        {"dropped by the server while kept", Meanwhile::DroppedByTheServer},
    };
    const bool server = GetParam() == testing_support::CatalogueBackendKind::PostgreSQL;
    for (const auto& c : cases) {
        if (c.meanwhile == Meanwhile::DroppedByTheServer && !server) continue;
        cli::KeptConnections kept;
        SilentObserver observer;
        const engine::MakeOutputs make =
            cli::CatalogueWorkers(theDatabase, backend().Login(), false, &kept);
        std::string pid;
        {
            const std::unique_ptr<engine::RecordingOutputs> outputs = make(1, observer);
            ASSERT_TRUE(outputs && outputs->Catalogue()) << c.what;
            catalog::OdbcConnection& own = *outputs->Catalogue();
            ASSERT_NE(&own, &theDatabase);
            ASSERT_TRUE(Answers(own, "CREATE TEMPORARY TABLE kept_probe (x INTEGER)")) << c.what;
            if (server) {
                catalog::OdbcStatement backendPid(own);
                backendPid.Execute("SELECT pg_backend_pid()");
                ASSERT_TRUE(backendPid.Fetch());
                pid = std::to_string(std::get<std::int32_t>(backendPid.Get(1, SqlType::Integer)));
            }
            if (c.meanwhile == Meanwhile::ClosedByItsWorker) own.Close();
        }
        if (c.meanwhile == Meanwhile::DroppedByTheServer) {
            ExecuteOnCatalogue("SELECT pg_terminate_backend(" + pid + ")");
            for (int i = 0; i < 100 && !QueryCatalogue("SELECT pid FROM pg_stat_activity WHERE "
                                                       "pid = " +
                                                           pid,
                                                       {SqlType::Integer})
                                            .empty();
                 ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        const std::unique_ptr<engine::RecordingOutputs> next = make(1, observer);
        ASSERT_TRUE(next && next->Catalogue()) << c.what;
        EXPECT_TRUE(Answers(*next->Catalogue(), "SELECT 1")) << c.what;
        EXPECT_EQ(Answers(*next->Catalogue(), "SELECT x FROM kept_probe"),
                  c.meanwhile == Meanwhile::Nothing)
            << c.what;
        EXPECT_EQ(observer.shown, std::vector<std::string>{}) << c.what;
    }
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(BatchJobs);

}  // namespace
