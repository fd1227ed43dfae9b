#include "engine/recorded_entries.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cinttypes>
#include <cmath>
#include <cstdio>
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

std::vector<std::optional<EntryStat>> StatEntries(const std::string& dir,
                                                  const std::vector<SourceEntry>& entries) {
    std::vector<std::optional<EntryStat>> stats(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].regular) stats[i] = StatEntry(dir + entries[i].name);
    return stats;
}

namespace {

// 64 bits of bytes under a seed (FNV-1a, then a finalizer that spreads each
// input bit over the whole word, so that sums of them do not cancel).
std::uint64_t Hash64(std::string_view bytes, std::uint64_t seed) {
    std::uint64_t h = 0xcbf29ce484222325ULL ^ seed;
    for (unsigned char c : bytes) h = (h ^ c) * 0x100000001b3ULL;
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    return h ^ (h >> 33);
}

}  // namespace

std::string ListingDigest(const std::vector<SourceEntry>& entries,
                          const std::vector<std::optional<EntryStat>>& stats,
                          std::optional<std::int64_t> changedBy) {
    // A sum of each entry's hash: the listing's order does not matter.
    std::uint64_t low = 0, high = 0;
    std::size_t count = 0;
    std::string bytes;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (changedBy && stats[i] && stats[i]->ctime > *changedBy) continue;
        ++count;
        bytes.assign(entries[i].name);
        bytes += '\0';
        const std::int64_t facts[3] = {entries[i].regular ? 1 : 0, stats[i] ? stats[i]->size : -1,
                                       stats[i] ? stats[i]->mtime : -1};
        bytes.append(reinterpret_cast<const char*>(facts), sizeof facts);
        low += Hash64(bytes, 0x9e3779b97f4a7c15ULL);
        high += Hash64(bytes, 0x3c6ef372fe94f82aULL);
    }
    char text[64];
    std::snprintf(text, sizeof text, "%zu:%016" PRIx64 "%016" PRIx64, count, high, low);
    return text;
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
