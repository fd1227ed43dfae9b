// A run's report as lines, the way `kelvaron-batch -v` prints it: each
// message, and each recording converted (with its trace files), partly
// converted, not converted or skipped with its reason. The console prints
// the lines as they come; the dialog keeps them for its report window.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/run_observer.h"

namespace engine {

// Puts an operator text into the interface language (nullptr: as it is).
using SayText = std::string (*)(std::string_view);

// A message as one line: caption, text and, in parentheses, the detail;
// the texts' own line breaks become "; ".
std::string MessageLine(const RunMessage& message, SayText say);

class RunReport {
public:
    explicit RunReport(SayText say, bool dryRun = false) : say_(say), dryRun_(dryRun) {}

    // Each returns the lines the event adds, which the report also keeps.
    std::vector<std::string> Message(const RunMessage& message);
    void TraceWritten(const std::string& catalogPath);
    std::vector<std::string> RecordingConverted(const std::string& path);
    std::vector<std::string> RecordingNotConverted(const std::string& path, int written,
                                                   int failed);
    std::vector<std::string> RecordingSkipped(const std::string& path, SkipReason reason);
    // A new recording is in work: trace files not yet told are dropped.
    void EntryInWork() { traces_.clear(); }

    const std::vector<std::string>& lines() const { return lines_; }

private:
    std::string Said(std::string_view text) const;
    std::vector<std::string> Keep(std::vector<std::string> added);

    SayText say_;
    bool dryRun_;
    std::vector<std::string> traces_;  // of the recording in work
    std::vector<std::string> lines_;
};

}  // namespace engine
