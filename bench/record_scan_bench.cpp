// A sync and a time-window run over a directory of recordings that are all
// unchanged since the record of recordings saw them (the SQLite catalogue
// of the tests), against the floor of listing the directory and stat()ing
// each entry, measured in this run. Nothing is converted: the window lies
// after every recording. The first sync reads every record (they were
// written without a listing) and keeps the directory's listing; the runs
// after it find the directory as listed.
//
//   record_scan_bench [FILES]     (default 50000)
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "archive/source_scan.h"
#include "bench/bench_support.h"
#include "catalog/catalogue.h"
#include "catalog/recording_record.h"
#include "catalog/schema_install.h"
#include "engine/drivers.h"
#include "engine/recorded_entries.h"
#include "engine/run_record.h"
#include "formats/date_time.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace {

// Made an hour ago: long settled.
void MakeRecordings(const std::string& dir, int count) {
    testing_support::RecordingPlan plan;
    plan.data.records = 1;
    testing_support::RecorderFile file = testing_support::MakeRecording(plan);
    const timespec hourAgo{std::chrono::system_clock::to_time_t(std::chrono::system_clock::now() -
                                                                std::chrono::hours(1)),
                           0};
    const timespec times[2] = {hourAgo, hourAgo};
    for (int i = 0; i < count; ++i) {
        char time[16];
        std::snprintf(time, sizeof time, "%02d:%02d:00", i / 60 % 24, i % 60);
        file.Set("FILE", "TIME_INT", time);
        const std::string path = dir + "/" + std::to_string(100000 + i) + ".dat";
        file.WriteTo(path);
        ::utimensat(AT_FDCWD, path.c_str(), times, 0);
    }
}

// What a first sync would have recorded of each.
void RecordAll(const std::string& dir) {
    const std::string recordDir = engine::RecordPath(dir + "/");
    std::vector<catalog::RecordingRecord> batch;
    const auto entries = engine::ListSourceDirectory(dir + "/");
    for (const engine::SourceEntry& entry : entries.value()) {
        const auto stat = engine::StatEntry(dir + "/" + entry.name);
        catalog::RecordingRecord record =
            engine::EntryRecord(recordDir + entry.name, "STA1", *stat);
        record.outcome = catalog::RecordingOutcome::Converted;
        record.startTime = EpochFromCalendar(2007, 11, 29, 0, 0, 0);
        record.spanSeconds = 4;
        record.host = "bench";
        batch.push_back(std::move(record));
    }
    catalog::WriteRecordingRecords(theDatabase, batch);
}

// List, and stat each entry: what any look at the directory must do.
double FloorSeconds(const std::string& dir) {
    return bench::Seconds([&] {
        struct stat st {};
        const auto entries = engine::ListSourceDirectory(dir + "/");
        for (const engine::SourceEntry& entry : entries.value())
            ::stat((dir + "/" + entry.name).c_str(), &st);
    });
}

double RunSeconds(engine::RunMode mode, engine::RunSummary& summary) {
    bench::SilentFrontEnd front;
    engine::CatalogueOutputs outputs(theDatabase);
    engine::RunRequest request;
    request.mode = mode;
    request.stations = {"STA1"};
    request.settings = platform::ResolveRunSettings(request.stations);
    request.windowStart = EpochFromCalendar(2010, 1, 1, 0, 0, 0);
    request.windowLength = 3600;
    return bench::Seconds([&] { summary = engine::RunConversion(request, front, outputs); });
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50000;
    testing_support::CatalogueBackend& backend =
        testing_support::GetCatalogueBackend(testing_support::CatalogueBackendKind::SQLite);
    if (const std::string why = backend.UnavailableReason(); !why.empty()) {
        std::printf("skipped: %s\n", why.c_str());
        return 0;
    }
    testing_support::TempDir dir;
    const std::string source = dir.File("source");
    std::filesystem::create_directories(source);
    std::printf("making %d recorder files in %s ...\n", count, source.c_str());
    MakeRecordings(source, count);
    std::filesystem::current_path(dir.path());
    std::ofstream("kelvaron.ini") << "[STA1]\r\nDIR=" << source << "\r\n";
    backend.OpenFreshCatalogue();
    catalog::UpgradeCatalogueSchema(theDatabase);
    RecordAll(source);

    double floor = 1e9, sync = 1e9, window = 1e9, load = 1e9;
    engine::RunSummary syncSummary, windowSummary;
    FloorSeconds(source);  // warm the caches
    const double first = RunSeconds(engine::RunMode::Sync, syncSummary);
    for (int round = 0; round < 3; ++round) {  // best of three each
        floor = std::min(floor, FloorSeconds(source));
        load =
            std::min(load, bench::Seconds([&] {
                         catalog::LoadDirectoryScan(theDatabase, engine::RecordPath(source + "/"));
                     }));
        sync = std::min(sync, RunSeconds(engine::RunMode::Sync, syncSummary));
        window = std::min(window, RunSeconds(engine::RunMode::Window, windowSummary));
    }
    theDatabase.Close();
    if (syncSummary.converted + windowSummary.converted != 0 ||
        syncSummary.Skipped(engine::SkipReason::Unchanged) != count ||
        windowSummary.Skipped(engine::SkipReason::OutsideWindow) != count)
        std::printf("unexpected: a run did more than look (%s | %s)\n",
                    engine::SummaryLine(syncSummary).c_str(),
                    engine::SummaryLine(windowSummary).c_str());

    std::printf("unchanged recordings      %d\n", count);
    std::printf("floor: list and stat      %.3f s\n", floor);
    std::printf("reading the records       %.3f s\n", load);
    std::printf("first sync (reads them)   %.3f s   ratio %.2f\n", first, first / floor);
    std::printf("sync                      %.3f s   ratio %.2f (target <= 1.5)   %s\n", sync,
                sync / floor, sync / floor <= 1.5 ? "ok" : "OVER");
    std::printf("window                    %.3f s   ratio %.2f (target <= 1.5)   %s\n", window,
                window / floor, window / floor <= 1.5 ? "ok" : "OVER");
    return 0;
}
