#include "archive/trace_settings.h"

#include "platform/ini_file.h"
#include "platform/kelvaron_settings.h"

namespace engine {

TraceSettings ReadTraceSettings(const std::string& station) {
    TraceSettings settings;
    settings.useGain = platform::ReadUseGain(platform::KelvaronIniPath(), station);
    settings.dataDir = platform::ReadDataDirectory(platform::TvxIniPath(), 255);
    return settings;
}

}  // namespace engine
