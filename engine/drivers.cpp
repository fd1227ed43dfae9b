#include "engine/drivers.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <exception>
#include <new>
#include <optional>
#include <utility>
#include <vector>

#include "archive/source_scan.h"
#include "catalog/connection_loss.h"
#include "catalog/database_error.h"
#include "engine/convert_recording.h"
#include "engine/driver_bodies.h"
#include "engine/entry_read_ahead.h"
#include "engine/lost_catalogue.h"
#include "engine/recorded_entries.h"
#include "engine/recordings_left.h"
#include "formats/date_time.h"
#include "formats/recorder/recorder_header.h"
#include "formats/recorder/recorder_messages.h"
#include "formats/recorder/recorder_text.h"
#include "platform/ini_file.h"
#include "platform/kelvaron_settings.h"
#include "platform/operator_texts.h"
#include "platform/station_order.h"
#include "platform/system_reason.h"
#include "platform/text_encoding.h"

namespace engine {
namespace {

namespace texts = platform::texts;

constexpr std::size_t kExceptionTextChars = 255;

// An error's text as the message box takes it: at most 255 bytes, not
// ending inside a UTF-8 sequence.
std::string ExceptionText(const std::exception& e) {
    std::string text = e.what();
    if (text.size() > kExceptionTextChars) {
        std::size_t cut = kExceptionTextChars;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
        text.resize(cut);
    }
    return text;
}

// Paths up to this long fit every record of recordings catalogue init made.
constexpr std::size_t kNarrowestRecordPath = 1024;

// A catalogue whose record cannot hold a recording's long path says so in
// its own words; the operator is told the cause: the path's length in bytes
// as the record keys it.
std::optional<std::size_t> LongPathRefused(const std::exception& e, const std::string& path) {
    const auto* database = dynamic_cast<const catalog::DatabaseError*>(&e);
    if (!database || path.empty() || !catalog::IsValueTooLong(*database)) return std::nullopt;
    const std::size_t bytes = RecordPath(path).size();
    if (bytes <= kNarrowestRecordPath) return std::nullopt;
    return bytes;
}

}  // namespace

void ShowInputError(RunContext& run, std::string text) {
    run.observer.ShowMessage({std::move(text), "", texts::kErrorCaption});
}

// An error that ended a recording's work (in a time-window run, a memory or
// other unexpected error ends the station's): the error's own text, and
// where it happened.
void ReportError(RunContext& run, const std::exception& e, const std::string& station,
                 const std::string& path, bool repeated) {
    if (dynamic_cast<const catalog::DatabaseError*>(&e))
        ++run.summary.catalogueErrors;
    else if (dynamic_cast<const std::bad_alloc*>(&e))
        ++run.summary.memoryErrors;
    else
        ++run.summary.otherErrors;
    RunMessage message{ExceptionText(e), "", platform::kApplicationTitle};
    if (const std::optional<std::size_t> bytes = LongPathRefused(e, path))
        message.text = texts::RecordPathTooLong(*bytes);
    if (!path.empty()) {
        ++run.summary.failedRecordings;
        message.detail = texts::RecordingDetail(station, path);
    }
    message.repeated = repeated;
    run.observer.ShowMessage(message);
}

void Skip(RunContext& run, const std::string& path, SkipReason reason) {
    ++run.summary.Skipped(reason);
    run.observer.RecordingSkipped(path, reason);
}

// A recording that a stop request cut short is neither converted nor
// skipped: the summary says the run was stopped.
void Count(RunContext& run, const std::string& path, const RecordingOutcome& outcome) {
    if (outcome.converted)
        ++run.summary.converted;
    else if (outcome.partly)
        ++run.summary.partlyConverted;
    else if (outcome.failed)
        ++run.summary.failedRecordings;
    else if (outcome.stopped)
        ++run.summary.interrupted;
    else
        Skip(run, path, outcome.reason);
}

namespace {

// A picked file that is not converted is named with its cause.
void Refuse(RunContext& run, const std::string& path, FileRefusal refusal, SkipReason reason,
            std::string detail = {}) {
    run.observer.ShowMessage(
        {RefusalMessage(refusal, path), std::move(detail), texts::kErrorCaption});
    Skip(run, path, reason);
}

// Why a picked file could not be opened as a regular one.
void RefuseUnopenable(RunContext& run, const std::string& path, int error) {
    struct stat target {};
    struct stat link {};
    if (::stat(path.c_str(), &target) == 0) {
        if (!S_ISREG(target.st_mode)) {
            ShowInputError(run, NotARegularFileMessage(path));
            Skip(run, path, SkipReason::Unreadable);
            return;
        }
    } else if (errno == ENOENT && ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        Refuse(run, path, FileRefusal::DanglingLink, SkipReason::Unreadable);
        return;
    }
    Refuse(run, path, FileRefusal::Unreadable, SkipReason::Unreadable,
           platform::SystemReason(error));
}

// No NAME, DATE_INT or TIME_INT and no [SYSTEM] section at all: not a
// recorder's header. A header with a [SYSTEM] section but no NAME keeps the
// nameless-station refusal the operator knows.
bool LooksLikeRecording(platform::IniFile& header) {
    return !header.GetString("FILE", "DATE_INT", "", 31).empty() ||
           !header.GetString("FILE", "TIME_INT", "", 31).empty() ||
           !header.Keys("SYSTEM", 1).empty();
}

}  // namespace

std::string SourceDirectoryOf(const RunContext& run, const std::string& station) {
    const platform::StationSettings* settings = run.request.settings.Find(station);
    return settings ? settings->sourceDir : std::string();
}

bool IsSelected(const RunRequest& request, const std::string& name) {
    return std::any_of(request.stations.begin(), request.stations.end(),
                       [&](const std::string& s) { return platform::StationEquals(s, name); });
}

void ConvertSelectedFiles(RunContext& run) {
    const std::vector<std::string>& files = run.request.files;
    const int count = static_cast<int>(files.size());
    WorkQueue own(files.size());
    WorkCursor work(run.queue ? *run.queue : own);
    while (!run.StopRequested()) {
        const std::optional<std::size_t> next = work.Next();
        if (!next) break;
        const int i = static_cast<int>(*next);
        const std::string& path = files[static_cast<std::size_t>(i)];
        ++run.summary.entries;
        run.pathInWork = path;
        run.observer.EntryInWork({path, i + 1, count, 0, 0});
        platform::IniFile header(path, platform::kRecordingKeptBytes);
        if (header.source() == platform::IniFile::Source::NotARegularFile) {
            ShowInputError(run, NotARegularFileMessage(path));
            Skip(run, path, SkipReason::Unreadable);
            continue;
        }
        if (header.source() != platform::IniFile::Source::Readable) {
            RefuseUnopenable(run, path, header.openError());
            continue;
        }
        if (header.size() == 0) {
            Refuse(run, path, FileRefusal::Empty, SkipReason::Unreadable);
            continue;
        }
        const std::string name = ReadStationName(header);
        if (name.empty()) {
            if (!LooksLikeRecording(header)) {
                Refuse(run, path, FileRefusal::NotARecording, SkipReason::NoNameDateTime);
                continue;
            }
            run.observer.ShowMessage(
                {texts::kNoStationName, platform::Text8ToUtf8(path), texts::kErrorCaption});
            Skip(run, path, SkipReason::NoNameDateTime);
            continue;
        }
        if (!IsSelected(run.request, name)) {
            ShowInputError(run, texts::StationMismatch(path));
            Skip(run, path, SkipReason::OtherStation);
            continue;
        }
        try {
            const RecordingOutcome outcome = ConvertRecording(name, header, run);
            if (outcome.refusal)
                run.observer.ShowMessage(
                    {RefusalMessage(*outcome.refusal, path), "", texts::kErrorCaption});
            // Counted once recorded: a record the catalogue refuses makes it
            // a failure, never both.
            if (const std::optional<EntryStat> stat =
                    run.record.Present() ? StatEntry(path) : std::nullopt)
                RecordOutcome(run, EntryRecord(RecordPath(path), name, *stat), outcome);
            Count(run, path, outcome);
        } catch (const std::exception& e) {
            ReportError(run, e, name, path);
            // A lost catalogue is opened again before the next file.
            if (!CatalogueUsableAfter(e, run.outputs, run.observer)) {
                CountFilesLeft(run, work.Rest());
                break;
            }
        }
    }
}

void ConvertWindowThread(RunContext& run) {
    ForEachStation(run, [&run](const std::string& station, int number) {
        return ConvertStationWindow(station, number, run.request.windowStart,
                                    run.request.windowLength, run);
    });
}

void ForEachStation(RunContext& run,
                    const std::function<bool(const std::string& station, int number)>& convert) {
    const std::vector<std::string>& stations = run.request.stations;
    WorkQueue own(stations.size());
    WorkCursor work(run.queue ? *run.queue : own);
    while (!run.StopRequested()) {
        const std::optional<std::size_t> next = work.Next();
        if (!next) break;
        const std::size_t k = *next;
        const std::string& station = stations[k];
        // Without any DIR the scan would be of the file system's root.
        if (SourceDirectoryOf(run, station).empty()) {
            ++run.summary.sourceDirectoryErrors;
            ShowInputError(run, texts::NoSourceDirectory(station));
            continue;
        }
        run.pathInWork.clear();
        run.observer.StationBegins(station);
        bool completed = false;
        try {
            completed = convert(station, static_cast<int>(k) + 1);
        } catch (const std::exception& e) {
            run.observer.StationFinished(station, false);
            ReportError(run, e, station, run.pathInWork);
            // A lost catalogue is opened again before the next station; one
            // that stays lost ends the run, for the other workers too.
            if (!CatalogueUsableAfter(e, run.outputs, run.observer)) {
                work.Rest();
                break;
            }
            continue;
        }
        run.observer.StationFinished(station, completed);
        if (run.catalogueGone) {
            CountStationsLeft(run, work.Rest());
            break;
        }
    }
}

bool ConvertStationWindow(const std::string& station, int stationNumber, double start,
                          double length, RunContext& run) {
    const std::string dir = platform::ListedSourceDirectory(SourceDirectoryOf(run, station));
    const std::optional<std::vector<SourceEntry>> entries = ListSourceDirectory(dir);
    if (!entries) {
        ++run.summary.sourceDirectoryErrors;
        run.observer.SourceDirectoryUnreadable(station, dir);
        return true;
    }
    const int count = static_cast<int>(entries->size());
    const int stations = static_cast<int>(run.request.stations.size());
    const std::string recordDir = RecordPath(dir);
    // Without the record no entry is judged unopened: none needs its stat.
    const std::vector<std::optional<EntryStat>> stats =
        run.record.Present() ? StatEntries(dir, *entries)
                             : std::vector<std::optional<EntryStat>>(entries->size());
    const catalog::ScanNeed need = catalog::RecordsNearWindow(station, start, start + length);
    const DirectoryLook look{*entries, stats};
    const DirectoryRecord records = run.record.Present()
                                        ? run.record.LoadDirectory(recordDir, &look, &need)
                                        : DirectoryRecord{};
    // An entry as it was recorded is judged by its record, unopened; one
    // whose record the scan did not read lies outside the window.
    const auto recordedSkip = [&](std::size_t i) -> std::optional<SkipReason> {
        const std::string recordPath = recordDir + (*entries)[i].name;
        if (const catalog::RecordingRecord* known = Unchanged(records, recordPath, stats[i]))
            return RecordedSkip(*known, station, Window{start, length});
        if (UnreadButUnchanged(records, recordPath, stats[i])) return SkipReason::OutsideWindow;
        return std::nullopt;
    };
    EntryReadAhead ahead(
        dir, *entries, station, [&](std::size_t i) { return !recordedSkip(i); },
        [start, length](const SourceRecording& found) { return WindowTakes(found, start, length); },
        run.readAhead);
    bool failedBefore = false;  // the recording before met a catalogue failure
    for (int i = 0; i < count; ++i) {
        if (run.StopRequested()) return false;
        const SourceEntry& entry = (*entries)[static_cast<std::size_t>(i)];
        ++run.summary.entries;
        run.observer.EntryInWork({entry.name, i + 1, count, stationNumber, stations});
        run.pathInWork = dir + entry.name;
        if (const std::optional<SkipReason> reason = recordedSkip(static_cast<std::size_t>(i))) {
            Skip(run, dir + entry.name, *reason);
            continue;
        }
        const std::optional<EntryStat>& stat = stats[static_cast<std::size_t>(i)];
        const bool known = Unchanged(records, recordDir + entry.name, stat) != nullptr;
        SourceRecording found = ahead.Examine(static_cast<std::size_t>(i));
        const bool record = stat && !known;
        if (record && found.verdict != SourceRecording::Verdict::Recording)
            RecordLooked(run, recordDir + entry.name, station, *stat, found);
        switch (found.verdict) {
            case SourceRecording::Verdict::NotRegular:
                Skip(run, found.path, SkipReason::Unreadable);
                continue;
            case SourceRecording::Verdict::NoStation:
            case SourceRecording::Verdict::NoSpan:
                Skip(run, found.path, SkipReason::NoNameDateTime);
                continue;
            case SourceRecording::Verdict::OtherStation:
                Skip(run, found.path, SkipReason::OtherStation);
                continue;
            case SourceRecording::Verdict::Recording:
                break;
        }
        if (!WindowTakes(found, start, length)) {
            if (record) RecordLooked(run, recordDir + entry.name, station, *stat, found);
            Skip(run, found.path, SkipReason::OutsideWindow);
            continue;
        }
        // The scan kept only the header's bytes; the conversion reads on in
        // the same file, keeping no more than a recording's share, so that its
        // bytes are read once.
        found.header->KeepAtMost(platform::kRecordingKeptBytes);
        try {
            const RecordingOutcome outcome = ConvertRecording(station, *found.header, run);
            if (stat)
                RecordOutcome(run, EntryRecord(recordDir + entry.name, station, *stat), outcome,
                              true);
            Count(run, found.path, outcome);
            failedBefore = false;
        } catch (const catalog::DatabaseError& e) {
            // A catalogue failure costs the recording in hand, not the station;
            // one that every recording meets may be stopped by the operator.
            if (!ScanGoesOnAfter(run, e, {station, dir, *entries, records},
                                 static_cast<std::size_t>(i), failedBefore))
                return false;
        }
    }
    // A failure to write the gathered records is no recording's.
    run.pathInWork.clear();
    run.record.Flush();
    run.record.KeepListing(records, look);
    return true;
}

RunShare ConvertShare(const RunRequest& request, RunObserver& observer, RecordingOutputs& outputs,
                      std::stop_token stop, WorkQueue* queue, int workers) {
    RunContext run(request, observer, outputs, std::move(stop));
    run.queue = queue;
    run.readAhead = ReadAheadFits(workers);
    try {
        run.record.Begin();
        if (request.mode == RunMode::Files)
            ConvertSelectedFiles(run);
        else if (request.mode == RunMode::Sync)
            ConvertSyncThread(run);
        else
            ConvertWindowThread(run);
        // A catalogue that is gone takes no records (the run has said what it left).
        if (!run.catalogueGone) run.record.Flush();
    } catch (const std::exception& e) {
        // Only the observer itself can throw here; tell it once more if it can take it.
        try {
            ReportError(run, e, "", "");
        } catch (...) {
        }
    } catch (...) {
    }
    return {std::move(run.summary), std::move(run.channels), std::move(run.itemCarried)};
}

RunSummary FinishRun(RunShare run, RunObserver& observer, bool stopped,
                     std::chrono::steady_clock::time_point begin) {
    RunSummary& summary = run.summary;
    summary.stopped = stopped;
    for (std::size_t i = 0; i < run.channels.size(); ++i)
        if (run.channels[i].checked && !run.itemCarried[i])
            summary.channelsNotCarried.push_back(run.channels[i].text);
    summary.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    try {
        observer.RunFinished(summary);
    } catch (...) {
    }
    return summary;
}

RunSummary RunConversion(const RunRequest& request, RunObserver& observer,
                         RecordingOutputs& outputs, std::stop_token stop) {
    const auto begin = std::chrono::steady_clock::now();
    RunShare run = ConvertShare(request, observer, outputs, stop, nullptr, 1);
    return FinishRun(std::move(run), observer, stop.stop_requested(), begin);
}

}  // namespace engine
