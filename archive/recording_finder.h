// Which recording in a station's source directory a trace file came from:
// the one of that station whose start names the same second.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "formats/tvx/trace_naming.h"

namespace engine {

class RecordingFinder {
public:
    // The recording's path, or "" when the source directory holds none.
    // The directory is read once per station and kept until another station
    // is asked for (the check asks station by station).
    std::string Find(const std::string& station, const TraceStart& start);

private:
    std::string station_;
    bool loaded_ = false;
    std::map<std::string, std::string> byStart_;  // "YYYYMMDDhhmmss" -> path
};

}  // namespace engine
