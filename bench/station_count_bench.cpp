// `kelvaron-batch window` over many stations listed in kelvaron.ini whose
// source directories are all missing, each reported on a line of its own:
// the settings read and resolved, every station's directory tried, the
// lines written to stderr (a file here), the catalogue on the embedded
// SQLite driver. Against the floor measured in this run: read the same
// kelvaron.ini, try to open each station's directory and write the run's
// own lines through one buffered stream. Then the time per station of a run
// over FEW stations against one over MANY: work per station must not grow
// with the number of stations.
//
//   station_count_bench [MANY [FEW]]     (default 100000 and 2000)
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "catalog/catalogue.h"
#include "catalog/sql_script.h"
#include "cli/batch_run.h"
#include "tests/support/temp_dir.h"

namespace {

std::string StationName(int i) {
    std::string name = "S";
    name += std::to_string(100000 + i);
    return name;
}

// kelvaron.ini of `count` stations, each with a section naming a directory
// that does not exist.
std::string WriteKelvaronIni(const testing_support::TempDir& dir, int count) {
    std::string ini = "[KELVARON]\r\nNSTA=" + std::to_string(count) + "\r\n";
    for (int i = 0; i < count; ++i)
        ini += "STA" + std::to_string(i) + "=" + StationName(i) + "\r\n";
    ini += "TIME=10:00:00 15/03/2024\r\nTIMEQTY=000 02:00:00\r\nLANG=en\r\n";
    for (int i = 0; i < count; ++i) {
        const std::string name = StationName(i);
        ini.append("[").append(name).append("]\r\nDIR=");
        ini.append(dir.File("missing/" + name)).append("\r\n");
    }
    return dir.Write("kelvaron-" + std::to_string(count) + ".ini", ini);
}

// The window run as kelvaron-batch makes it, its stderr into `log`.
double RunSeconds(const std::string& kelvaronIni, const std::string& log) {
    std::fflush(stderr);
    const int saved = ::dup(STDERR_FILENO);
    const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ::dup2(fd, STDERR_FILENO);
    ::close(fd);
    const double seconds = bench::Seconds([&] {
        cli::RunBatch({"window", "--config", kelvaronIni}, theDatabase);
    });
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    return seconds;
}

// What any such run must do: read kelvaron.ini, try each directory, write
// the lines.
double FloorSeconds(const std::string& kelvaronIni, const std::vector<std::string>& dirs,
                    const std::string& lines, const std::string& out) {
    return bench::Seconds([&] {
        std::vector<char> buffer(1 << 20);
        const int in = ::open(kelvaronIni.c_str(), O_RDONLY | O_CLOEXEC);
        while (::read(in, buffer.data(), buffer.size()) > 0) {
        }
        ::close(in);
        std::FILE* file = std::fopen(out.c_str(), "w");
        std::size_t at = 0;
        for (const std::string& dir : dirs) {
            const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (fd >= 0) ::close(fd);
            const std::size_t end = std::min(lines.find('\n', at), lines.size() - 1) + 1;
            std::fwrite(lines.data() + at, 1, end - at, file);
            at = end;
        }
        std::fwrite(lines.data() + at, 1, lines.size() - at, file);
        std::fclose(file);
    });
}

std::size_t CountLines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace

int main(int argc, char** argv) {
    const int many = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
    const int few = argc > 2 ? std::max(1, std::atoi(argv[2])) : 2000;
    testing_support::TempDir dir;
    const std::string odbcIni = dir.Write(
        "odbc.ini", "[KelvaronBench]\nDriver=SQLite3\nDatabase=" + dir.File("catalogue.sqlite") +
                        "\nTimeout=10000\nJournalMode=WAL\nSyncPragma=FULL\n");
    ::setenv("ODBCINI", odbcIni.c_str(), 1);
    const std::string tvxIni =
        dir.Write("tvx.ini", "[DATABASE]\nODBC=KelvaronBench\n[DATA]\nDIR=" + dir.path() + "\n");
    ::setenv("TVX_INI", tvxIni.c_str(), 1);
    if (!theDatabase.Open("DSN=KelvaronBench;")) {
        std::fprintf(stderr, "no catalogue\n");
        return 1;
    }
    catalog::ExecuteSqlScript(theDatabase, testing_support::ReadFileBytes(
                                               KELVARON_SOURCE_DIR "/catalog/schema/sqlite.sql"));
    theDatabase.Close();

    const std::string manyIni = WriteKelvaronIni(dir, many), fewIni = WriteKelvaronIni(dir, few);
    std::vector<std::string> dirs;
    for (int i = 0; i < many; ++i) dirs.push_back(dir.File("missing/" + StationName(i)) + "/");
    const std::string log = dir.File("run.log");
    double run = 1e9, floor = 1e9, fewRun = 1e9;
    std::string lines;
    // Shared machines vary: best of five, interleaved.
    for (int round = 0; round < 5; ++round) {
        run = std::min(run, RunSeconds(manyIni, log));
        if (lines.empty()) lines = testing_support::ReadFileBytes(log);
        floor = std::min(floor, FloorSeconds(manyIni, dirs, lines, dir.File("floor.log")));
        fewRun = std::min(fewRun, RunSeconds(fewIni, log));
    }
    std::printf("stations                     %d, report lines %zu\n", many, CountLines(lines));
    std::printf("floor: read kelvaron.ini, open each directory, write the lines   %.3f s\n", floor);
    std::printf("window run                   %.3f s (target < 1 s)   %s\n", run,
                run < 1.0 ? "ok" : "OVER");
    std::printf("run / floor                  %.2f\n", run / floor);
    const double manyEach = run / many, fewEach = fewRun / few;
    std::printf("per station, %6d stations   %.1f us\n", few, fewEach * 1e6);
    std::printf("per station, %6d stations   %.1f us\n", many, manyEach * 1e6);
    std::printf("many / few                   %.2f (target <= 2.0)   %s\n", manyEach / fewEach,
                manyEach / fewEach <= 2.0 ? "ok" : "OVER");
    return 0;
}
