#include "engine/run_summary.h"

#include <numeric>

#include "platform/operator_texts.h"
#include "platform/text_encoding.h"

namespace engine {

static_assert(kSkipReasonCount == platform::texts::kSkipReasonCount);

const char* SkipReasonText(SkipReason reason) {
    return platform::texts::kSkipReasons[static_cast<std::size_t>(reason)];
}

int RunSummary::SkippedTotal() const { return std::accumulate(skipped.begin(), skipped.end(), 0); }

std::string SummaryLine(const RunSummary& s, std::string (*say)(std::string_view)) {
    namespace texts = platform::texts;
    const auto said = [say](std::string_view text) { return say ? say(text) : std::string(text); };
    std::string line;
    if (s.converted == 0) line = said(texts::kSummaryNothingConverted) + ". ";
    line += said(texts::SummaryCounts(s.entries, s.converted, s.SkippedTotal(), s.traces));
    std::string reasons;
    for (std::size_t i = 0; i < kSkipReasonCount; ++i) {
        if (s.skipped[i] == 0) continue;
        reasons += (reasons.empty() ? "" : ", ") + said(texts::kSkipReasons[i]) + " " +
                   std::to_string(s.skipped[i]);
    }
    if (!reasons.empty()) line += " (" + reasons + ")";
    line += "; " + said(texts::SummaryFailures(s.traceFailures, s.catalogueErrors + s.otherErrors));
    if (s.memoryErrors > 0) line += "; " + said(texts::SummaryMemoryErrors(s.memoryErrors));
    if (!s.leftUnconverted.empty()) {
        int recordings = 0;
        std::string byStation;
        for (const RunSummary::StationLeft& left : s.leftUnconverted) {
            recordings += left.recordings;
            byStation += (byStation.empty() ? "" : ", ") + platform::Text8ToUtf8(left.station) +
                         " " + std::to_string(left.recordings);
        }
        line += "; " + said(texts::SummaryLeftUnconverted(recordings, byStation));
    }
    line += "; " + said(texts::SummaryVolume(s.bytesIn, s.bytesOut, s.seconds));
    if (s.stopped) line += "; " + said(texts::kSummaryStopped);
    return line;
}

}  // namespace engine
