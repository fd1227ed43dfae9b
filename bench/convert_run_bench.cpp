// A time-window run that converts about 100 MiB of recordings with the real
// trace writer and the catalogue on the embedded SQLite driver, against the
// floor of reading the same input and writing the same output bytes with
// plain file I/O (one fsync per output file, as the writer makes every trace
// durable), measured in this run: once with the SQLite driver's defaults
// (rollback journal, full sync) and once with JournalMode=WAL and
// SyncPragma=FULL in the DSN (just as durable, one flush per commit). Beside
// that plain-I/O floor, the floor of the writer's contract, in the same run:
// read the input once, and per trace file write a temporary, fsync it, rename
// it, fsync its directory and commit one row through the same DSN. Then the
// peak memory while converting one large recording, against its data block.
//
// Then eight stations converted by one worker and by N, against the contract
// floor with one writer and with N, and -j 2 against -j 1: on SQLite with the
// write-ahead log and full sync (as the packaged example odbc.ini.sqlite and
// the demo set it up), and on each of the tests' catalogue back ends that is
// reachable. The tests' SQLite keeps the driver's rollback journal, whose
// commits take the whole database in turn with several flushes each: there
// even the floor's writers barely overlap, so its -j 2 figure is printed for
// reference, without target.
//
//   convert_run_bench [MIB] [N] [ROUNDS]     (defaults 100, 2 and 5)
//
// Each figure is the best of ROUNDS rounds, run and floors interleaved, each
// into an empty tree and table; a machine whose disk flushes vary a lot needs
// more rounds.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_support.h"
#include "catalog/catalogue.h"
#include "catalog/odbc_statement.h"
#include "catalog/sql_script.h"
#include "catalog/transaction_guard.h"
#include "cli/worker_outputs.h"
#include "engine/convert_recording.h"
#include "engine/drivers.h"
#include "engine/station_workers.h"
#include "formats/date_time.h"
#include "platform/file_descriptor.h"
#include "platform/kelvaron_settings.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/catalogue_queries.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// One hour of three channels at 100 samples per second: about 3 MiB.
testing_support::RecordingPlan HourRecording(int index) {
    testing_support::RecordingPlan plan;
    plan.dataSec = "3600";
    plan.data.records = 3600;
    char date[32], time[32];
    std::snprintf(date, sizeof date, "%02d.11.2007", 1 + index / 24);
    std::snprintf(time, sizeof time, "%02d:00:00", index % 24);
    plan.date = date;
    plan.time = time;
    return plan;
}

std::uint64_t ReadWhole(const std::string& path) {
    std::vector<char> buffer(1 << 20);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    std::uint64_t total = 0;
    for (ssize_t n; (n = ::read(fd, buffer.data(), buffer.size())) > 0;)
        total += static_cast<std::uint64_t>(n);
    ::close(fd);
    return total;
}

// Every timed run and floor starts from an empty output tree (and the run
// from an empty FILELIST, as the contract floor from an empty table): a file
// put in place over one of the round before frees that one's blocks, which
// costs more than the write on some disks, and a row replaced costs more
// than one inserted. The first round would otherwise time a fresh archive
// and the later ones a rewritten one; a backlog is converted into a fresh one.
void StartEmpty(const std::string& outDir) {
    fs::remove_all(outDir);
    fs::create_directories(outDir);
}

void StartEmptyRun(const std::string& dataDir) {
    StartEmpty(dataDir);
    catalog::OdbcStatement(theDatabase).Execute("DELETE FROM FILELIST");
}

// A trace file that the run wrote: its path below the data directory, its
// size, and the number of its station among the run's stations.
struct TraceOut {
    std::string relative;  // STA/hhDDMMYYYY/name
    std::uintmax_t size = 0;
    std::size_t station = 0;
};

