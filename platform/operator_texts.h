// Every text the program shows an operator, in one place and under stable
// names (a translation layer keys on them). 8-bit values (station names,
// paths) are put in as they are; the front end converts the whole text.
#pragma once

#include <cstddef>
#include <string>

namespace platform::texts {

// Captions.
inline constexpr const char* kErrorCaption = "Ошибка";
inline constexpr const char* kWarningCaption = "Предупреждение";

// The start field holds no valid date and time.
inline constexpr const char* kInvalidTime = "Введено ошибочное время";
// A picked file without SYSTEM/NAME.
inline constexpr const char* kNoStationName = "В файле нет имени станции";
// A picked file of a station that is not selected.
std::string StationMismatch(const std::string& path);
// The second line of a failure on one recording: where it happened.
std::string RecordingDetail(const std::string& station, const std::string& path);
// [DATA] DIR of tvx.ini is empty or missing; found: tvx.ini could be read.
std::string NoDataDirectory(const std::string& tvxIni, bool found);
// [DATA] DIR of tvx.ini names no place a trace tree may go.
std::string DataDirectoryNotAbsolute(const std::string& dir, const std::string& tvxIni);
std::string DataDirectoryIsRoot(const std::string& dir, const std::string& tvxIni);
std::string DataDirectoryMissing(const std::string& dir, const std::string& tvxIni);
std::string DataDirectoryNotADirectory(const std::string& dir, const std::string& tvxIni);
std::string DataDirectoryNotWritable(const std::string& dir, const std::string& tvxIni);
// A station listed more than once (in kelvaron.ini or on the command line).
std::string DuplicateStation(const std::string& station);
// A settings file (tvx.ini, a kelvaron.ini named by --config) that is there
// but cannot be read, or a named one that is missing; reason: the system's.
std::string UnreadableSettingsFile(const std::string& path, const std::string& reason);
// Neither the station's own DIR nor [KELVARON] DIR names a source directory.
std::string NoSourceDirectory(const std::string& station);
// The station's source directory cannot be listed.
std::string UnreadableSourceDirectory(const std::string& station, const std::string& dir);
// A station named on the command line that kelvaron.ini does not list.
std::string StationNotListed(const std::string& station);
// A --channels name that no converted recording carries.
std::string ChannelNotCarried(const std::string& channel);
// The catalogue's connection was lost and could not be opened again.
inline constexpr const char* kCatalogueLost =
    "Связь с базой данных потеряна и не восстановлена, конвертирование остановлено";
// Asked when a trace-file failure repeats: stop the run?
inline constexpr const char* kStopAfterRepeatedFailure =
    "Та же ошибка повторяется. Остановить конвертирование?";

// The run summary, one line: its parts.
inline constexpr const char* kSummaryNothingConverted = "Ничего не конвертировано";
inline constexpr const char* kSummaryStopped = "остановлено";
std::string SummaryCounts(int entries, int converted, int skipped, int traces);
std::string SummaryFailures(int traceFailures, int catalogueErrors);
std::string SummaryVolume(long long bytesIn, long long bytesOut, double seconds);

// Why an entry was not converted, by the engine's skip reasons (in order).
inline constexpr const char* kSkipReasons[] = {
    "другая станция",         "вне окна", "нет имени, даты или времени", "не читается",
    "нет отмеченных каналов",
};
inline constexpr std::size_t kSkipReasonCount = sizeof kSkipReasons / sizeof kSkipReasons[0];

// One line of a batch run's plan (dryRun) or of its verbose log.
std::string PlanConvert(const std::string& path, bool dryRun);
std::string PlanTrace(const std::string& catalogPath, bool dryRun);
std::string PlanSkip(const std::string& path, const char* reason, bool dryRun);

// The batch command's progress line on a terminal.
std::string ConsoleProgress(int entries, int converted, int traces);

// Progress beside the entry in work.
std::string ProgressText(int entry, int entries, int station, int stations);

}  // namespace platform::texts
