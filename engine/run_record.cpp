#include "engine/run_record.h"

#include <sys/stat.h>

#include <chrono>
#include <cmath>

#include "catalog/file_list_rows.h"
#include "engine/convert_recording.h"
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
        static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

std::int64_t NowNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void RunRecord::Begin() {
    present_ = connection_ && catalog::RecordExists(*connection_);
    identity_ = platform::ProcessIdentity();
}

catalog::RecordingRecords RunRecord::LoadDirectory(const std::string& dir) {
    if (!present_) return {};
    return catalog::LoadDirectoryScan(*connection_, dir);
}

void RunRecord::Write(catalog::RecordingRecord record) {
    if (!present_ || !writes_) return;
    record.host = identity_;
    record.recordedAt = NowSeconds();
    catalog::WriteRecordingRecords(*connection_, {record});
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
    catalog::WriteRecordingRecords(*connection_, batch);
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
    return catalog::ClaimRecording(*connection_, fresh, identity_, now, now + kClaimLeaseSeconds);
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

const catalog::RecordingRecord* Unchanged(const catalog::RecordingRecords& records,
                                          const std::string& path,
                                          const std::optional<EntryStat>& stat) {
    if (!stat || records.empty()) return nullptr;
    const auto it = records.find(catalog::RecordKey(path));
    if (it == records.end() || !it->second.Matches(stat->size, stat->mtime)) return nullptr;
    return &it->second;
}

}  // namespace engine