std::vector<TraceOut> TracesWritten(const std::string& dataDir) {
    std::vector<TraceOut> traces;
    for (const auto& entry : fs::recursive_directory_iterator(dataDir))
        if (entry.is_regular_file())
            traces.push_back({fs::relative(entry.path(), dataDir).string(), entry.file_size()});
    std::sort(traces.begin(), traces.end(),
              [](const TraceOut& a, const TraceOut& b) { return a.relative < b.relative; });
    std::map<std::string, std::size_t> stations;
    for (TraceOut& trace : traces) {
        const std::string station = trace.relative.substr(0, trace.relative.find('/'));
        trace.station = stations.emplace(station, stations.size()).first->second;
    }
    return traces;
}

std::uintmax_t LargestSize(const std::vector<TraceOut>& traces) {
    std::uintmax_t largest = 0;
    for (const TraceOut& trace : traces) largest = std::max(largest, trace.size);
    return largest;
}

// Read every input file, write files of the trace files' sizes, fsync each.
double FloorSeconds(const std::vector<std::string>& inputs, const std::vector<TraceOut>& traces,
                    const std::string& outDir) {
    StartEmpty(outDir);
    return bench::Seconds([&] {
        for (const std::string& in : inputs) ReadWhole(in);
        std::vector<char> bytes(LargestSize(traces), 'x');
        int i = 0;
        for (const TraceOut& trace : traces) {
            const std::uintmax_t size = trace.size;
            const std::string path = outDir + "/" + std::to_string(i++);
            const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            if (::write(fd, bytes.data(), size) != static_cast<ssize_t>(size)) std::perror("write");
            ::fsync(fd);
            ::close(fd);
        }
    });
}

// The table the contract floor commits its rows to: FILELIST's shape.
void CreateFloorTable() {
    catalog::OdbcStatement(theDatabase)
        .Execute(
            "CREATE TABLE IF NOT EXISTS CONTRACT_FLOOR (STA VARCHAR(255), TBEGIN DOUBLE PRECISION, "
            "TQTY DOUBLE PRECISION, CH VARCHAR(255), SPS DOUBLE PRECISION, GAIN INTEGER, "
            "CPATH VARCHAR(255) NOT NULL PRIMARY KEY, FOFF INTEGER, DATATYPE INTEGER, "
            "CREATER VARCHAR(255))");
}

// What any converter keeping the writer's promise must do, for the input
// files of every writers-th index from `first` and the trace files of the
// stations of those indexes: the input read once; per trace file its station
// and hour directories made where missing, each flushed into its parent, a
// temporary written and flushed, renamed into place, its directory flushed,
// then one row inserted and committed in its own transaction.
void WriteUnderContract(catalog::OdbcConnection& database, const std::vector<std::string>& inputs,
                        const std::vector<TraceOut>& traces, const std::string& outDir,
                        std::size_t first, std::size_t writers) {
    catalog::OdbcStatement insert(database);
    for (std::size_t i = first; i < inputs.size(); i += writers) ReadWhole(inputs[i]);
    std::vector<char> bytes(LargestSize(traces), 'x');
    for (std::size_t i = 0; i < traces.size(); ++i) {
        const TraceOut& trace = traces[i];
        if (trace.station % writers != first) continue;
        const std::uintmax_t size = trace.size;
        const std::string path = outDir + "/" + trace.relative;
        const std::string directory = path.substr(0, path.rfind('/'));
        const std::string station = directory.substr(0, directory.rfind('/'));
        if (::mkdir(station.c_str(), 0777) == 0) platform::SyncDirectory(outDir);
        if (::mkdir(directory.c_str(), 0777) == 0) platform::SyncDirectory(station);
        const std::string temporary = directory + "/.floor.tmp";
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (::write(fd, bytes.data(), size) != static_cast<ssize_t>(size)) std::perror("write");
        ::fsync(fd);
        ::close(fd);
        if (::rename(temporary.c_str(), path.c_str()) != 0) std::perror("rename");
        platform::SyncDirectory(directory);
        catalog::TransactionGuard transaction(database);
        insert.Execute(
            "INSERT INTO CONTRACT_FLOOR (STA, TBEGIN, TQTY, CH, SPS, GAIN, CPATH, FOFF, "
            "DATATYPE, CREATER) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            {std::string("STA1"), 1196344800.0 + static_cast<double>(i), 3600.0, std::string("SHZ"),
             100.0, std::int32_t{1}, "floor/" + trace.relative, std::int32_t{512}, std::int32_t{5},
             std::string("KELVARON")});
        transaction.Commit();
    }
}

