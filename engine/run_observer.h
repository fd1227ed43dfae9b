// How the engine reports a run to its front end: a handful of events of
// plain values, all called on the run's worker thread. Locking controls, the
// wait cursor and the beep are the front end's business, driven by these.
#pragma once

#include <string>

#include "engine/run_summary.h"
#include "platform/message_sink.h"

namespace engine {

// A message for the operator: the main text, and what the operator needs to
// find the cause (station, recording, full path, system reason) as detail.
struct RunMessage {
    std::string text;
    std::string detail;  // may be empty
    std::string caption;
    platform::MessageIcon icon = platform::MessageIcon::Error;
    // The same kind of failure as the one before, with nothing written in
    // between: a front end may offer to stop the run.
    bool repeated = false;
};

// Where the run is: entry k of the n listed for station s of m (time-window
// run), or file k of n (file run: station and stations are 0).
struct RunProgress {
    std::string name;  // the entry's name, or the picked file's full path
    int entry = 0, entries = 0;
    int station = 0, stations = 0;
};

class RunObserver {
public:
    virtual ~RunObserver() = default;

    // A time-window run begins scanning a station's source directory.
    virtual void StationBegins(const std::string& /*station*/) {}
    // The station's source directory could not be listed; the run goes on.
    virtual void SourceDirectoryUnreadable(const std::string& /*station*/,
                                           const std::string& /*dir*/) {}
    // The scan of a station has ended; completed is false when an error or
    // a stop request ended it early (no beep then).
    virtual void StationFinished(const std::string& /*station*/, bool /*completed*/) {}

    virtual void EntryInWork(const RunProgress& progress) = 0;
    // A recording's data block was read and its channels handed on.
    virtual void RecordingConverted(const std::string& /*path*/, int /*traces*/) {}
    virtual void RecordingSkipped(const std::string& /*path*/, SkipReason /*reason*/) {}
    // A recording's block was read but not every trace file it was to write
    // was written: failed of them failed (each told by a message), the rest
    // were cut by a stop request; written were written.
    virtual void RecordingNotConverted(const std::string& /*path*/, int /*written*/,
                                       int /*failed*/) {}
    // A trace file was written (or, in a dry run, would be), its path
    // relative to the data directory.
    virtual void TraceWritten(const std::string& /*catalogPath*/) {}

    // Returns when the message has been shown (and, for a modal box, closed).
    virtual void ShowMessage(const RunMessage& message) = 0;

    // The last event of a run.
    virtual void RunFinished(const RunSummary& summary) = 0;
};

}  // namespace engine
