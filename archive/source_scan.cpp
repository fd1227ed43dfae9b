#include "archive/source_scan.h"

#include <cmath>
#include <filesystem>
#include <system_error>

#include "formats/recorder/recorder_text.h"
#include "platform/station_order.h"

namespace engine {

std::optional<std::vector<SourceEntry>> ListSourceDirectory(const std::string& dir,
                                                            const std::function<bool()>& stop) {
    std::error_code error;
    std::filesystem::directory_iterator it(dir, error);
    if (error) return std::nullopt;
    std::vector<SourceEntry> entries;
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (stop && stop()) break;
        std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.') continue;
        std::error_code typeError;
        entries.push_back({std::move(name), it->is_regular_file(typeError)});
    }
    return entries;
}

SourceRecording ExamineSourceEntry(const std::string& dir, const SourceEntry& entry,
                                   const std::string& station) {
    using Verdict = SourceRecording::Verdict;
    SourceRecording out;
    out.path = dir + entry.name;
    if (!entry.regular) return out;
    out.header = std::make_unique<platform::IniFile>(out.path, platform::kHeaderScanKeptBytes);
    const std::string fileStation = ReadStationName(*out.header);
    out.station = fileStation;
    if (fileStation.empty()) {
        out.verdict = Verdict::NoStation;
    } else if (!platform::SameStationText(fileStation, station)) {
        out.verdict = Verdict::OtherStation;
    } else if (const std::optional<RecordingSpan> span = ReadRecordingSpan(*out.header)) {
        out.verdict = Verdict::Recording;
        out.span = *span;
    } else {
        out.verdict = Verdict::NoSpan;
    }
    return out;
}

bool WindowTakes(const SourceRecording& found, double start, double length) {
    if (found.verdict != SourceRecording::Verdict::Recording) return false;
    const bool placeable = found.span.possible && std::isfinite(found.span.start);
    return !placeable || Overlaps(start, length, found.span.start, found.span.dataSeconds);
}

}  // namespace engine
