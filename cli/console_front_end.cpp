#include "cli/console_front_end.h"

#include "platform/message_catalogue.h"
#include "platform/operator_texts.h"

namespace cli {

namespace texts = platform::texts;

namespace {

// Every text of the console reaches the operator through here.
std::string Said(std::string_view text) { return platform::TranslateMessage(text); }

std::string Line(std::string_view caption, std::string_view text) {
    return Said(caption) + ": " + Said(text);
}

}  // namespace

ConsoleFrontEnd::ConsoleFrontEnd(std::FILE* out, std::FILE* err, ConsoleOptions options)
    : out_(out), err_(err), options_(options), begin_(std::chrono::steady_clock::now()) {}

void ConsoleFrontEnd::ShowMessage(const engine::RunMessage& message) {
    if (message.icon == platform::MessageIcon::Error) failed_ = true;
    std::string line = Line(message.caption, message.text);
    if (!message.detail.empty()) line += " (" + Said(message.detail) + ")";
    Print(line);
}

void ConsoleFrontEnd::EntryInWork(const engine::RunProgress&) {
    ++scanned_;
    tracesOfRecording_.clear();
    DrawProgress(false);
}

void ConsoleFrontEnd::TraceWritten(const std::string& catalogPath) {
    ++traces_;
    if (options_.verbose || options_.dryRun) tracesOfRecording_.push_back(catalogPath);
}

void ConsoleFrontEnd::RecordingConverted(const std::string& path, int) {
    ++converted_;
    Report(texts::PlanConvert(path, options_.dryRun));
    for (const std::string& trace : tracesOfRecording_)
        Report(texts::PlanTrace(trace, options_.dryRun));
    tracesOfRecording_.clear();
    DrawProgress(false);
}

void ConsoleFrontEnd::RecordingSkipped(const std::string& path, engine::SkipReason reason) {
    // Every pass of a watcher passes over the whole archive.
    if (options_.watching) return;
    const std::string why = Said(engine::SkipReasonText(reason));
    Report(texts::PlanSkip(path, why.c_str(), options_.dryRun));
}

void ConsoleFrontEnd::SourceDirectoryUnreadable(const std::string& station,
                                                const std::string& dir) {
    // The dialog says nothing here; unattended, the station must not vanish silently.
    failed_ = true;
    Print(Line(texts::kErrorCaption, texts::UnreadableSourceDirectory(station, dir)));
}

void ConsoleFrontEnd::RunFinished(const engine::RunSummary& summary) {
    if (options_.progress) DrawProgress(true);
    if (options_.watching && summary.converted == 0 && !failed_) return;
    if (!options_.quiet)
        for (const std::string& channel : summary.channelsNotCarried)
            Print(Line(texts::kWarningCaption, texts::ChannelNotCarried(channel)));
    Print(engine::SummaryLine(summary, Said));
}

void ConsoleFrontEnd::Report(const std::string& text) {
    const std::string line = Said(text);
    if (options_.dryRun) {
        ClearProgress();
        std::fprintf(out_, "%s\n", line.c_str());
        std::fflush(out_);
    } else if ((options_.verbose || options_.watching) && !options_.quiet) {
        Print(line);
    }
}

void ConsoleFrontEnd::Print(const std::string& line) {
    ClearProgress();
    std::fprintf(err_, "%s\n", line.c_str());
    std::fflush(err_);
}

void ConsoleFrontEnd::ClearProgress() {
    if (!lineShown_) return;
    std::fputs("\r\033[K", err_);
    lineShown_ = false;
}

void ConsoleFrontEnd::DrawProgress(bool force) {
    if (!options_.progress) return;
    const auto now = std::chrono::steady_clock::now();
    if (!force && lineShown_ && now - lastDraw_ < std::chrono::milliseconds(200)) return;
    lastDraw_ = now;
    std::fprintf(err_, "\r\033[K%s",
                 Said(texts::ConsoleProgress(scanned_, converted_, traces_)).c_str());
    std::fflush(err_);
    lineShown_ = true;
}

}  // namespace cli
