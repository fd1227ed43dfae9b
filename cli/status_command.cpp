#include "cli/status_command.h"

#include <sys/stat.h>

#include <cstdio>
#include <ctime>
#include <exception>

#include "archive/source_scan.h"
#include "catalog/catalogue.h"
#include "catalog/recording_record.h"
#include "cli/batch_window.h"
#include "cli/console_front_end.h"
#include "cli/time_window_text.h"
#include "engine/recorded_entries.h"
#include "engine/recording_status.h"
#include "formats/date_time.h"
#include "platform/calendar_text.h"
#include "platform/kelvaron_settings.h"
#include "platform/message_catalogue.h"
#include "platform/operator_texts.h"
#include "platform/text_encoding.h"

namespace cli {

namespace {

namespace texts = platform::texts;
using catalog::RecordingOutcome;

constexpr int kAllWell = 0;
constexpr int kAttention = 1;
constexpr int kError = 2;

// A length of time as kelvaron.ini writes one ("DDD hh:mm:ss"); seconds
// beyond its 999 days.
std::string LengthText(std::int64_t seconds) {
    if (seconds < 0) seconds = 0;
    return engine::DurationFieldText(seconds).value_or(std::to_string(seconds) + " s");
}

// An instant on the recorder's clock in the dialog's form.
std::string StartText(double epoch) {
    platform::CalendarFields fields;
    CalendarFromEpoch(epoch, fields);
    return platform::FormatStartText(fields);
}

// A moment of this machine (Unix seconds) as its local wall clock reads it:
// the clock the recorders keep.
std::string LocalText(std::int64_t unixSeconds) {
    const std::time_t t = static_cast<std::time_t>(unixSeconds);
    std::tm local{};
    ::localtime_r(&t, &local);
    return platform::FormatStartText({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                      local.tm_hour, local.tm_min, local.tm_sec});
}

std::optional<std::vector<engine::EntryOnDisk>> EntriesOnDisk(const std::string& dir) {
    const auto listed = engine::ListSourceDirectory(dir);
    if (!listed) return std::nullopt;
    std::vector<engine::EntryOnDisk> entries;
    for (const engine::SourceEntry& entry : *listed) {
        if (!entry.regular) continue;
        const std::string path = dir + entry.name;
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) continue;
        entries.push_back(
            {path, static_cast<std::int64_t>(st.st_size),
             static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec});
    }
    return entries;
}

std::string JsonText(const std::string& text8) {
    std::string out = "\"";
    for (unsigned char c : platform::Text8ToUtf8(text8)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

template <class T>
std::string JsonOptional(const std::optional<T>& value) {
    if (!value) return "null";
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", static_cast<double>(*value));
    return text;
}

void PrintJson(const std::vector<engine::StationStatus>& all, double now, bool failed) {
    std::printf("[");
    for (std::size_t i = 0; i < all.size(); ++i) {
        const engine::StationStatus& s = all[i];
        std::optional<double> age;
        if (s.newestConvertedStart) age = now - *s.newestConvertedStart;
        std::printf(
            "%s\n  {\"station\": %s, \"source_dir\": %s, \"listed\": %s, \"converted\": %d, "
            "\"incomplete\": %d, \"skipped\": %d, \"failed\": %d, \"waiting\": %d, "
            "\"newest_converted_start\": %s, \"newest_converted_age_seconds\": %s, "
            "\"last_conversion\": %s, \"last_converter\": %s",
            i ? "," : "", JsonText(s.station).c_str(), JsonText(s.sourceDir).c_str(),
            s.listed ? "true" : "false", s.count(RecordingOutcome::Converted),
            s.count(RecordingOutcome::Incomplete), s.count(RecordingOutcome::Skipped),
            s.count(RecordingOutcome::Failed), s.notRecorded,
            s.newestConvertedStart ? JsonText(StartText(*s.newestConvertedStart)).c_str() : "null",
            JsonOptional(age).c_str(), JsonOptional(s.lastConversion).c_str(),
            s.lastConversion ? JsonText(s.lastConverter).c_str() : "null");
        if (failed) {
            std::printf(", \"failures\": [");
            for (std::size_t k = 0; k < s.failures.size(); ++k)
                std::printf(
                    "%s{\"path\": %s, \"outcome\": \"%s\", \"converter\": %s, \"message\": %s}",
                    k ? ", " : "", JsonText(s.failures[k].sourcePath).c_str(),
                    std::string(catalog::OutcomeText(s.failures[k].outcome)).c_str(),
                    JsonText(s.failures[k].host).c_str(), JsonText(s.failures[k].message).c_str());
            std::printf("]");
        }
        std::printf("}");
    }
    std::printf("\n]\n");
}

void PrintText(const engine::StationStatus& s, double now, bool failed) {
    const std::string station = platform::Text8ToUtf8(s.station);
    const std::string dir = platform::Text8ToUtf8(s.sourceDir);
    if (!s.listed) PrintSaid(stderr, texts::StatusDirectoryUnreadable(station, dir));
    PrintSaid(stdout, texts::StatusStationLine(station, dir, s.count(RecordingOutcome::Converted),
                                               s.count(RecordingOutcome::Incomplete),
                                               s.count(RecordingOutcome::Skipped),
                                               s.count(RecordingOutcome::Failed), s.notRecorded));
    if (s.newestConvertedStart)
        PrintSaid(stdout, texts::StatusNewestConverted(
                              StartText(*s.newestConvertedStart),
                              LengthText(static_cast<std::int64_t>(now - *s.newestConvertedStart)),
                              LocalText(s.lastConversion.value_or(0)),
                              platform::Text8ToUtf8(s.lastConverter)));
    else
        PrintSaid(stdout, texts::kStatusNothingConverted);
    if (!failed) return;
    for (const catalog::RecordingRecord& r : s.failures) {
        const std::string path = platform::Text8ToUtf8(r.sourcePath);
        const std::string converter = platform::Text8ToUtf8(r.host);
        PrintSaid(stdout, r.outcome == RecordingOutcome::Failed
                              ? texts::StatusFailedRecording(path, converter, r.message)
                              : texts::StatusIncompleteRecording(path, converter, r.message));
    }
}

// Whether a monitor should hear of the station: said on stderr.
bool NeedsAttention(const engine::StationStatus& s, double now,
                    const std::optional<std::int64_t>& maxAge) {
    const std::string station = platform::Text8ToUtf8(s.station);
    bool attention = false;
    if (const int failed = s.count(RecordingOutcome::Failed); failed > 0) {
        PrintSaid(stderr, texts::StatusHasFailures(station, failed));
        attention = true;
    }
    if (!maxAge) return attention;
    if (!s.newestConvertedStart) {
        PrintSaid(stderr, texts::StatusNoneConverted(station));
        return true;
    }
    const auto age = static_cast<std::int64_t>(now - *s.newestConvertedStart);
    if (age > *maxAge) {
        PrintSaid(stderr, texts::StatusTooOld(station, LengthText(age), LengthText(*maxAge)));
        attention = true;
    }
    return attention;
}

}  // namespace

int RunStatus(catalog::OdbcConnection& database, const StatusRequest& request) {
    const platform::RunSettings settings = platform::ResolveRunSettings(
        request.stations.empty()
            ? platform::ReadKelvaronSettings(platform::KelvaronIniPath()).stations
            : request.stations);
    ConsoleFrontEnd console(stdout, stderr, {});
    if (!OpenCatalogue(database, console.Messages())) return kError;
    std::vector<engine::StationStatus> all;
    try {
        if (!catalog::RecordExists(database)) {
            std::fprintf(stderr, "%s: %s\n",
                         platform::TranslateMessage(texts::kErrorCaption).c_str(),
                         platform::TranslateMessage(texts::kNoRecordOfRecordings).c_str());
            database.Close();
            return kError;
        }
        for (const platform::StationSettings& station : settings.stations) {
            // Without any DIR a listing would be of the file system's root.
            // As the records name it: a relative DIR from the working directory.
            const std::string dir =
                station.sourceDir.empty()
                    ? std::string()
                    : engine::RecordPath(platform::ListedSourceDirectory(station.sourceDir));
            all.push_back(engine::SummariseStation(
                station.name, dir,
                dir.empty() ? catalog::RecordingRecords{}
                            : catalog::LoadDirectoryRecords(database, catalog::RecordKey(dir)),
                dir.empty() ? std::nullopt : EntriesOnDisk(dir)));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kelvaron-batch status: %s\n", e.what());
        database.Close();
        return kError;
    }
    database.Close();

    // Ages are on the recorder's clock: this machine's local wall clock.
    const double now = EpochFromCalendar(LocalWallClockNow());
    if (request.json)
        PrintJson(all, now, request.failed);
    else
        for (const engine::StationStatus& s : all) PrintText(s, now, request.failed);
    std::fflush(stdout);
    bool attention = false;
    for (const engine::StationStatus& s : all)
        attention = NeedsAttention(s, now, request.maxAgeSeconds) || attention;
    return attention ? kAttention : kAllWell;
}

}  // namespace cli