double ContractFloorSeconds(const std::vector<std::string>& inputs,
                            const std::vector<TraceOut>& traces, const std::string& outDir) {
    StartEmpty(outDir);
    catalog::OdbcStatement(theDatabase).Execute("DELETE FROM CONTRACT_FLOOR");
    return bench::Seconds([&] { WriteUnderContract(theDatabase, inputs, traces, outDir, 0, 1); });
}

// DSNs of the SQLite driver, each on a fresh catalogue file of its own: the
// driver's defaults, and the write-ahead log with full sync twice (the
// time-window run's and the stations').
void WriteOdbcIni(const testing_support::TempDir& dir) {
    const std::string wal = "\nTimeout=10000\nJournalMode=WAL\nSyncPragma=FULL\n";
    const std::string ini = dir.Write(
        "odbc.ini", "[KelvaronBench]\nDriver=SQLite3\nDatabase=" + dir.File("catalogue.sqlite") +
                        "\nTimeout=10000\n\n[KelvaronBenchWal]\nDriver=SQLite3\nDatabase=" +
                        dir.File("catalogue-wal.sqlite") + wal +
                        "\n[KelvaronBenchStationsWal]\nDriver=SQLite3\nDatabase=" +
                        dir.File("catalogue-stations-wal.sqlite") + wal);
    ::setenv("ODBCINI", ini.c_str(), 1);
}

void OpenBenchCatalogue(const std::string& dsn) {
    theDatabase.Close();
    if (!theDatabase.Open("DSN=" + dsn + ";")) throw std::runtime_error("no connection to " + dsn);
    catalog::ExecuteSqlScript(theDatabase, testing_support::ReadFileBytes(
                                               KELVARON_SOURCE_DIR "/catalog/schema/sqlite.sql"));
    CreateFloorTable();
}

// Best of how many rounds.
int theRounds = 5;

