#include "engine/recorded_entries.h"

#include <cmath>
#include <filesystem>

#include "formats/recorder/recorder_text.h"
#include "platform/text_encoding.h"

namespace engine {

std::string RecordPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) return path;
    std::string normal = absolute.lexically_normal().string();
    // A directory keeps its "/": entries are appended to it.
    if (!path.empty() && path.back() == '/' && (normal.empty() || normal.back() != '/'))
        normal += '/';
    return normal;
}

std::optional<SkipReason> RecordedSkip(const catalog::RecordingRecord& known,
                                       const std::string& station,
                                       const std::optional<Window>& window) {
    if (known.station != platform::Text8ToUtf8(station)) return SkipReason::OtherStation;
    if (!known.startTime || !known.spanSeconds) {
        if (known.outcome == catalog::RecordingOutcome::Skipped) return SkipReason::NoNameDateTime;
        return std::nullopt;
    }
    if (window && std::isfinite(*known.startTime) &&
        !Overlaps(window->start, window->length, *known.startTime, *known.spanSeconds))
        return SkipReason::OutsideWindow;
    return std::nullopt;
}

void RecordLooked(RunContext& run, const std::string& recordPath, const std::string& station,
                  const EntryStat& stat, const SourceRecording& found) {
    using Verdict = SourceRecording::Verdict;
    catalog::RecordingRecord record = EntryRecord(recordPath, station, stat);
    switch (found.verdict) {
        case Verdict::NotRegular:
            return;
        case Verdict::NoStation:
        case Verdict::NoSpan:
            // Nobody's recording: every station's run leaves it.
            record.outcome = catalog::RecordingOutcome::Skipped;
            record.message = SkipReasonText(SkipReason::NoNameDateTime);
            break;
        case Verdict::OtherStation:
            // Its own station's run converts it, a sync even from here.
            record.station = found.station;
            break;
        case Verdict::Recording:
            if (!found.span.possible || !std::isfinite(found.span.start)) return;
            record.startTime = found.span.start;
            record.spanSeconds = found.span.dataSeconds;
            break;
    }
    run.record.WriteLater(std::move(record));
}

void RecordOutcome(RunContext& run, catalog::RecordingRecord entry, const RecordingOutcome& outcome,
                   bool later) {
    std::optional<catalog::RecordingRecord> record = OutcomeRecord(std::move(entry), outcome);
    if (!record) return;
    if (later)
        run.record.WriteLater(std::move(*record));
    else
        run.record.Write(std::move(*record));
}

}  // namespace engine
