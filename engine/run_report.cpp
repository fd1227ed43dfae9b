#include "engine/run_report.h"

#include "platform/operator_texts.h"

namespace engine {

namespace texts = platform::texts;

namespace {

// Line breaks (a driver's multi-line text) and empty lines folded into one line.
std::string OneLine(const std::string& text) {
    std::string line;
    std::size_t from = 0;
    while (from <= text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string::npos) end = text.size();
        std::string piece = text.substr(from, end - from);
        while (!piece.empty() && (piece.back() == '\r' || piece.back() == ' ')) piece.pop_back();
        if (!piece.empty()) line += (line.empty() ? "" : "; ") + piece;
        from = end + 1;
    }
    return line;
}

}  // namespace

std::string MessageLine(const RunMessage& message, SayText say) {
    const auto said = [say](std::string_view text) { return say ? say(text) : std::string(text); };
    std::string line = said(message.caption) + ": " + OneLine(said(message.text));
    if (!message.detail.empty()) line += " (" + OneLine(said(message.detail)) + ")";
    return line;
}

std::string RunReport::Said(std::string_view text) const {
    return say_ ? say_(text) : std::string(text);
}

std::vector<std::string> RunReport::Keep(std::vector<std::string> added) {
    lines_.insert(lines_.end(), added.begin(), added.end());
    return added;
}

std::vector<std::string> RunReport::Message(const RunMessage& message) {
    return Keep({MessageLine(message, say_)});
}

void RunReport::TraceWritten(const std::string& catalogPath) { traces_.push_back(catalogPath); }

std::vector<std::string> RunReport::RecordingConverted(const std::string& path) {
    std::vector<std::string> added{Said(texts::PlanConvert(path, dryRun_))};
    for (const std::string& trace : traces_)
        added.push_back(Said(texts::PlanTrace(trace, dryRun_)));
    traces_.clear();
    return Keep(std::move(added));
}

std::vector<std::string> RunReport::RecordingNotConverted(const std::string& path, int written,
                                                          int failed) {
    std::vector<std::string> added;
    if (written > 0)
        added.push_back(Said(texts::PlanPartlyConverted(path, written, failed)));
    else if (failed > 0)
        added.push_back(Said(texts::PlanNotConverted(path, failed)));
    else
        added.push_back(Said(texts::PlanStopped(path)));
    for (const std::string& trace : traces_)
        added.push_back(Said(texts::PlanTrace(trace, dryRun_)));
    traces_.clear();
    return Keep(std::move(added));
}

std::vector<std::string> RunReport::RecordingSkipped(const std::string& path, SkipReason reason) {
    const std::string why = Said(SkipReasonText(reason));
    return Keep({Said(texts::PlanSkip(path, why.c_str(), dryRun_))});
}

}  // namespace engine
