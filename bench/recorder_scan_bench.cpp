// Time-window scan over a directory of recorder files of 1 MiB that all lie
// outside the window: the bytes read per file, and the scan's time against
// the floor of reading the first 4 KiB of each file, measured in this run.
//
//   recorder_scan_bench [FILES]     (default 5000)
//
// The files carry a real header and 64 KiB of real records; the rest of each
// MiB is a hole, so making them is quick and costs no disk.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "archive/source_scan.h"
#include "bench/bench_support.h"
#include "engine/driver_bodies.h"
#include "engine/entry_read_ahead.h"
#include "formats/date_time.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr std::int64_t kFileSize = 1 << 20;

void MakeRecordings(const std::string& dir, int count) {
    testing_support::RecordingPlan plan;
    plan.dataSec = "3600";
    plan.data.records = 64 * 1024 / (256 + 2 * 3 * 100);
    testing_support::RecorderFile file = testing_support::MakeRecording(plan);
    for (int i = 0; i < count; ++i) {
        char time[16];
        std::snprintf(time, sizeof time, "%02d:%02d:00", i / 60 % 24, i % 60);
        file.Set("FILE", "TIME_INT", time);
        const std::string path = dir + "/" + std::to_string(100000 + i) + ".dat";
        file.WriteTo(path);
        if (::truncate(path.c_str(), kFileSize) != 0) std::perror("truncate");
    }
}

// Open, read the first 4 KiB, close: what any header reader must at least do.
double FloorSeconds(const std::string& dir) {
    return bench::Seconds([&] {
        char buffer[4096];
        const auto entries = engine::ListSourceDirectory(dir + "/");
        for (const engine::SourceEntry& entry : entries.value()) {
            const int fd = ::open((dir + "/" + entry.name).c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0) continue;
            if (::pread(fd, buffer, sizeof buffer, 0) < 0) std::perror("pread");
            ::close(fd);
        }
    });
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5000;
    testing_support::TempDir dir;
    const std::string source = dir.File("source");
    std::filesystem::create_directories(source);
    std::printf("making %d recorder files of 1 MiB in %s ...\n", count, source.c_str());
    MakeRecordings(source, count);
    std::filesystem::current_path(dir.path());
    std::ofstream("kelvaron.ini") << "[STA1]\r\nDIR=" << source << "\r\n";

    bench::SilentFrontEnd front;
    bench::CountingOutputs outputs;
    const double windowStart = EpochFromCalendar(2010, 1, 1, 0, 0, 0);

    double floor = 1e9, scan = 1e9;
    std::uint64_t scanBytes = 0;
    for (int round = 0; round < 3; ++round) {  // warm caches; best of three each
        floor = std::min(floor, FloorSeconds(source));
        const std::uint64_t before = bench::BytesReadByProcess();
        scan = std::min(scan, bench::Seconds([&] {
                            engine::RunRequest request;
                            request.stations = {"STA1"};
                            request.settings = platform::ResolveRunSettings(request.stations);
                            engine::RunContext run(request, front, outputs, {});
                            // As a one-worker run sets it up.
                            run.readAhead = engine::ReadAheadFits(1);
                            engine::ConvertStationWindow("STA1", 1, windowStart, 3600, run);
                        }));
        scanBytes = bench::BytesReadByProcess() - before;
    }
    if (outputs.traces != 0) std::printf("unexpected: %d trace files\n", outputs.traces);

    const double perFile = static_cast<double>(scanBytes) / count;
    const double ratio = scan / floor;
    std::printf("files                     %d\n", count);
    std::printf("bytes read per file       %.0f (target <= 65536)   %s\n", perFile,
                perFile <= 65536 ? "ok" : "OVER");
    std::printf("floor: first 4 KiB each   %.3f s\n", floor);
    std::printf("scan                      %.3f s\n", scan);
    std::printf("scan / floor              %.2f (target <= 2.0)   %s\n", ratio,
                ratio <= 2.0 ? "ok" : "OVER");
    return 0;
}
