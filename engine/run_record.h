// The record of recordings as one run uses it: asked once, when the run
// starts, whether the catalogue has it; read a directory at a time; written
// for every recording the run decided about; and, for a sync, the claims
// that keep two converters off one recording. Without the record (an older
// catalogue, or outputs without a catalogue) every call is a no-op and the
// run works as before.
#pragma once

#include <chrono>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "archive/source_scan.h"
#include "catalog/recording_record.h"
#include "catalog/source_listing.h"

namespace engine {

struct RecordingOutcome;

// Size and modification time of a source entry, as stat(2) sees it.
struct EntryStat {
    std::int64_t size = 0;
    std::int64_t mtime = 0;  // ns since the epoch
    // When the inode last changed (ns): set by the file system's clock on
    // every write, rename in, or chmod, and never by a copying tool.
    std::int64_t ctime = 0;
};
std::optional<EntryStat> StatEntry(const std::string& path);

// Nanoseconds since the epoch now, on this machine's clock.
std::int64_t NowNanoseconds();

// How long a claim holds without its holder: generous, so that the longest
// recording is converted within it; a holder that is gone frees it when it
// ends.
inline constexpr std::int64_t kClaimLeaseSeconds = 600;

// A station's scan's view of the record of its source directory.
struct DirectoryRecord {
    catalog::RecordingRecords records;
    // The entries the digest kept of the directory covers (all of them, or
    // those whose inode has not changed since: keptChange) are as recorded:
    // records then holds only those the need chose, and such an entry without
    // one is judged by what the need left out.
    bool listingKept = false;
    std::int64_t keptChange = std::numeric_limits<std::int64_t>::max();
};

// A scan's look at every entry of its directory, for its listing.
struct DirectoryLook {
    const std::vector<SourceEntry>& entries;
    const std::vector<std::optional<EntryStat>>& stats;
};

// Its record, when the entry is as recorded (same size and time); nullptr
// also for an entry the scan knows as recorded but did not read.
const catalog::RecordingRecord* Unchanged(const DirectoryRecord& record, const std::string& path,
                                          const std::optional<EntryStat>& stat);
// Whether the entry is as recorded without its record having been read: the
// listing was kept and the need left it out.
bool UnreadButUnchanged(const DirectoryRecord& record, const std::string& path,
                        const std::optional<EntryStat>& stat);

class RunRecord {
public:
    // connection: the catalogue the run writes to (nullptr: none). writes:
    // false for a dry run, which reads the record and never writes or claims.
    RunRecord(catalog::OdbcConnection* connection, bool writes)
        : connection_(connection), writes_(writes) {}

    // Asks the catalogue once whether it has the record. Raises DatabaseError.
    void Begin();
    bool Present() const { return present_; }

    // The records of the entries of dir (ending in "/"); none without the
    // record. look: the scan's look at all of dir's entries, which it then
    // judges; when the listing kept of dir covers them, or all but those
    // whose inode changed since, only the records need chooses are read.
    // Starts the directory's count of this run's writes.
    DirectoryRecord LoadDirectory(const std::string& dir, const DirectoryLook* look = nullptr,
                                  const catalog::ScanNeed* need = nullptr);
    // Keeps the listing of the look for the directory LoadDirectory began,
    // when every one of its regular entries is as recorded now, and no other
    // converter wrote a record of it since. Call after Flush.
    void KeepListing(const DirectoryRecord& record, const DirectoryLook& look);

    // Keeps what became of one recording; converter and time are this run's.
    // Later: gathered and written with others in one transaction (the many
    // entries a window run looks at and does not convert); Flush writes them.
    void Write(catalog::RecordingRecord record);
    void WriteLater(catalog::RecordingRecord record);
    void Flush();

    // Claims the entry for this process (sync): the record as it stands once
    // claimed, nullopt when another converter holds it. A dry run claims
    // nothing and is answered with the record as read.
    std::optional<catalog::RecordingRecord> Claim(const catalog::RecordingRecord& entry);
    // Ends this process's claim on an entry it did not record after all.
    void Release(const std::string& sourcePath);

    // Whether the trace file at fullPath exists and FILELIST holds the row
    // of catalogPath for this station, channel and start.
    bool TraceInArchive(const std::string& station, const std::string& channel, double start,
                        const std::string& fullPath, const std::string& catalogPath);

private:
    catalog::OdbcConnection* connection_;
    bool writes_;
    bool present_ = false;
    std::string identity_;   // "host:pid", the converter a record and a claim name
    bool listings_ = false;  // the catalogue keeps listings
    std::vector<catalog::RecordingRecord> pending_;
    std::chrono::steady_clock::time_point firstPending_;

    // The directory LoadDirectory began: its digest, its count of writes as
    // read then plus this run's since, what this run wrote of it, and
    // whether its listing was kept already (its records were not all read).
    struct ListingScan {
        std::string dir, digest;
        std::int64_t generation = 0;
        std::map<std::string, catalog::RecordingRecord> written;
        std::int64_t lastChange = 0;  // of the look
        bool kept = false;            // covered by the listing kept, up to keptChange:
        std::int64_t keptChange = 0;
        catalog::RecordsSum keptSum;  // the sum of the records it covers
    };
    ListingScan scan_;
    void Wrote(const std::vector<catalog::RecordingRecord>& records);
};

// An entry's record before its header is read: path, station, stat.
catalog::RecordingRecord EntryRecord(const std::string& path, const std::string& station,
                                     const EntryStat& stat);

// What the record keeps of a recording that was converted or skipped; a
// recording a stop request cut short is not recorded (nullopt).
std::optional<catalog::RecordingRecord> OutcomeRecord(catalog::RecordingRecord entry,
                                                      const RecordingOutcome& outcome);

}  // namespace engine
