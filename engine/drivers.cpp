#include "engine/drivers.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "catalog/database_error.h"
#include "engine/convert_recording.h"
#include "engine/driver_bodies.h"
#include "engine/lost_catalogue.h"
#include "formats/date_time.h"
#include "formats/recorder/recorder_header.h"
#include "formats/recorder/recorder_messages.h"
#include "formats/recorder/recorder_text.h"
#include "platform/ini_file.h"
#include "platform/kelvaron_settings.h"
#include "platform/operator_texts.h"
#include "platform/station_order.h"

namespace engine {
namespace {

namespace texts = platform::texts;

constexpr std::size_t kWindowDirChars = 255;
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

void ShowInputError(RunContext& run, std::string text) {
    run.observer.ShowMessage({std::move(text), "", texts::kErrorCaption});
}

// An error that ended a file's work (file run) or a station's (time-window
// run): the error's own text, and where it happened.
void ReportError(RunContext& run, const std::exception& e, const std::string& station,
                 const std::string& path) {
    if (dynamic_cast<const catalog::DatabaseError*>(&e))
        ++run.summary.catalogueErrors;
    else
        ++run.summary.otherErrors;
    RunMessage message{ExceptionText(e), "", platform::kApplicationTitle};
    if (!path.empty()) message.detail = texts::RecordingDetail(station, path);
    run.observer.ShowMessage(message);
}

void Skip(RunContext& run, const std::string& path, SkipReason reason) {
    ++run.summary.Skipped(reason);
    run.observer.RecordingSkipped(path, reason);
}

void Count(RunContext& run, const std::string& path, const RecordingOutcome& outcome) {
    if (outcome.converted)
        ++run.summary.converted;
    else
        Skip(run, path, outcome.reason);
}

struct Entry {
    std::string name;
    bool regular;  // by the listing's own file type: a pipe is never opened
};

// A directory's entries in the order the file system returns them, without
// "." and ".." and without hidden ones: copying tools write a file that is
// still arriving under a name that begins with ".". nullopt when the
// directory cannot be listed.
std::optional<std::vector<Entry>> ListEntries(const std::string& dir) {
    std::error_code error;
    std::filesystem::directory_iterator it(dir, error);
    if (error) return std::nullopt;
    std::vector<Entry> entries;
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.') continue;
        std::error_code typeError;
        entries.push_back({std::move(name), it->is_regular_file(typeError)});
    }
    return entries;
}

bool IsSelected(const RunRequest& request, const std::string& name) {
    return std::any_of(request.stations.begin(), request.stations.end(),
                       [&](const std::string& s) { return platform::StationEquals(s, name); });
}

}  // namespace

void ConvertSelectedFiles(RunContext& run) {
    const std::vector<std::string>& files = run.request.files;
    const int count = static_cast<int>(files.size());
    for (int i = 0; i < count; ++i) {
        if (run.StopRequested()) break;
        const std::string& path = files[static_cast<std::size_t>(i)];
        ++run.summary.entries;
        run.pathInWork = path;
        run.observer.EntryInWork({path, i + 1, count, 0, 0});
        platform::IniFile header(path);
        if (header.source() == platform::IniFile::Source::NotARegularFile) {
            ShowInputError(run, NotARegularFileMessage(path));
            Skip(run, path, SkipReason::Unreadable);
            continue;
        }
        const std::string name = ReadStationName(header);
        if (name.empty()) {
            ShowInputError(run, texts::kNoStationName);
            Skip(run, path, SkipReason::NoNameDateTime);
            continue;
        }
        if (!IsSelected(run.request, name)) {
            ShowInputError(run, texts::StationMismatch(path));
            Skip(run, path, SkipReason::OtherStation);
            continue;
        }
        try {
            Count(run, path, ConvertRecording(name, header, run));
        } catch (const std::exception& e) {
            ReportError(run, e, name, path);
            // A lost catalogue is opened again before the next file.
            if (!CatalogueUsableAfter(e, run.outputs, run.observer)) break;
        }
    }
}

