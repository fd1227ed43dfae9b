// How fast the archive check runs against the floor of any such check: a
// plain walk of the same tree that opens every file and reads its 512-byte
// header, measured in the same run. Builds a tree of trace files (default 100 000: 10 stations, 100
// hour directories each, 100 files each) with one FILELIST row per file, on
// each catalogue back end that is reachable, and prints files per second,
// the ratio to the floor, and the peak memory of a check of one station
// against that of all ten (equal when memory does not grow with the archive).
// The PostgreSQL back end needs the tests' server:
//   bash scripts/pg-test-server.sh start build/pg-test-server
// Usage: archive_check_bench [FILES]
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "archive/archive_check.h"
#include "archive/catalogue_check.h"
#include "archive/trace_writer.h"
#include "bench/bench_support.h"
#include "catalog/catalogue.h"
#include "catalog/file_list_rows.h"
#include "catalog/odbc_statement.h"
#include "catalog/transaction_guard.h"
#include "formats/tvx/trace_naming.h"
#include "formats/tvx/tvx_header.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr int kStations = 10;
constexpr double kRate = 100.0000000001;
constexpr int kSamples = 100;
constexpr double kFirstStart = 1196344800.0;  // 29.11.2007 14:00:00

struct TraceSpec {
    std::string station;
    double start;
};

TraceSpec SpecOf(long i, long perStation) {
    const long inStation = i % perStation;
    return {"S" + std::to_string(i / perStation),
            kFirstStart + static_cast<double>(inStation / 100) * 3600 + (inStation % 100) * 30};
}

std::string RelativeOf(const TraceSpec& t) {
    return engine::ComposeTraceLocation("", t.station, "SHZ", *engine::TraceStartOf(t.start))
        .catalogPath;
}

void BuildTree(const std::string& dataDir, long files) {
    const long perStation = files / kStations;
    const std::string samples(2 * kSamples, '\x01');
    for (long i = 0; i < files; ++i) {
        const TraceSpec t = SpecOf(i, perStation);
        const engine::TraceLocation at =
            engine::ComposeTraceLocation(dataDir, t.station, "SHZ", *engine::TraceStartOf(t.start));
        ::mkdir(at.stationDir.c_str(), 0755);
        ::mkdir(at.hourDir.c_str(), 0755);
        char header[kTraceHeaderSize];
        BuildTraceHeader(header, t.station, "SHZ", t.start, kSamples / kRate, kRate);
        std::FILE* f = std::fopen(at.fullPath.c_str(), "wb");
        if (!f || std::fwrite(header, 1, sizeof header, f) != sizeof header ||
            std::fwrite(samples.data(), 1, samples.size(), f) != samples.size() || std::fclose(f)) {
            std::perror(at.fullPath.c_str());
            std::exit(1);
        }
    }
}

void InsertRows(long files) {
    const long perStation = files / kStations;
    constexpr int kPerStatement = 100;
    catalog::TransactionGuard transaction(theDatabase);
    catalog::OdbcStatement insert(theDatabase);
    for (long i = 0; i < files; i += kPerStatement) {
        std::string sql = "INSERT INTO FILELIST (STA, TBEGIN, TQTY, CH, SPS, CPATH) VALUES ";
        std::vector<catalog::SqlValue> params;
        for (long k = i; k < std::min(files, i + kPerStatement); ++k) {
            const TraceSpec t = SpecOf(k, perStation);
            sql += k == i ? "(?,?,?,?,?,?)" : ",(?,?,?,?,?,?)";
            params.insert(params.end(), {t.station, t.start, kSamples / kRate, std::string("SHZ"),
                                         kRate, RelativeOf(t)});
        }
        insert.Execute(sql, params);
    }
    transaction.Commit();
}

