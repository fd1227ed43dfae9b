// The two settings the trace writer reads anew for every trace.
#pragma once

#include <string>

namespace engine {

struct TraceSettings {
    std::string dataDir;  // DIR of [DATA] in tvx.ini, as written there
    bool useGain = true;  // USEGAIN of the station's section in kelvaron.ini
};

TraceSettings ReadTraceSettings(const std::string& station);

}  // namespace engine
