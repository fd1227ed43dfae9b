#include "archive/recording_finder.h"

#include <cstdio>
#include <filesystem>

#include "formats/recorder/recorder_header.h"
#include "platform/ini_file.h"
#include "platform/kelvaron_settings.h"

namespace engine {

namespace {

constexpr std::size_t kSourceDirChars = 255;

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
        const std::string dir = platform::SourceDirectory(station, kSourceDirChars);
        std::error_code error;
        for (std::filesystem::directory_iterator entry(dir, error), end; !error && entry != end;
             entry.increment(error)) {
            std::error_code typeError;
            if (!entry->is_regular_file(typeError)) continue;
            const std::string path = entry->path().lexically_normal().string();
            platform::IniFile header(path, platform::kHeaderScanKeptBytes);
            if (ReadStationName(header) != station) continue;
            const std::optional<RecordingSpan> span = ReadRecordingSpan(header);
            if (!span) continue;
            // The first one found stands; a second with the same second would
            // have written the same trace files.
            if (const std::optional<TraceStart> fields = TraceStartOf(span->start))
                byStart_.emplace(StartKey(*fields), std::filesystem::absolute(path).string());
        }
    }
    const auto found = byStart_.find(StartKey(start));
    return found == byStart_.end() ? std::string() : found->second;
}

}  // namespace engine
