// What the record of recordings says of one station, beside what its source
// directory holds now: the answer to "what is waiting, what failed, when did
// this station last deliver".
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalog/recording_record.h"

namespace engine {

// One entry of a source directory as stat sees it.
struct EntryOnDisk {
    std::string path;
    std::int64_t size = 0;
    std::int64_t mtime = 0;  // ns since the epoch
};

struct StationStatus {
    std::string station;
    std::string sourceDir;
    bool listed = false;  // the directory could be listed
    // Records by outcome, in catalog::RecordingOutcome order.
    std::array<int, 5> outcomes{};
    // Entries without a record, or changed since they were recorded.
    int notRecorded = 0;
    std::optional<double> newestConvertedStart;  // recorder clock, epoch seconds
    std::optional<std::int64_t> lastConversion;  // Unix seconds
    std::string lastConverter;                   // the record's host of the last conversion
    // Failed and incomplete recordings, by source path.
    std::vector<catalog::RecordingRecord> failures;

    int count(catalog::RecordingOutcome outcome) const {
        return outcomes[static_cast<std::size_t>(outcome)];
    }
};

// entries: the directory's regular entries, or nothing when it could not be
// listed.
StationStatus SummariseStation(const std::string& station, const std::string& sourceDir,
                               const catalog::RecordingRecords& records,
                               const std::optional<std::vector<EntryOnDisk>>& entries);

}  // namespace engine