// The floor: every directory listed, every file stat()ed. With readHeaders,
// what reading the headers alone costs: each file opened instead and its
// first 512 bytes read (no catalogue, no judging).
long Walk(const std::string& dir, bool readHeaders) {
    DIR* d = ::opendir(dir.c_str());
    if (!d) return 0;
    long files = 0;
    while (const dirent* e = ::readdir(d)) {
        if (e->d_name[0] == '.' && (!e->d_name[1] || (e->d_name[1] == '.' && !e->d_name[2])))
            continue;
        if (readHeaders && e->d_type != DT_DIR) {
            const int fd = ::openat(::dirfd(d), e->d_name, O_RDONLY | O_CLOEXEC);
            struct stat st {};
            char head[kTraceHeaderSize];
            if (fd >= 0 && ::fstat(fd, &st) == 0 && ::pread(fd, head, sizeof head, 0) > 0) ++files;
            if (fd >= 0) ::close(fd);
            continue;
        }
        struct stat st {};
        if (::fstatat(::dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISDIR(st.st_mode))
            files += Walk(dir + "/" + e->d_name, readHeaders);
        else
            ++files;
    }
    ::closedir(d);
    return files;
}

class Quiet : public engine::CheckObserver {
public:
    long problems = 0;
    void Problem(const engine::CheckProblem&) override { ++problems; }
    void Repair(const std::string&, const std::string&, const std::string&) override {}
};

// The check as `kelvaron-batch check` runs it (rows read ahead), or with
// the rows read in line with the walk.
engine::CheckSummary RunCheck(const std::string& dataDir, const std::vector<std::string>& stations,
                              long& problems, bool readAhead = true) {
    Quiet quiet;
    engine::CheckSummary summary;
    engine::CheckRequest request;
    request.dataDir = dataDir;
    request.stations = stations;
    if (readAhead) {
        summary = engine::CheckAgainstCatalogue(request, theDatabase, quiet);
    } else {
        catalog::FileListRows rows(theDatabase, stations);
        summary = engine::CheckArchive(
            request, [&](catalog::FileListRow& row) { return rows.Next(row); },
            [](const std::string&) {}, quiet);
    }
    problems = quiet.problems;
    return summary;
}

void Measure(testing_support::CatalogueBackend& backend, const std::string& dataDir, long files) {
    if (const std::string why = backend.UnavailableReason(); !why.empty()) {
        std::printf("%s: not reachable (%s)\n", backend.name().c_str(), why.c_str());
        return;
    }
    backend.OpenFreshCatalogue();
    InsertRows(files);

    double statWalk = 1e30, floor = 1e30, streaming = 1e30, inLine = 1e30, check = 1e30;
    long walked = 0, problems = 0;
    engine::CheckSummary summary;
    for (int round = 0; round < 5; ++round) {  // best of five, all warm
        statWalk = std::min(statWalk, bench::Seconds([&] { Walk(dataDir, false); }));
        floor = std::min(floor, bench::Seconds([&] { walked = Walk(dataDir, true); }));
        streaming = std::min(streaming, bench::Seconds([&] {
                                 catalog::FileListRows rows(theDatabase, {});
                                 catalog::FileListRow row;
                                 while (rows.Next(row)) {
                                 }
                             }));
        inLine = std::min(inLine, bench::Seconds([&] { RunCheck(dataDir, {}, problems, false); }));
        check = std::min(check, bench::Seconds([&] { summary = RunCheck(dataDir, {}, problems); }));
    }
    bench::ResetPeakMemory();
    const std::uint64_t base = bench::PeakMemory();
    RunCheck(dataDir, {"S0"}, problems);
    const std::uint64_t oneStation = bench::PeakMemory() - base;
    bench::ResetPeakMemory();
    const std::uint64_t base2 = bench::PeakMemory();
    RunCheck(dataDir, {}, problems);
    const std::uint64_t allStations = bench::PeakMemory() - base2;

    std::printf("%s: %lld files, %lld rows, %ld problems\n", backend.name().c_str(),
                static_cast<long long>(summary.files), static_cast<long long>(summary.rows),
                problems);
    std::printf(
        "  floor, walk + open and read of every header: %ld files in %.3f s (%.0f files/s)\n",
        walked, floor, walked / floor);
    std::printf("  plain walk + stat: %.3f s, %.2f x the floor\n", statWalk, statWalk / floor);
    std::printf("  FILELIST rows alone, in CPATH order: %.3f s, %.2f x the floor\n", streaming,
                streaming / floor);
    std::printf("  check, rows read in line with the walk: %.3f s, %.2f x the floor\n", inLine,
                inLine / floor);
    std::printf("  check, rows read ahead: %.3f s (%.0f files/s), %.2f x the floor (target 3)\n",
                check, summary.files / check, check / floor);
    std::printf("  peak memory above start: one station %.1f MB, all %d stations %.1f MB\n",
                oneStation / 1e6, kStations, allStations / 1e6);
    theDatabase.Close();
}

}  // namespace

int main(int argc, char** argv) {
    const long files = argc > 1 ? std::atol(argv[1]) : 100000;
    testing_support::TempDir dir;
    const std::string dataDir = dir.path() + "/";
    const double built = bench::Seconds([&] { BuildTree(dataDir, files); });
    std::printf("tree of %ld trace files built in %.1f s\n", files, built);
    for (testing_support::CatalogueBackendKind kind : testing_support::AllCatalogueBackends())
        Measure(testing_support::GetCatalogueBackend(kind), dataDir, files);
    return 0;
}
