// One recorder file -> its event row and one trace file per selected channel.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "catalog/recording_record.h"
#include "engine/run_context.h"
#include "formats/recorder/recorder_messages.h"
#include "platform/ini_file.h"

namespace engine {

// Converted, or skipped for the reason given; refusal, when set, is the
// cause a file run names (a time-window run counts the reason only); it is
// also set on a recording converted without giving any trace.
// stopped: a stop request ended the recording before any of its trace files
// was written. A recording whose block was read is converted only when every
// trace file it was to write was written; partly when some were and others
// failed or a stop came between them; failed when none was, through failures.
// What the record of recordings keeps of it: the span the header gave, the
// trace files it has in the archive and the first failure among its traces.
struct RecordingOutcome {
    bool converted = false;
    SkipReason reason = SkipReason::Unreadable;
    std::optional<FileRefusal> refusal;
    bool stopped = false;
    std::optional<double> start, spanSeconds;
    std::vector<catalog::RecordedTrace> traces;
    int failedTraces = 0;
    std::string failure;
    bool partly = false;
    bool failed = false;
};

// Converts the recording whose header is open (the drivers read NAME and the
// times from it first) with the run's channel items and outputs. TraceFileError
// is shown and the next channel goes on; database errors and std::bad_alloc
// leave at once. With run.acceptArchived a recording whose every trace file
// is in the archive with its row is skipped as InArchive, nothing written.
RecordingOutcome ConvertRecording(const std::string& station, platform::IniFile& header,
                                  RunContext& run);

}  // namespace engine
