// How the runs use the record of recordings for the entries of a source
// directory: which unchanged entry is decided by its record alone, and what
// is recorded of an entry the run looked at or converted.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "archive/source_scan.h"
#include "catalog/recording_record.h"
#include "engine/convert_recording.h"
#include "engine/run_context.h"

namespace engine {

// The path the record keys an entry by: absolute and lexically normal, so
// that runs from any working directory, and picked files, agree.
std::string RecordPath(const std::string& path);

// Each regular entry's size and time (nullopt for any other, and for one
// that is gone).
std::vector<std::optional<EntryStat>> StatEntries(const std::string& dir,
                                                  const std::vector<SourceEntry>& entries);

// A digest of the entries of a directory, names, sizes and times, in any
// order: equal for two looks at it only when no entry came, went or changed
// (by chance one in 2^128). changedBy: of the regular entries only those
// whose inode last changed then or before.
std::string ListingDigest(const std::vector<SourceEntry>& entries,
                          const std::vector<std::optional<EntryStat>>& stats,
                          std::optional<std::int64_t> changedBy = std::nullopt);

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

// Records what became of a recording the run converted or skipped. later:
// gathered with others and written in batches (a time-window run), so that a
// recording costs its trace files' syncs and no commit of its own. The record
// only guides later runs (an entry missing from it is looked at again), so
// a kill that loses the gathered ones costs a second look, never a trace file
// or a row.
void RecordOutcome(RunContext& run, catalog::RecordingRecord entry, const RecordingOutcome& outcome,
                   bool later = false);

}  // namespace engine
