#include "engine/run_record.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

#include "catalog/database_error.h"
#include "catalog/file_list_rows.h"
#include "engine/convert_recording.h"
#include "engine/recorded_entries.h"
#include "platform/host_name.h"
#include "platform/text_encoding.h"

namespace engine {
namespace {

// What the columns hold at most, in characters.
constexpr std::size_t kMessageChars = 1024;
constexpr std::size_t kChannelChars = 16;

// A row's TBEGIN is the start as a double; what the catalogue gives back may
// differ in the last digits.
constexpr double kStartTolerance = 1e-4;

// Many small transactions cost a sync each on SQLite: the records a window
// run gathers go in batches, none held back longer than a few seconds.
constexpr std::size_t kBatchRecords = 500;
constexpr std::chrono::seconds kBatchAge{2};
// The source path's width in the record's first catalogues.
constexpr std::size_t kNarrowSourcePathBytes = 1024;

std::int64_t NowSeconds() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}  // namespace

std::optional<EntryStat> StatEntry(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return EntryStat{
        static_cast<std::int64_t>(st.st_size),
        static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec,
        static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec};
}

std::int64_t NowNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void RunRecord::Begin() {
    present_ = connection_ && catalog::RecordExists(*connection_);
    listings_ = present_ && catalog::ListingTableExists(*connection_);
    identity_ = platform::ProcessIdentity();
}

namespace {

std::int64_t LastChange(const DirectoryLook& look) {
    std::int64_t last = 0;
    for (const std::optional<EntryStat>& stat : look.stats)
        if (stat) last = std::max(last, stat->ctime);
    return last;
}

}  // namespace

DirectoryRecord RunRecord::LoadDirectory(const std::string& dir, const DirectoryLook* look,
                                         const catalog::ScanNeed* need) {
    scan_ = {};
    if (!present_) return {};
    if (listings_ && look) {
        // Read before the records: a write after it, by anyone, counts.
        const catalog::SourceListing kept = catalog::LoadSourceListing(*connection_, dir);
        scan_.dir = dir;
        scan_.digest = ListingDigest(look->entries, look->stats);
        scan_.generation = kept.generation;
        scan_.lastChange = LastChange(*look);
        // The entries it covers: all, or all that were there when it was kept
        // (recordings that came since are the ones whose inode changed since;
        // an entry that went or changed unsets it either way). Records that
        // went (deleted by hand) leave no mark but their count.
        std::optional<std::int64_t> covered;
        if (need && kept.digest) {
            if (*kept.digest == scan_.digest)
                covered = std::numeric_limits<std::int64_t>::max();
            else if (kept.lastChange &&
                     *kept.digest == ListingDigest(look->entries, look->stats, kept.lastChange))
                covered = kept.lastChange;
            if (covered && kept.records != catalog::CountPrefixedRecords(*connection_, dir))
                covered.reset();
        }
        if (covered) {
            scan_.kept = true;
            scan_.keptChange = *covered;
            scan_.keptSum = kept.sum;
            if (need->noneNeeded && need->noneNeeded(kept.sum)) return {{}, true, *covered};
            return {catalog::LoadDirectoryScan(*connection_, dir, *need), true, *covered};
        }
    }
    return {catalog::LoadDirectoryScan(*connection_, dir), false};
}

void RunRecord::KeepListing(const DirectoryRecord& record, const DirectoryLook& look) {
    if (!writes_ || scan_.dir.empty()) return;
    // A listing that covers every entry stays kept while nothing is written.
    if (scan_.kept && scan_.written.empty() &&
        scan_.keptChange == std::numeric_limits<std::int64_t>::max())
        return;
    // The entries a kept listing covers add what its sum holds; the others
    // (those that came since) their records as now.
    catalog::RecordsSum sum = scan_.kept ? scan_.keptSum : catalog::RecordsSum{};
    for (std::size_t i = 0; i < look.entries.size(); ++i) {
        if (!look.entries[i].regular) continue;
        const std::optional<EntryStat>& stat = look.stats[i];
        if (!stat) return;  // gone while the scan looked
        const std::string path = scan_.dir + look.entries[i].name;
        const auto written = scan_.written.find(path);
        if (scan_.kept && stat->ctime <= scan_.keptChange) {
            // Its record rewritten: what it added to the sum is not known here.
            if (written != scan_.written.end()) return;
            continue;
        }
        const catalog::RecordingRecord* now =
            written != scan_.written.end() ? &written->second : Unchanged(record, path, stat);
        if (!now || !now->Matches(stat->size, stat->mtime)) return;
        sum.Add(*now);
    }
    // Only a later run's speed depends on it: a catalogue that fails here
    // fails the next write, which names its recording.
    try {
        catalog::KeepSourceListing(*connection_, scan_.dir, scan_.digest, scan_.generation,
                                   catalog::CountPrefixedRecords(*connection_, scan_.dir),
                                   scan_.lastChange, sum);
    } catch (const catalog::DatabaseError&) {
    }
}

void RunRecord::Wrote(const std::vector<catalog::RecordingRecord>& records) {
    if (!listings_ || scan_.dir.empty()) return;
    bool inScan = false;
    for (const catalog::RecordingRecord& record : records)
        if (catalog::ListingDirectoryOf(record.sourcePath) == scan_.dir) {
            inScan = true;
            catalog::RecordingRecord& kept = scan_.written[record.sourcePath];
            kept = record;
            kept.traces.clear();
        }
    if (inScan) ++scan_.generation;
}

void RunRecord::Write(catalog::RecordingRecord record) {
    if (!present_ || !writes_) return;
    record.host = identity_;
    record.recordedAt = NowSeconds();
    catalog::WriteRecordingRecords(*connection_, {record}, listings_);
    Wrote({record});
}

void RunRecord::WriteLater(catalog::RecordingRecord record) {
    if (!present_ || !writes_) return;
    // A catalogue made before the record held any path keeps at most 1024
    // bytes of one; a longer path goes in at once, so that a refusal falls on
    // the recording in hand and names it, not on a whole batch later.
    if (record.sourcePath.size() > kNarrowSourcePathBytes) return Write(std::move(record));
    record.host = identity_;
    record.recordedAt = NowSeconds();
    const auto now = std::chrono::steady_clock::now();
    if (pending_.empty()) firstPending_ = now;
    pending_.push_back(std::move(record));
    if (pending_.size() >= kBatchRecords || now - firstPending_ >= kBatchAge) Flush();
}

void RunRecord::Flush() {
    if (pending_.empty()) return;
    std::vector<catalog::RecordingRecord> batch;
    batch.swap(pending_);
    catalog::WriteRecordingRecords(*connection_, batch, listings_);
    Wrote(batch);
}

std::optional<catalog::RecordingRecord> RunRecord::Claim(const catalog::RecordingRecord& entry) {
    if (!present_) return entry;
    if (!writes_) {
        const catalog::RecordingRecords found = catalog::LoadDirectoryRecords(
            *connection_, entry.sourcePath.substr(0, entry.sourcePath.rfind('/') + 1));
        const auto it = found.find(catalog::RecordKey(entry.sourcePath));
        return it == found.end() ? entry : it->second;
    }
    catalog::RecordingRecord fresh = entry;
    fresh.host = identity_;
    const std::int64_t now = NowSeconds();
    std::optional<catalog::RecordingRecord> claimed = catalog::ClaimRecording(
        *connection_, fresh, identity_, now, now + kClaimLeaseSeconds, listings_);
    // The claim counts as a write of the directory's record, won or not; a
    // record written with it is the one the conversion writes next.
    if (listings_ && catalog::ListingDirectoryOf(entry.sourcePath) == scan_.dir) ++scan_.generation;
    return claimed;
}

void RunRecord::Release(const std::string& sourcePath) {
    if (!present_ || !writes_) return;
    catalog::ReleaseRecording(*connection_, sourcePath, identity_);
}

bool RunRecord::TraceInArchive(const std::string& station, const std::string& channel, double start,
                               const std::string& fullPath, const std::string& catalogPath) {
    if (!connection_) return false;
    struct stat st {};
    if (::stat(fullPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    const std::optional<catalog::FileListRow> row =
        catalog::FindFileListRow(*connection_, catalogPath);
    return row && row->station == platform::Text8ToUtf8(station) &&
           row->channel == platform::Text8ToUtf8(channel) &&
           std::fabs(row->start - start) < kStartTolerance;
}

catalog::RecordingRecord EntryRecord(const std::string& path, const std::string& station,
                                     const EntryStat& stat) {
    catalog::RecordingRecord record;
    record.sourcePath = path;
    record.station = station;
    record.fileSize = stat.size;
    record.fileMtime = stat.mtime;
    return record;
}

std::optional<catalog::RecordingRecord> OutcomeRecord(catalog::RecordingRecord entry,
                                                      const RecordingOutcome& outcome) {
    using catalog::RecordingOutcome;
    if (outcome.stopped) return std::nullopt;
    entry.startTime = outcome.start;
    entry.spanSeconds = outcome.spanSeconds;
    for (const catalog::RecordedTrace& trace : outcome.traces)
        entry.traces.push_back({platform::CutText8(trace.channel, kChannelChars), trace.tracePath});
    if (outcome.converted || outcome.partly || outcome.failed) {
        entry.outcome = outcome.converted        ? RecordingOutcome::Converted
                        : outcome.traces.empty() ? RecordingOutcome::Failed
                                                 : RecordingOutcome::Incomplete;
        entry.message = platform::CutText8(outcome.failure, kMessageChars);
    } else if (outcome.reason == SkipReason::InArchive) {
        entry.outcome = RecordingOutcome::Converted;
    } else {
        entry.outcome = RecordingOutcome::Skipped;
        entry.message = SkipReasonText(outcome.reason);
    }
    return entry;
}

const catalog::RecordingRecord* Unchanged(const DirectoryRecord& record, const std::string& path,
                                          const std::optional<EntryStat>& stat) {
    if (!stat || record.records.empty()) return nullptr;
    const auto it = record.records.find(catalog::RecordKey(path));
    if (it == record.records.end() || !it->second.Matches(stat->size, stat->mtime)) return nullptr;
    return &it->second;
}

bool UnreadButUnchanged(const DirectoryRecord& record, const std::string& path,
                        const std::optional<EntryStat>& stat) {
    return record.listingKept && stat && stat->ctime <= record.keptChange &&
           !record.records.contains(catalog::RecordKey(path));
}

}  // namespace engine
