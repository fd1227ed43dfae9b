// The sync: every recording of the stations' source directories that is new
// or changed since the record of recordings last saw it, whatever its time.
// An entry as recorded is never opened; one still arriving is left for the
// next pass; one that another converter claimed is left to it.
#include <sys/stat.h>

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "archive/source_scan.h"
#include "catalog/database_error.h"
#include "engine/driver_bodies.h"
#include "engine/entry_read_ahead.h"
#include "engine/lost_catalogue.h"
#include "engine/recorded_entries.h"
#include "formats/recorder/recorder_text.h"
#include "platform/kelvaron_settings.h"
#include "platform/operator_texts.h"

namespace engine {
namespace {

using catalog::RecordingRecord;

constexpr std::int64_t kNanoseconds = 1'000'000'000;
// A window from syncFrom that no recording ends after.
constexpr double kForever = 1e12;

// The entries of dir to consider: all of them, or those of the request's
// syncEntries that lie in it.
std::optional<std::vector<SourceEntry>> SyncEntries(RunContext& run, const std::string& dir) {
    if (run.request.syncEntries.empty())
        return ListSourceDirectory(dir, [&run] { return run.StopRequested(); });
    std::vector<SourceEntry> entries;
    const std::string recordDir = RecordPath(dir);
    for (const std::string& given : run.request.syncEntries) {
        const std::string path = RecordPath(given);
        const std::size_t slash = path.rfind('/');
        if (slash + 1 != recordDir.size() || path.compare(0, slash + 1, recordDir) != 0) continue;
        std::string name = path.substr(slash + 1);
        if (name.empty() || name.front() == '.') continue;
        struct stat st {};
        entries.push_back({std::move(name), ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)});
    }
    return entries;
}

bool BeforeFrom(const RunContext& run, double start, double span) {
    return run.request.syncFrom && std::isfinite(start) &&
           !Overlaps(*run.request.syncFrom, kForever, start, span);
}

// Why an entry as recorded is not converted again; nullopt when it is to be
// converted (a "seen" recording of this station from --from on).
std::optional<SkipReason> SyncSkip(const RecordingRecord& known, const std::string& station,
                                   const RunContext& run) {
    if (known.outcome != catalog::RecordingOutcome::Seen) return SkipReason::Unchanged;
    if (const std::optional<SkipReason> reason = RecordedSkip(known, station, std::nullopt))
        return reason;
    if (known.startTime && known.spanSeconds &&
        BeforeFrom(run, *known.startTime, *known.spanSeconds))
        return SkipReason::OutsideWindow;
    return std::nullopt;
}

// Nanoseconds since the epoch before which an entry has settled.
std::int64_t SettledBefore(const RunContext& run) {
    return NowNanoseconds() - std::int64_t{run.request.settleSeconds} * kNanoseconds;
}

// Why the sync leaves an entry without reading it (stat: as it stands now);
// nullopt when it is to be claimed and read.
std::optional<SkipReason> SyncLeaves(const RunContext& run, const std::string& station,
                                     const std::string& recordPath,
                                     const std::optional<EntryStat>& stat,
                                     const DirectoryRecord& records, std::int64_t settledBefore) {
    if (!stat) return SkipReason::Unreadable;
    if (stat->mtime > settledBefore) return SkipReason::Settling;
    if (const RecordingRecord* known = Unchanged(records, recordPath, stat))
        return SyncSkip(*known, station, run);
    // Left unread: its outcome is a settled one.
    if (UnreadButUnchanged(records, recordPath, stat)) return SkipReason::Unchanged;
    return std::nullopt;
}

// Whether the sync converts what a look at an entry found: the station's
// recording, unless it ends before --from.
bool SyncConverts(const RunContext& run, const SourceRecording& found) {
    return found.verdict == SourceRecording::Verdict::Recording &&
           !(found.span.possible && BeforeFrom(run, found.span.start, found.span.dataSeconds));
}

// A claim the sync could not end when its recording failed (the connection
// was gone) is ended once the connection is open again, so that the next
// pass or another converter takes the recording at once; should that fail
// too, the claim expires with its lease.
void ReleaseAfterFailure(RunContext& run, const std::string& sourcePath) {
    try {
        run.record.Release(sourcePath);
    } catch (...) {
    }
}

SkipReason LookedReason(SourceRecording::Verdict verdict) {
    switch (verdict) {
        case SourceRecording::Verdict::NotRegular:
            return SkipReason::Unreadable;
        case SourceRecording::Verdict::OtherStation:
            return SkipReason::OtherStation;
        default:
            return SkipReason::NoNameDateTime;
    }
}

// A new or changed entry, claimed first. previous: its record as the sync
// read it, if any (a recording converted before is written again when it
// changed; one never converted may already be in the archive).
// found: the look at the entry's header, taken once the entry is claimed.
void ConvertClaimed(RunContext& run, const std::string& path, const std::string& station,
                    const RecordingRecord& fresh, const RecordingRecord* previous,
                    SourceRecording found) {
    if (!SyncConverts(run, found)) {
        RecordLooked(run, fresh.sourcePath, station, {fresh.fileSize, fresh.fileMtime}, found);
        Skip(run, path,
             found.verdict == SourceRecording::Verdict::Recording ? SkipReason::OutsideWindow
                                                                  : LookedReason(found.verdict));
        return;
    }
    found.header->KeepAtMost(platform::kRecordingKeptBytes);
    run.acceptArchived = !previous || previous->outcome == catalog::RecordingOutcome::Seen;
    const RecordingOutcome outcome = ConvertRecording(station, *found.header, run);
    run.acceptArchived = false;
    // Counted once recorded, as in a time-window run.
    if (outcome.stopped)
        run.record.Release(fresh.sourcePath);
    else
        RecordOutcome(run, fresh, outcome);
    Count(run, path, outcome);
}

// look: the look at the entry's header (see EntryReadAhead).
void ConvertNewEntry(RunContext& run, const std::string& path,
                     const std::function<SourceRecording()>& look, const std::string& station,
                     const RecordingRecord& fresh, const RecordingRecord* previous) {
    const std::optional<RecordingRecord> claimed = run.record.Claim(fresh);
    if (!claimed) {
        Skip(run, path, SkipReason::Claimed);
        return;
    }
    // Another converter recorded it between this sync's reading and its claim.
    if (claimed->Matches(fresh.fileSize, fresh.fileMtime) &&
        claimed->outcome != catalog::RecordingOutcome::Seen) {
        run.record.Release(fresh.sourcePath);
        Skip(run, path, SkipReason::Unchanged);
        return;
    }
    try {
        ConvertClaimed(run, path, station, fresh, previous, look());
    } catch (...) {
        // Free for the next pass at once; a lost connection frees it once
        // it is open again (ReleaseAfterFailure).
        ReleaseAfterFailure(run, fresh.sourcePath);
        throw;
    }
}

}  // namespace