void RunWindowBench(const testing_support::TempDir& dir, int mib, const std::string& dsn) {
    OpenBenchCatalogue(dsn);
    const std::string source = dir.File("source"), data = dir.File("data-" + dsn);
    fs::create_directories(source);
    fs::create_directories(data);
    std::vector<std::string> inputs;
    std::uint64_t inputBytes = 0;
    for (int i = 0; inputBytes < static_cast<std::uint64_t>(mib) << 20; ++i) {
        const std::string path = source + "/" + std::to_string(i) + ".dat";
        if (!fs::exists(path)) testing_support::MakeRecording(HourRecording(i)).WriteTo(path);
        inputs.push_back(path);
        inputBytes += fs::file_size(path);
    }
    std::ofstream(dir.File("kelvaron.ini")) << "[STA1]\r\nDIR=" << source << "\r\n";
    std::ofstream(dir.File("tvx.ini")) << "[DATA]\nDIR=" << data << "\n";
    ::setenv("TVX_INI", dir.File("tvx.ini").c_str(), 1);
    std::printf("-- catalogue DSN %s\n", dsn.c_str());

    bench::SilentFrontEnd front;
    engine::RunRequest request;
    request.stations = {"STA1"};
    request.windowStart = EpochFromCalendar(2007, 11, 1, 0, 0, 0);
    request.windowLength = 30 * 86400;
    request.settings = platform::ResolveRunSettings(request.stations);
    bench::CountingOutputs dropped;
    double run = 1e9, floor = 1e9, contract = 1e9, readFloor = 1e9, reader = 1e9;
    std::uint64_t readerBytes = 0;
    std::vector<TraceOut> traces;
    engine::CatalogueOutputs catalogue(theDatabase);
    for (int round = 0; round < theRounds; ++round) {
        StartEmptyRun(data);
        run = std::min(run,
                       bench::Seconds([&] { engine::RunConversion(request, front, catalogue); }));
        if (traces.empty()) traces = TracesWritten(data);
        floor = std::min(floor, FloorSeconds(inputs, traces, dir.File("floor")));
        contract = std::min(contract, ContractFloorSeconds(inputs, traces, dir.File("contract")));
        readFloor = std::min(readFloor, bench::Seconds([&] {
                                 for (const std::string& in : inputs) ReadWhole(in);
                             }));
        const std::uint64_t before = bench::BytesReadByProcess();
        reader = std::min(reader,
                          bench::Seconds([&] { engine::RunConversion(request, front, dropped); }));
        readerBytes = bench::BytesReadByProcess() - before;
    }
    std::uint64_t outputBytes = 0;
    for (const TraceOut& trace : traces) outputBytes += trace.size;
    std::printf("recordings                %zu (%.1f MiB in)\n", inputs.size(),
                inputBytes / 1048576.0);
    std::printf("trace files               %zu (%.1f MiB out), catalogue rows %d, messages %d\n",
                traces.size(), outputBytes / 1048576.0, testing_support::CountRows("FILELIST"),
                front.messages);
    std::printf("floor: read input         %.3f s\n", readFloor);
    std::printf("reader alone              %.3f s (scan, headers, data blocks; no output)\n",
                reader);
    // Settings files are read too: allow 16 KiB per recording.
    const double overInput =
        (static_cast<double>(readerBytes) - static_cast<double>(inputBytes)) / inputs.size();
    std::printf(
        "reader's bytes read       %.1f MiB, %.0f bytes per recording over its size "
        "(target <= 16384)   %s\n",
        readerBytes / 1048576.0, overInput, overInput <= 16384 ? "ok" : "OVER");
    std::printf("floor: read + write/fsync %.3f s\n", floor);
    std::printf(
        "floor: contract           %.3f s (write, fsync, rename, directory fsync and "
        "one committed row per trace file)\n",
        contract);
    std::printf("time-window run           %.3f s\n", run);
    // No target against the plain floor: the contract's own syncs and commits
    // already cost a multiple of it (the contract floor's ratio to it shows how much).
    std::printf("run / floor               %.2f (contract floor / floor %.2f)\n", run / floor,
                contract / floor);
    std::printf("run / contract floor      %.2f (target <= 1.1)   %s\n", run / contract,
                run / contract <= 1.1 ? "ok" : "OVER");
}

// The contract floor with `writers` writers at once, each on a connection
// of its own, sharing the input between them and the trace files by station.
double ContractFloorSeconds(const std::vector<std::string>& inputs,
                            const std::vector<TraceOut>& traces, const std::string& outDir,
                            int writers, const catalog::CatalogueLogin& login) {
    StartEmpty(outDir);
    catalog::OdbcStatement(theDatabase).Execute("DELETE FROM CONTRACT_FLOOR");
    std::vector<std::unique_ptr<catalog::OdbcConnection>> connections;
    for (int w = 0; w < writers; ++w) {
        connections.push_back(std::make_unique<catalog::OdbcConnection>());
        connections.back()->Open(catalog::ComposeConnectionString(login));
    }
    return bench::Seconds([&] {
        std::vector<std::jthread> threads;
        for (int w = 0; w < writers; ++w)
            threads.emplace_back([&, w] {
                WriteUnderContract(*connections[static_cast<std::size_t>(w)], inputs, traces,
                                   outDir, static_cast<std::size_t>(w),
                                   static_cast<std::size_t>(writers));
            });
    });
}

