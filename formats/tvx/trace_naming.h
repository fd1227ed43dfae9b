// Where a trace file goes: data directory / station / hour directory / file,
// and the catalogue's path of it relative to the data directory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/calendar_fields.h"

namespace engine {

// Longest composed path; a longer one is refused rather than cut.
inline constexpr std::size_t kMaxTracePath = 255;

// Calendar fields of a trace's start, seconds already truncated.
using TraceStart = platform::CalendarFields;

// The calendar fields a start is named by; nullopt when it has no date.
std::optional<TraceStart> TraceStartOf(double start);

struct TraceLocation {
    std::string stationDir;    // dataDir/STA
    std::string hourDir;       // dataDir/STA/hhDDMMYYYY
    std::string fileNamePart;  // /hhmmss-DDMMYYYY.CHN (the messages name it)
    std::string fullPath;      // hourDir + fileNamePart
    std::string catalogPath;   // STA/hhDDMMYYYY/hhmmss-DDMMYYYY.CHN
};

// The data directory with one "/" at its end ("" becomes "/").
std::string WithTrailingSeparator(std::string dataDir);

// True for a name that may stand as one path component of ours: no "/", no
// "\", no NUL, and not "." or "..".
bool IsSafePathName(const std::string& name);

// dataDir must already end with "/".
TraceLocation ComposeTraceLocation(const std::string& dataDir, const std::string& station,
                                   const std::string& channel, const TraceStart& start);

// True when every composed path fits in kMaxTracePath characters.
bool FitsPathLimit(const TraceLocation& location);

}  // namespace engine
