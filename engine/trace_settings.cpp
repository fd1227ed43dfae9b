#include "engine/trace_settings.h"

#include "platform/ini_file.h"

namespace engine {

TraceSettings ReadTraceSettings(const std::string& station) {
    TraceSettings settings;
    settings.useGain =
        platform::ReadIniInt(platform::KelvaronIniPath(), station, "USEGAIN", 1) != 0;
    settings.dataDir = platform::ReadIniString(platform::TvxIniPath(), "DATA", "DIR", "", 255);
    return settings;
}

}  // namespace engine