// Where the stations bench converts to (theDatabase is open on it, fresh):
// its name, the login its workers and floor writers connect with, and the
// -j 2 / -j 1 target (none: 0).
struct StationsCatalogue {
    std::string name;
    catalog::CatalogueLogin login;
    double target = 0;
};

// Eight stations, each with a source directory of its own, converted by one
// worker and by `workers` (each on its own connection, as kelvaron-batch -j
// does), against the contract floor with one writer and with as many.
void RunStationsBench(const testing_support::TempDir& dir, int mib, int workers,
                      const StationsCatalogue& catalogue) {
    CreateFloorTable();
    constexpr int kStations = 8;
    std::string label = catalogue.name;
    std::replace(label.begin(), label.end(), ' ', '-');
    const std::string data = dir.File("data-stations-" + label);
    fs::create_directories(data);
    std::ofstream ini(dir.File("kelvaron.ini"));
    engine::RunRequest request;
    std::vector<std::string> inputs;
    std::uint64_t inputBytes = 0;
    for (int i = 0; inputBytes < static_cast<std::uint64_t>(mib) << 20 || i < kStations; ++i) {
        const std::string station = "S" + std::to_string(i % kStations);
        const std::string source = dir.File("stations/" + station);
        if (i < kStations) {
            fs::create_directories(source);
            request.stations.push_back(station);
            ini << "[" << station << "]\r\nDIR=" << source << "\r\n";
        }
        const std::string path = source + "/" + std::to_string(i) + ".dat";
        testing_support::RecordingPlan plan = HourRecording(i / kStations);
        plan.station = station;
        if (!fs::exists(path)) testing_support::MakeRecording(plan).WriteTo(path);
        inputs.push_back(path);
        inputBytes += fs::file_size(path);
    }
    ini.close();
    std::ofstream(dir.File("tvx.ini")) << "[DATA]\nDIR=" << data << "\n";
    ::setenv("TVX_INI", dir.File("tvx.ini").c_str(), 1);
    request.windowStart = EpochFromCalendar(2007, 11, 1, 0, 0, 0);
    request.windowLength = 30 * 86400;
    request.settings = platform::ResolveRunSettings(request.stations);

    bench::SilentFrontEnd front;
    // The workers' connections are kept between rounds, as a watch keeps them
    // between passes: the floor's writers log in before they are timed too.
    cli::KeptConnections kept;
    const engine::MakeOutputs outputs =
        cli::CatalogueWorkers(theDatabase, catalogue.login, false, &kept);
    const auto runWith = [&](int n) {
        StartEmptyRun(data);
        return bench::Seconds([&] { engine::RunWithWorkers(request, front, n, outputs); });
    };
    double one = 1e9, many = 1e9, two = 1e9, floorOne = 1e9, floorMany = 1e9;
    std::vector<TraceOut> traces;
    for (int round = 0; round < theRounds; ++round) {
        one = std::min(one, runWith(1));
        if (traces.empty()) traces = TracesWritten(data);
        many = std::min(many, runWith(workers));
        two = workers == 2 ? many : std::min(two, runWith(2));
        floorOne = std::min(
            floorOne, ContractFloorSeconds(inputs, traces, dir.File("floor1"), 1, catalogue.login));
        floorMany = std::min(floorMany, ContractFloorSeconds(inputs, traces, dir.File("floorN"),
                                                             workers, catalogue.login));
    }
    const double login = bench::Seconds([&] {
        catalog::OdbcConnection connection;
        connection.Open(catalog::ComposeConnectionString(catalogue.login));
    });
    std::printf("-- 8 stations, %s: %zu recordings (%.1f MiB in), %zu trace files, %d rows\n",
                catalogue.name.c_str(), inputs.size(), inputBytes / 1048576.0, traces.size(),
                testing_support::CountRows("FILELIST"));
    std::printf("run -j 1                  %.3f s, %.2f x the contract floor (1 writer, %.3f s)\n",
                one, one / floorOne, floorOne);
    std::printf(
        "run -j %d                  %.3f s, %.2f x the contract floor (%d writers, %.3f s)\n",
        workers, many, many / floorMany, workers, floorMany);
    std::printf("contract floor: %d writers / 1 writer  %.2f\n", workers, floorMany / floorOne);
    std::printf("a worker's login          %.3f s (kept between rounds: in no figure)\n", login);
    if (catalogue.target > 0)
        std::printf("8 stations: -j 2 / -j 1   %.2f (target <= %.2f)   %s\n", two / one,
                    catalogue.target, two / one <= catalogue.target ? "ok" : "OVER");
    else
        std::printf("8 stations: -j 2 / -j 1   %.2f (for reference: no target)\n", two / one);
    theDatabase.Close();
}

