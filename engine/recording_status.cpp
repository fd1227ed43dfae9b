#include "engine/recording_status.h"

#include <algorithm>

namespace engine {

StationStatus SummariseStation(const std::string& station, const std::string& sourceDir,
                               const catalog::RecordingRecords& records,
                               const std::optional<std::vector<EntryOnDisk>>& entries) {
    StationStatus status;
    status.station = station;
    status.sourceDir = sourceDir;
    status.listed = entries.has_value();
    for (const auto& [key, record] : records) {
        ++status.outcomes[static_cast<std::size_t>(record.outcome)];
        using catalog::RecordingOutcome;
        if (record.outcome == RecordingOutcome::Failed ||
            record.outcome == RecordingOutcome::Incomplete)
            status.failures.push_back(record);
        if (record.outcome != RecordingOutcome::Converted) continue;
        if (record.startTime &&
            (!status.newestConvertedStart || *record.startTime > *status.newestConvertedStart))
            status.newestConvertedStart = record.startTime;
        if (!status.lastConversion || record.recordedAt >= *status.lastConversion) {
            status.lastConversion = record.recordedAt;
            status.lastConverter = record.host;
        }
    }
    for (const EntryOnDisk& entry : entries.value_or(std::vector<EntryOnDisk>{})) {
        const auto it = records.find(catalog::RecordKey(entry.path));
        // A "seen" record was only looked at: the entry still waits for a sync.
        if (it == records.end() || !it->second.Matches(entry.size, entry.mtime) ||
            it->second.outcome == catalog::RecordingOutcome::Seen)
            ++status.notRecorded;
    }
    return status;
}

}  // namespace engine
