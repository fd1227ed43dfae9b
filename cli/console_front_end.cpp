#include "cli/console_front_end.h"

#include "platform/message_catalogue.h"
#include "platform/operator_texts.h"

namespace cli {

namespace texts = platform::texts;

namespace {

// Every text of the console reaches the operator through here.
std::string Said(std::string_view text) { return platform::TranslateMessage(text); }

std::string Line(std::string_view caption, std::string_view text) {
    return engine::MessageLine({std::string(text), "", std::string(caption)}, Said);
}

}  // namespace

void PrintSaid(std::FILE* to, const std::string& text) {
    std::fprintf(to, "%s\n", Said(text).c_str());
}

ConsoleFrontEnd::ConsoleFrontEnd(std::FILE* out, std::FILE* err, ConsoleOptions options)
    : out_(out),
      err_(err),
      options_(options),
      report_(Said, options.dryRun),
      begin_(std::chrono::steady_clock::now()) {}

void ConsoleFrontEnd::ShowMessage(const engine::RunMessage& message) {
    if (message.icon == platform::MessageIcon::Error) failed_ = true;
    const std::vector<std::string> lines = report_.Message(message);
    Print(lines.front(), message.icon == platform::MessageIcon::Warning ? LinePriority::Warning
                                                                        : LinePriority::Error);
}

ConsoleFrontEnd::~ConsoleFrontEnd() { FlushHeld(); }

void ConsoleFrontEnd::EntryInWork(const engine::RunProgress&) {
    FlushHeld();
    ++scanned_;
    report_.EntryInWork();
    DrawProgress(false);
}

void ConsoleFrontEnd::TraceWritten(const std::string& catalogPath) {
    ++traces_;
    report_.TraceWritten(catalogPath);
}

void ConsoleFrontEnd::RecordingConverted(const std::string& path, int) {
    ++converted_;
    Report(report_.RecordingConverted(path));
    DrawProgress(false);
}

void ConsoleFrontEnd::RecordingNotConverted(const std::string& path, int written, int failed) {
    Report(report_.RecordingNotConverted(path, written, failed));
}

void ConsoleFrontEnd::RecordingSkipped(const std::string& path, engine::SkipReason reason) {
    // Every pass of a watcher passes over the whole archive.
    if (options_.watching) return;
    Report(report_.RecordingSkipped(path, reason));
}

void ConsoleFrontEnd::SourceDirectoryUnreadable(const std::string& station,
                                                const std::string& dir) {
    // The dialog says nothing here; unattended, the station must not vanish silently.
    failed_ = true;
    // A list of stations whose directories are all missing says one line per
    // station: they go out together, whole and in order, before anything else.
    held_ += JournalPrefix(LinePriority::Error) +
             Line(texts::kErrorCaption, texts::UnreadableSourceDirectory(station, dir)) + '\n';
    if (held_.size() >= kHeldBytes) FlushHeld();
}

void ConsoleFrontEnd::RunFinished(const engine::RunSummary& summary) {
    FlushHeld();
    if (options_.progress) DrawProgress(true);
    if (options_.watching && summary.converted == 0 && !failed_) return;
    if (!options_.quiet)
        for (const std::string& channel : summary.channelsNotCarried)
            Print(Line(texts::kWarningCaption, texts::ChannelNotCarried(channel)),
                  LinePriority::Warning);
    // A quiet run that did all it was asked says nothing: cron mails only failures.
    const bool failed = failed_ || summary.Failed();
    if (options_.quiet && !failed) return;
    Print(engine::SummaryLine(summary, Said), failed ? LinePriority::Error : LinePriority::Info);
}

void ConsoleFrontEnd::Report(const std::vector<std::string>& lines) {
    FlushHeld();
    // A watcher's journal has one line per recording, its trace files aside.
    const std::size_t shown = options_.watching && !lines.empty() ? 1 : lines.size();
    for (const std::string& line : std::vector<std::string>(lines.begin(), lines.begin() + shown)) {
        if (options_.dryRun) {
            ClearProgress();
            std::fprintf(out_, "%s\n", line.c_str());
            std::fflush(out_);
        } else if ((options_.verbose || options_.watching) && !options_.quiet) {
            Print(line, LinePriority::Info);
        }
    }
}

void ConsoleFrontEnd::Print(const std::string& line, LinePriority priority) {
    FlushHeld();
    ClearProgress();
    std::fprintf(err_, "%s%s\n", JournalPrefix(priority).c_str(), line.c_str());
    std::fflush(err_);
}

void ConsoleFrontEnd::FlushHeld() {
    if (held_.empty()) return;
    ClearProgress();
    std::fwrite(held_.data(), 1, held_.size(), err_);
    std::fflush(err_);
    held_.clear();
}

void ConsoleFrontEnd::ClearProgress() {
    if (!lineShown_) return;
    std::fputs("\r\033[K", err_);
    lineShown_ = false;
}

void ConsoleFrontEnd::DrawProgress(bool force) {
    if (!options_.progress) return;
    FlushHeld();
    const auto now = std::chrono::steady_clock::now();
    if (!force && lineShown_ && now - lastDraw_ < std::chrono::milliseconds(200)) return;
    lastDraw_ = now;
    std::fprintf(err_, "\r\033[K%s",
                 Said(texts::ConsoleProgress(scanned_, converted_, traces_)).c_str());
    std::fflush(err_);
    lineShown_ = true;
}

}  // namespace cli
