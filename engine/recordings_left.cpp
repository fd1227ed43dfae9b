#include "engine/recordings_left.h"

#include <optional>

#include "engine/driver_bodies.h"
#include "formats/recorder/recorder_header.h"
#include "platform/ini_file.h"
#include "platform/kelvaron_settings.h"

namespace engine {

namespace {

void AddLeft(RunSummary& summary, const std::string& station, int recordings) {
    if (recordings == 0) return;
    if (!summary.leftUnconverted.empty() && summary.leftUnconverted.back().station == station)
        summary.leftUnconverted.back().recordings += recordings;
    else
        summary.leftUnconverted.push_back({station, recordings});
}

}  // namespace

void CountStationLeft(RunContext& run, const std::string& station, const std::string& dir,
                      const std::vector<SourceEntry>& entries, std::size_t from,
                      const DirectoryRecord& records) {
    const bool sync = run.request.mode == RunMode::Sync;
    int left = 0;
    for (std::size_t i = from; i < entries.size() && !run.StopRequested(); ++i)
        if (sync ? SyncWouldConvert(run, station, dir, entries[i], records)
                 : WindowTakes(ExamineSourceEntry(dir, entries[i], station),
                               run.request.windowStart, run.request.windowLength))
            ++left;
    AddLeft(run.summary, station, left);
}

void CountStationsLeft(RunContext& run, const std::vector<std::size_t>& left) {
    const std::vector<std::string>& stations = run.request.stations;
    for (std::size_t k : left) {
        if (run.StopRequested()) break;
        const std::string source = SourceDirectoryOf(run, stations[k]);
        if (source.empty()) continue;  // no directory: nothing to convert
        const std::string dir = platform::ListedSourceDirectory(source);
        if (const std::optional<std::vector<SourceEntry>> entries = ListSourceDirectory(dir))
            CountStationLeft(run, stations[k], dir, *entries, 0);
    }
}

void CountFilesLeft(RunContext& run, const std::vector<std::size_t>& left) {
    const std::vector<std::string>& files = run.request.files;
    for (std::size_t i : left) {
        if (run.StopRequested()) break;
        platform::IniFile header(files[i], platform::kHeaderScanKeptBytes);
        const std::string name = ReadStationName(header);
        if (!name.empty() && IsSelected(run.request, name)) AddLeft(run.summary, name, 1);
    }
}

}  // namespace engine
