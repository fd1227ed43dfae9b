#include "archive/recording_finder.h"

#include <cstdio>
#include <filesystem>

#include "archive/source_scan.h"
#include "platform/ini_file.h"
#include "platform/kelvaron_settings.h"

namespace engine {

namespace {

std::string StartKey(const TraceStart& s) {
    char key[96];
    std::snprintf(key, sizeof key, "%04d%02d%02d%02d%02d%02d", s.year, s.month, s.day, s.hour,
                  s.minute, s.second);
    return key;
}

}  // namespace

std::string RecordingFinder::Find(const std::string& station, const TraceStart& start) {
    if (!loaded_ || station != station_) {
        station_ = station;
        loaded_ = true;
        byStart_.clear();
        const std::string dir = platform::SourceDirectory(station, platform::kSourceDirectoryChars);
        for (const SourceEntry& entry :
             ListSourceDirectory(dir).value_or(std::vector<SourceEntry>{})) {
            const SourceRecording found = ExamineSourceEntry(dir, entry, station);
            if (found.verdict != SourceRecording::Verdict::Recording) continue;
            // The first one found stands; a second with the same second would
            // have written the same trace files.
            if (const std::optional<TraceStart> fields = TraceStartOf(found.span.start))
                byStart_.emplace(
                    StartKey(*fields),
                    std::filesystem::absolute(std::filesystem::path(found.path).lexically_normal())
                        .string());
        }
    }
    const auto found = byStart_.find(StartKey(start));
    return found == byStart_.end() ? std::string() : found->second;
}

}  // namespace engine