void ConvertWindowThread(RunContext& run) {
    const std::vector<std::string>& stations = run.request.stations;
    for (std::size_t k = 0; k < stations.size(); ++k) {
        if (run.StopRequested()) break;
        const std::string& station = stations[k];
        // Taken for every station, from the same values: all get the same window.
        const platform::CalendarFields& t = run.request.start;
        const double start = EpochFromCalendar(t.year, t.month, t.day, t.hour, t.minute,
                                               static_cast<float>(t.second));
        const double length = ParseDurationSeconds(run.request.duration);
        // Without any DIR the scan would be of the file system's root.
        if (platform::ReadSourceDirectory(platform::KelvaronIniPath(), station, kWindowDirChars)
                .empty()) {
            ShowInputError(run, texts::NoSourceDirectory(station));
            continue;
        }
        run.observer.StationBegins(station);
        bool completed = false;
        try {
            completed = ConvertStationWindow(station, static_cast<int>(k) + 1, start, length, run);
        } catch (const std::exception& e) {
            run.observer.StationFinished(station, false);
            ReportError(run, e, station, run.pathInWork);
            // A lost catalogue is opened again before the next station.
            if (!CatalogueUsableAfter(e, run.outputs, run.observer)) break;
            continue;
        }
        run.observer.StationFinished(station, completed);
    }
}

bool ConvertStationWindow(const std::string& station, int stationNumber, double start,
                          double length, RunContext& run) {
    const std::string dir = platform::SourceDirectory(station, kWindowDirChars);
    const std::optional<std::vector<Entry>> entries = ListEntries(dir);
    if (!entries) {
        run.observer.SourceDirectoryUnreadable(station, dir);
        return true;
    }
    const int count = static_cast<int>(entries->size());
    const int stations = static_cast<int>(run.request.stations.size());
    for (int i = 0; i < count; ++i) {
        if (run.StopRequested()) return false;
        const Entry& entry = (*entries)[static_cast<std::size_t>(i)];
        ++run.summary.entries;
        run.observer.EntryInWork({entry.name, i + 1, count, stationNumber, stations});
        const std::string path = dir + entry.name;
        run.pathInWork = path;
        if (!entry.regular) {
            Skip(run, path, SkipReason::Unreadable);
            continue;
        }
        platform::IniFile header(path, platform::kHeaderScanKeptBytes);
        const std::string fileStation = ReadStationName(header);
        if (fileStation.empty() || fileStation != station) {
            Skip(run, path,
                 fileStation.empty() ? SkipReason::NoNameDateTime : SkipReason::OtherStation);
            continue;
        }
        const std::optional<RecordingSpan> span = ReadRecordingSpan(header);
        if (!span) {
            Skip(run, path, SkipReason::NoNameDateTime);
            continue;
        }
        if (!Overlaps(start, length, span->start, span->dataSeconds)) {
            Skip(run, path, SkipReason::OutsideWindow);
            continue;
        }
        // Opened afresh, so that a recording's bytes are read once in full
        // (the scan read only its header).
        platform::IniFile recording(path);
        Count(run, path, ConvertRecording(station, recording, run));
    }
    return true;
}

RunSummary RunConversion(const RunRequest& request, RunObserver& observer,
                         RecordingOutputs& outputs, std::stop_token stop) {
    const auto begin = std::chrono::steady_clock::now();
    RunContext run(request, observer, outputs, std::move(stop));
    try {
        if (request.mode == RunMode::Files)
            ConvertSelectedFiles(run);
        else
            ConvertWindowThread(run);
    } catch (const std::exception& e) {
        // Only the observer itself can throw here; tell it once more if it can take it.
        try {
            ReportError(run, e, "", "");
        } catch (...) {
        }
    } catch (...) {
    }
    RunSummary& summary = run.summary;
    summary.stopped = run.StopRequested();
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

}  // namespace engine
