// Peak memory of converting one recording of about 200 MiB against the peak
// of converting a one-minute recording, each in a child process of its own
// (getrusage's ru_maxrss of the child): the conversion reads a recording
// record by record, so the large one may take at most 64 MiB more. Both are
// file runs with the real trace writer and the catalogue on SQLite.
//
//   convert_memory_bench [MIB]     (default 200)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "bench/bench_support.h"
#include "catalog/catalogue.h"
#include "catalog/sql_script.h"
#include "engine/drivers.h"
#include "platform/kelvaron_settings.h"
#include "tests/support/catalogue_queries.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace {

// Three channels at 1000 samples per second: 6256 bytes a second.
testing_support::RecordingPlan Plan(int seconds) {
    testing_support::RecordingPlan plan;
    plan.dataSec = std::to_string(seconds);
    plan.data.rate16 = 1000;
    plan.data.records = seconds;
    return plan;
}

// Runs f in a child process; its peak resident set in bytes, or 0 when it failed.
template <class F>
std::uint64_t ChildPeak(F&& f) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork");
    if (pid == 0) {
        int status = 1;
        try {
            status = f() ? 0 : 1;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
        }
        std::_Exit(status);
    }
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return 0;
    return static_cast<std::uint64_t>(usage.ru_maxrss) * 1024;
}

// A file run over one recording; true when it was converted with its three traces.
bool Convert(const std::string& path, const std::string& catalogue) {
    std::filesystem::remove(catalogue);  // each conversion on a fresh catalogue
    if (!theDatabase.Open("DSN=KelvaronMemoryBench;")) return false;
    catalog::ExecuteSqlScript(theDatabase, testing_support::ReadFileBytes(
                                               KELVARON_SOURCE_DIR "/catalog/schema/sqlite.sql"));
    bench::SilentFrontEnd front;
    engine::RunRequest request;
    request.mode = engine::RunMode::Files;
    request.stations = {"STA1"};
    request.files = {path};
    request.settings = platform::ResolveRunSettings(request.stations);
    engine::CatalogueOutputs outputs(theDatabase);
    const engine::RunSummary summary = engine::RunConversion(request, front, outputs);
    theDatabase.Close();
    return summary.converted == 1 && summary.traces == 3 && front.messages == 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int mib = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    testing_support::TempDir dir;
    std::filesystem::current_path(dir.path());
    const std::string ini =
        dir.Write("odbc.ini", "[KelvaronMemoryBench]\nDriver=SQLite3\nDatabase=" +
                                  dir.File("catalogue.sqlite") + "\nTimeout=10000\n");
    ::setenv("ODBCINI", ini.c_str(), 1);
    std::filesystem::create_directories(dir.File("data"));
    std::ofstream(dir.File("tvx.ini")) << "[DATA]\nDIR=" << dir.File("data") << "\n";
    ::setenv("TVX_INI", dir.File("tvx.ini").c_str(), 1);

    const int bigSeconds = static_cast<int>((static_cast<std::int64_t>(mib) << 20) /
                                            testing_support::RecordBytes(Plan(1).data));
    const std::string small = dir.File("minute.dat"), big = dir.File("large.dat");
    // Made in a child, so that the converting children start from the same small parent.
    if (ChildPeak([&] {
            testing_support::MakeRecording(Plan(60)).WriteTo(small);
            testing_support::MakeRecording(Plan(bigSeconds)).WriteTo(big);
            return true;
        }) == 0) {
        std::fprintf(stderr, "could not make the recordings\n");
        return 1;
    }
    const std::string catalogue = dir.File("catalogue.sqlite");
    const std::uint64_t floor = ChildPeak([&] { return Convert(small, catalogue); });
    const std::uint64_t peak = ChildPeak([&] { return Convert(big, catalogue); });
    if (floor == 0 || peak == 0) {
        std::fprintf(stderr, "a conversion failed\n");
        return 1;
    }
    const double above = (static_cast<double>(peak) - static_cast<double>(floor)) / 1048576.0;
    std::printf("recording                 %.1f MiB (%d s), and one of 60 s\n",
                std::filesystem::file_size(big) / 1048576.0, bigSeconds);
    std::printf("peak RSS, 60 s recording  %.1f MiB\n", floor / 1048576.0);
    std::printf("peak RSS, large recording %.1f MiB\n", peak / 1048576.0);
    std::printf("large - 60 s              %.1f MiB (target <= 64)   %s\n", above,
                above <= 64 ? "ok" : "OVER");
    return 0;
}
