// How the runs use the record of recordings for the entries of a source
// directory: which unchanged entry is decided by its record alone, and what
// is recorded of an entry the run looked at or converted.
#pragma once

#include <optional>
#include <string>

#include "archive/source_scan.h"
#include "catalog/recording_record.h"
#include "engine/convert_recording.h"
#include "engine/run_context.h"

namespace engine {

// The path the record keys an entry by: absolute and lexically normal, so
// that runs from any working directory, and picked files, agree.
std::string RecordPath(const std::string& path);

struct Window {
    double start = 0, length = 0;
};

// Why an unchanged entry is not converted, judged from its record alone
// (another station's; no name or start; outside the window); nullopt when
// it has to be read.
std::optional<SkipReason> RecordedSkip(const catalog::RecordingRecord& known,
                                       const std::string& station,
                                       const std::optional<Window>& window);

// Records what a look at an entry's header found when the run goes no
// further with it ("seen" or "skipped"); gathered and written in batches.
void RecordLooked(RunContext& run, const std::string& recordPath, const std::string& station,
                  const EntryStat& stat, const SourceRecording& found);

// Records what became of a recording the run converted or skipped.
void RecordOutcome(RunContext& run, catalog::RecordingRecord entry,
                   const RecordingOutcome& outcome);

}  // namespace engine
