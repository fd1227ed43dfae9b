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

bool RunSummary::Failed() const {
    return stopped ||
           traceFailures + catalogueErrors + otherErrors + memoryErrors + sourceDirectoryErrors +
                   partlyConverted + failedRecordings >
               0 ||
           !leftUnconverted.empty();
}

void AddUp(RunSummary& total, const RunSummary& part) {
    total.entries += part.entries;
    total.converted += part.converted;
    total.partlyConverted += part.partlyConverted;
    total.failedRecordings += part.failedRecordings;
    for (std::size_t i = 0; i < kSkipReasonCount; ++i) total.skipped[i] += part.skipped[i];
    total.traces += part.traces;
    total.tracesReplaced += part.tracesReplaced;
    total.traceFailures += part.traceFailures;
    total.sourceDirectoryErrors += part.sourceDirectoryErrors;
    total.catalogueErrors += part.catalogueErrors;
    total.memoryErrors += part.memoryErrors;
    total.otherErrors += part.otherErrors;
    total.interrupted += part.interrupted;
    total.bytesIn += part.bytesIn;
    total.bytesOut += part.bytesOut;
    total.leftUnconverted.insert(total.leftUnconverted.end(), part.leftUnconverted.begin(),
                                 part.leftUnconverted.end());
}

std::string SummaryLine(const RunSummary& s, std::string (*say)(std::string_view)) {
    namespace texts = platform::texts;
    const auto said = [say](std::string_view text) { return say ? say(text) : std::string(text); };
    // What went wrong leads, so that a line cut short still tells it.
    std::string first;
    const auto lead = [&first, &said](std::string_view text) {
        first += (first.empty() ? "" : "; ") + said(text);
    };
    if (s.stopped) lead(texts::kSummaryStopped);
    if (s.traceFailures + s.catalogueErrors + s.otherErrors > 0)
        lead(texts::SummaryFailures(s.traceFailures, s.catalogueErrors + s.otherErrors));
    if (s.memoryErrors > 0) lead(texts::SummaryMemoryErrors(s.memoryErrors));
    if (s.sourceDirectoryErrors > 0)
        lead(texts::SummarySourceDirectoryErrors(s.sourceDirectoryErrors));
    if (!s.leftUnconverted.empty()) {
        int recordings = 0;
        std::string byStation;
        for (const RunSummary::StationLeft& left : s.leftUnconverted) {
            recordings += left.recordings;
            byStation += (byStation.empty() ? "" : ", ") + platform::Text8ToUtf8(left.station) +
                         " " + std::to_string(left.recordings);
        }
        lead(texts::SummaryLeftUnconverted(recordings, byStation));
    }
    std::string line = first.empty() ? "" : first + ". ";
    if (s.converted == 0) line += said(texts::kSummaryNothingConverted) + ". ";
    line += said(texts::SummaryCounts(s.entries, s.converted, s.SkippedTotal()));
    std::string reasons;
    for (std::size_t i = 0; i < kSkipReasonCount; ++i) {
        if (s.skipped[i] == 0) continue;
        reasons += (reasons.empty() ? "" : ", ") + said(texts::kSkipReasons[i]) + " " +
                   std::to_string(s.skipped[i]);
    }
    if (!reasons.empty()) line += " (" + reasons + ")";
    if (s.partlyConverted > 0)
        line += ", " + said(texts::SummaryPartlyConverted(s.partlyConverted));
    if (s.failedRecordings > 0) line += ", " + said(texts::SummaryNotConverted(s.failedRecordings));
    line += "; " + said(texts::SummaryTraces(s.traces));
    if (s.tracesReplaced > 0) line += ", " + said(texts::SummaryTracesReplaced(s.tracesReplaced));
    line += "; " + said(texts::SummaryVolume(s.bytesIn, s.bytesOut, s.seconds));
    return line;
}

}  // namespace engine