// The stations bench on one of the tests' back ends, where it is reachable.
void RunStationsBench(const testing_support::TempDir& dir, int mib, int workers,
                      testing_support::CatalogueBackendKind kind) {
    testing_support::CatalogueBackend& backend = testing_support::GetCatalogueBackend(kind);
    const bool sqlite = kind == testing_support::CatalogueBackendKind::SQLite;
    const std::string name = sqlite ? "SQLite rollback journal" : backend.name();
    if (const std::string why = backend.UnavailableReason(); !why.empty()) {
        std::printf("-- 8 stations, %s: not reachable (%s)\n", name.c_str(), why.c_str());
        return;
    }
    backend.OpenFreshCatalogue();
    RunStationsBench(dir, mib, workers, {name, backend.Login(), sqlite ? 0 : 0.75});
}

void RunMemoryBench(const testing_support::TempDir& dir) {
    // One day at 200 samples per second on three channels: about 120 MiB of data.
    testing_support::RecordingPlan plan;
    plan.dataSec = "86400";
    plan.data.rate16 = 200;
    plan.data.records = 86400;
    const std::string path = testing_support::MakeRecording(plan).WriteTo(dir.File("day.dat"));
    const std::int64_t block =
        static_cast<std::int64_t>(plan.data.records) * testing_support::RecordBytes(plan.data);
    bench::SilentFrontEnd front;
    engine::RunRequest request;
    request.mode = engine::RunMode::Files;
    request.stations = {"STA1"};
    request.files = {path};
    request.settings = platform::ResolveRunSettings(request.stations);
    bench::ResetPeakMemory();
    const std::uint64_t before = bench::PeakMemory();
    engine::CatalogueOutputs catalogue(theDatabase);
    engine::RunConversion(request, front, catalogue);
    const std::uint64_t growth = bench::PeakMemory() - before;
    const double overBlock = (static_cast<double>(growth) - block) / 1048576.0;
    std::printf("one recording: data block %.1f MiB, peak memory growth %.1f MiB\n",
                block / 1048576.0, growth / 1048576.0);
    std::printf("peak - data block         %.1f MiB (target <= 64)   %s\n", overBlock,
                overBlock <= 64 ? "ok" : "OVER");
}

}  // namespace

int main(int argc, char** argv) {
    const int mib = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    const int workers = argc > 2 ? std::max(1, std::atoi(argv[2])) : 2;
    theRounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    testing_support::TempDir dir;
    fs::current_path(dir.path());
    WriteOdbcIni(dir);
    RunWindowBench(dir, mib, "KelvaronBench");
    RunWindowBench(dir, mib, "KelvaronBenchWal");
    RunMemoryBench(dir);
    OpenBenchCatalogue("KelvaronBenchStationsWal");
    RunStationsBench(dir, mib, workers, {"SQLite WAL", {"KelvaronBenchStationsWal", "", ""}, 0.85});
    // The tests' back ends, each on its own catalogue (PostgreSQL when the
    // tests' server is running: bash scripts/pg-test-server.sh start build/pg-test-server).
    for (testing_support::CatalogueBackendKind kind : testing_support::AllCatalogueBackends())
        RunStationsBench(dir, mib, workers, kind);
    return 0;
}
