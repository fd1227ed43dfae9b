// The channels of a data block -> their trace files on disk, without the
// catalogue: what WriteChannelTrace does before it registers a file.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/directories_made.h"
#include "formats/recorder/data_block.h"
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
    // A block in memory, for WriteTraceFile; a batch reads its own block.
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

// The trace files of one recording's channels, written from one pass over
// its data block, so that memory stays a few records whatever its size: each
// trace's header goes to its temporary file first (its sample count is known
// from the block's size and first record), its samples follow record by
// record, and Finish puts it under its final name.
class TraceFileBatch {
public:
    // Plans each trace and creates its temporary file, in order; a trace that
    // cannot be planned or created keeps its TraceFileError for Finish.
    TraceFileBatch(const DataBlock& block, const std::vector<ChannelTrace>& traces,
                   const TraceSettings& settings);
    ~TraceFileBatch();
    TraceFileBatch(const TraceFileBatch&) = delete;
    TraceFileBatch& operator=(const TraceFileBatch&) = delete;

    // The one pass over the records; false when stop() ended it.
    bool WriteRecords(const std::function<bool()>& stop = {});

    // Trace i under its final name, after WriteRecords. Raises its
    // TraceFileError and then has written nothing under the final name; the
    // temporaries of traces never finished go with the batch.
    TraceFileRow Finish(std::size_t i);

private:
    struct Pending;
    const DataBlock& block_;
    TraceSettings settings_;
    std::vector<std::unique_ptr<Pending>> traces_;
    bool recordsWritten_ = false;
};

// One trace from its block in memory: a batch of one.
TraceFileRow WriteTraceFile(const ChannelTrace& trace, const TraceSettings& settings);

}  // namespace engine
