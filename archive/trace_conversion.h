// One channel of a data block -> one trace file on disk, without the
// catalogue: what WriteChannelTrace does before it registers the file.
#pragma once

#include <cstdint>
#include <string>

#include "archive/directories_made.h"
#include "formats/tvx/trace_naming.h"

namespace engine {

// Where a trace goes and what its row says of the gain: values a run
// resolved from tvx.ini and kelvaron.ini when it started.
struct TraceSettings {
    std::string dataDir;  // DIR of [DATA] in tvx.ini, as written there
    bool useGain = true;  // USEGAIN of the station's section in kelvaron.ini
    // The run's directories made so far; none: each trace makes its own.
    DirectoriesMade* made = nullptr;
};

struct ChannelTrace {
    const std::uint8_t* data = nullptr;
    std::int64_t dataSize = 0;
    double start = 0;  // epoch seconds
    std::string channel;
    std::string station;
    std::int32_t channelPosition = 0;
    std::int32_t recordSeconds = 0;
    std::int32_t channelCount = 0;
    std::int32_t gainFactor = 1;
    // The recording holds fewer records than its header announces: an
    // existing trace file at the path that holds more samples is kept.
    bool keepLongerTrace = false;
    TraceSettings settings;
};

// The FILELIST values of a written trace file.
struct TraceFileRow {
    std::string station;
    double start = 0;     // unrounded
    double duration = 0;  // samples / rate
    std::string channel;
    double rate = 0;  // unrounded
    std::int32_t gain = 1;
    std::string catalogPath;
    // Nothing was written: the existing longer trace and its row stay.
    bool keptExisting = false;
    std::int64_t fileBytes = 0;  // header and samples
};

// Where the trace would be written; raises TraceFileError for a name or a
// start that cannot make a path. Writes nothing (the dry run's plan).
TraceLocation PlanTraceFile(const ChannelTrace& trace, const TraceSettings& settings);

// Raises TraceFileError and then has written nothing under the final name.
TraceFileRow WriteTraceFile(const ChannelTrace& trace, const TraceSettings& settings);

}  // namespace engine