void ConvertSyncThread(RunContext& run) {
    if (!run.record.Present()) {
        ShowInputError(run, platform::texts::kNoRecordOfRecordings);
        ++run.summary.otherErrors;
        return;
    }
    ForEachStation(run, [&run](const std::string& station, int number) {
        return ConvertStationSync(station, number, run);
    });
}

bool ConvertStationSync(const std::string& station, int stationNumber, RunContext& run) {
    const std::string dir = platform::ListedSourceDirectory(SourceDirectoryOf(run, station));
    const std::optional<std::vector<SourceEntry>> entries = SyncEntries(run, dir);
    if (!entries) {
        run.observer.SourceDirectoryUnreadable(station, dir);
        return true;
    }
    const std::string recordDir = RecordPath(dir);
    const std::vector<std::optional<EntryStat>> stats = StatEntries(dir, *entries);
    // Only a look at every entry tells the directory's digest.
    const bool whole = run.request.syncEntries.empty();
    static const catalog::ScanNeed kNeed = catalog::UnsettledRecords();
    const DirectoryLook look{*entries, stats};
    const DirectoryRecord records =
        run.record.LoadDirectory(recordDir, whole ? &look : nullptr, &kNeed);
    const std::int64_t settledBefore = SettledBefore(run);
    const auto leaves = [&](std::size_t i) {
        return SyncLeaves(run, station, recordDir + (*entries)[i].name, stats[i], records,
                          settledBefore);
    };
    EntryReadAhead ahead(
        dir, *entries, station, [&](std::size_t i) { return !leaves(i); },
        [&run](const SourceRecording& found) { return SyncConverts(run, found); }, run.readAhead);
    const int count = static_cast<int>(entries->size());
    const int stations = static_cast<int>(run.request.stations.size());
    bool failedBefore = false;  // the recording before met a catalogue failure
    for (int i = 0; i < count; ++i) {
        if (run.StopRequested()) return false;
        const SourceEntry& entry = (*entries)[static_cast<std::size_t>(i)];
        const std::string path = dir + entry.name;
        ++run.summary.entries;
        run.observer.EntryInWork({entry.name, i + 1, count, stationNumber, stations});
        run.pathInWork = path;
        const std::optional<EntryStat>& stat = stats[static_cast<std::size_t>(i)];
        const std::string recordPath = recordDir + entry.name;
        if (const std::optional<SkipReason> reason = leaves(static_cast<std::size_t>(i))) {
            Skip(run, path, *reason);
            continue;
        }
        const auto previous = records.records.find(catalog::RecordKey(recordPath));
        try {
            ConvertNewEntry(
                run, path, [&] { return ahead.Examine(static_cast<std::size_t>(i)); }, station,
                EntryRecord(recordPath, station, *stat),
                previous == records.records.end() ? nullptr : &previous->second);
            failedBefore = false;
        } catch (const catalog::DatabaseError& e) {
            // As in a time-window run, the catalogue failure costs the
            // recording in hand, not the station.
            if (!ScanGoesOnAfter(run, e, {station, dir, *entries, records},
                                 static_cast<std::size_t>(i), failedBefore))
                return false;
            ReleaseAfterFailure(run, recordPath);
        }
    }
    run.record.Flush();
    if (whole) run.record.KeepListing(records, look);
    return true;
}

bool SyncWouldConvert(RunContext& run, const std::string& station, const std::string& dir,
                      const SourceEntry& entry, const DirectoryRecord& records) {
    const std::string path = dir + entry.name;
    const std::optional<EntryStat> stat = entry.regular ? StatEntry(path) : std::nullopt;
    if (SyncLeaves(run, station, RecordPath(path), stat, records, SettledBefore(run))) return false;
    return SyncConverts(run, ExamineSourceEntry(dir, entry, station));
}

}  // namespace engine
