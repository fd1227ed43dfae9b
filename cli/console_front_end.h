// The engine's observer on the console: messages go to stderr, a progress
// line to a terminal, one summary line at the end of every run; -v adds a
// line per recording, a dry run prints its plan on stdout.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/journal_stream.h"
#include "engine/run_observer.h"
#include "engine/run_report.h"
#include "platform/message_sink.h"

namespace cli {

struct ConsoleOptions {
    bool progress = false;  // keep a progress line (a terminal, not --quiet)
    bool verbose = false;   // a line per recording converted or skipped
    bool dryRun = false;    // print the plan on `out`
    bool quiet = false;     // errors, and the summary of a run that failed, only
    // A watcher's pass, for the journal: a line per recording converted and
    // the messages; a summary only for a pass that converted or failed.
    bool watching = false;
};

// One line of an operator text, in the interface language.
void PrintSaid(std::FILE* to, const std::string& text);

class ConsoleFrontEnd : public engine::RunObserver {
public:
    ConsoleFrontEnd(std::FILE* out, std::FILE* err, ConsoleOptions options);
    ~ConsoleFrontEnd() override;
    ConsoleFrontEnd(const ConsoleFrontEnd&) = delete;
    ConsoleFrontEnd& operator=(const ConsoleFrontEnd&) = delete;

    void SourceDirectoryUnreadable(const std::string& station, const std::string& dir) override;
    void EntryInWork(const engine::RunProgress& progress) override;
    void RecordingConverted(const std::string& path, int traces) override;
    void RecordingSkipped(const std::string& path, engine::SkipReason reason) override;
    void RecordingNotConverted(const std::string& path, int written, int failed) override;
    void TraceWritten(const std::string& catalogPath) override;
    void ShowMessage(const engine::RunMessage& message) override;
    void RunFinished(const engine::RunSummary& summary) override;

    // The same console for code that reports through a message sink (opening
    // the catalogue).
    platform::MessageSink& Messages() { return messages_; }

    // Something failed that the operator was told about.
    bool failed() const { return failed_; }

private:
    void Print(const std::string& line, LinePriority priority);
    void DrawProgress(bool force);
    void ClearProgress();
    // Writes the lines held back, if any.
    void FlushHeld();
    // The plan (dry run, on out) or the verbose log (on err).
    void Report(const std::vector<std::string>& lines);

    std::FILE* out_;
    std::FILE* err_;
    ConsoleOptions options_;
    bool lineShown_ = false;
    // Whole lines not yet written (unreadable source directories only).
    std::string held_;
    static constexpr std::size_t kHeldBytes = 64 * 1024;
    bool failed_ = false;
    int scanned_ = 0, converted_ = 0, traces_ = 0;
    engine::RunReport report_;
    std::chrono::steady_clock::time_point begin_, lastDraw_;
    platform::MessageSinkFunction messages_{
        [this](const std::string& text, const std::string& caption, platform::MessageIcon icon) {
            ShowMessage({text, "", caption, icon});
        }};
};

}  // namespace cli
