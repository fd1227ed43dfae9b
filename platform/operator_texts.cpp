#include "platform/operator_texts.h"

#include <cstdio>

namespace platform::texts {
namespace {

std::string Format(const char* format, auto... values) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}

}  // namespace

std::string StationMismatch(const std::string& path) {
    return "Имя станции в файле '" + path + "' не совпадает с выбранным(и)";
}

std::string RecordingDetail(const std::string& station, const std::string& path) {
    return "Станция " + station + ", файл " + path;
}

std::string NoDataDirectory(const std::string& tvxIni, bool found) {
    if (!found) return "Не найден файл " + tvxIni + ": каталог данных не задан";
    return "В файле " + tvxIni + " не задан каталог данных ([DATA] DIR)";
}

std::string DataDirectoryNotAbsolute(const std::string& dir, const std::string& tvxIni) {
    return "Каталог данных '" + dir + "' в файле " + tvxIni + " задан не абсолютным путём";
}

std::string DataDirectoryIsRoot(const std::string& dir, const std::string& tvxIni) {
    return "Каталог данных '" + dir + "' в файле " + tvxIni + " - корень файловой системы";
}

std::string DataDirectoryMissing(const std::string& dir, const std::string& tvxIni) {
    return "Каталог данных '" + dir + "' из файла " + tvxIni + " не существует";
}

std::string DataDirectoryNotADirectory(const std::string& dir, const std::string& tvxIni) {
    return "Каталог данных '" + dir + "' из файла " + tvxIni + " не является каталогом";
}

std::string DataDirectoryNotWritable(const std::string& dir, const std::string& tvxIni) {
    return "Нет права записи в каталог данных '" + dir + "' из файла " + tvxIni;
}

std::string DuplicateStation(const std::string& station) {
    return "Станция " + station + " указана несколько раз и конвертируется один раз";
}

std::string UnreadableSettingsFile(const std::string& path, const std::string& reason) {
    return "Не удаётся прочитать файл " + path + ": " + reason;
}

std::string NoSourceDirectory(const std::string& station) {
    return "Для станции " + station + " не задан каталог исходных файлов (DIR)";
}

std::string UnreadableSourceDirectory(const std::string& station, const std::string& dir) {
    return "каталог '" + dir + "' станции " + station + " недоступен";
}

std::string StationNotListed(const std::string& station) {
    return "Станция " + station + " не указана в kelvaron.ini";
}

std::string ChannelNotCarried(const std::string& channel) {
    return "Канала " + channel + " нет ни в одной конвертированной записи";
}

std::string SummaryCounts(int entries, int converted, int skipped, int traces) {
    return Format("Просмотрено %d, конвертировано %d, пропущено %d, трасс %d", entries, converted,
                  skipped, traces);
}

std::string SummaryFailures(int traceFailures, int catalogueErrors) {
    return Format("ошибок трасс %d, ошибок БД %d", traceFailures, catalogueErrors);
}

std::string SummaryVolume(long long bytesIn, long long bytesOut, double seconds) {
    return Format("прочитано %.1f МБ, записано %.1f МБ, %.1f с", bytesIn / 1048576.0,
                  bytesOut / 1048576.0, seconds);
}

std::string PlanConvert(const std::string& path, bool dryRun) {
    return (dryRun ? "конвертировать " : "конвертирован ") + path;
}

std::string PlanTrace(const std::string& catalogPath, bool dryRun) {
    return (dryRun ? "  запишет " : "  записан ") + catalogPath;
}

std::string PlanSkip(const std::string& path, const char* reason, bool dryRun) {
    return (dryRun ? "пропустить " : "пропущен ") + path + ": " + reason;
}

std::string ConsoleProgress(int entries, int converted, int traces) {
    return Format("файлов: %d, конвертировано: %d, трасс: %d", entries, converted, traces);
}

std::string ProgressText(int entry, int entries, int station, int stations) {
    if (stations > 0) return Format("%d/%d, станция %d/%d", entry, entries, station, stations);
    return Format("файл %d/%d", entry, entries);
}

}  // namespace platform::texts
