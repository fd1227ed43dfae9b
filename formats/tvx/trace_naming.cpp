#include "formats/tvx/trace_naming.h"

#include <cmath>
#include <cstdio>
#include <string_view>

#include "formats/date_time.h"
#include "platform/text_encoding.h"

namespace engine {

std::optional<TraceStart> TraceStartOf(double start) {
    TraceStart fields;
    if (!CalendarFromEpoch(start, fields)) return std::nullopt;
    return fields;
}

std::string WithTrailingSeparator(std::string dataDir) {
    if (dataDir.empty() || dataDir.back() != '/') dataDir += '/';
    return dataDir;
}

bool IsSafePathName(const std::string& name) {
    if (name == "." || name == "..") return false;
    // "\" separated directories where the recorders' files come from, and the
    // catalogue path turns it into "/": such a name cannot name one file.
    return name.find_first_of(std::string_view("/\\\0", 3)) == std::string::npos;
}

TraceLocation ComposeTraceLocation(const std::string& dataDir, const std::string& station,
                                   const std::string& channel, const TraceStart& start) {
    // Hour, day, month, year: not year first. Sized for any 32-bit fields.
    char hourName[64];
    std::snprintf(hourName, sizeof hourName, "/%02d%02d%02d%04d", start.hour, start.day,
                  start.month, start.year);
    char fileStem[96];
    std::snprintf(fileStem, sizeof fileStem, "/%02d%02d%02d-%02d%02d%04d.", start.hour,
                  start.minute, start.second, start.day, start.month, start.year);

    // File names on this system are UTF-8, whatever the header's code page.
    const std::string stationName = platform::Text8ToUtf8(station);
    TraceLocation location;
    location.stationDir = dataDir + stationName;
    location.hourDir = location.stationDir + hourName;
    location.fileNamePart = fileStem + platform::Text8ToUtf8(channel);
    location.fullPath = location.hourDir + location.fileNamePart;
    location.catalogPath = stationName + hourName + location.fileNamePart;
    return location;
}

bool FitsPathLimit(const TraceLocation& location) {
    // The full path is the longest of them; the others are its prefixes or
    // suffixes.
    return location.fullPath.size() <= kMaxTracePath;
}

}  // namespace engine
