#include "platform/operator_texts.h"

#include <cstdio>

#include "platform/text_encoding.h"

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

// A station's name or a path as the operator reads it: a name in code page
// 1251 beside a path in UTF-8 would leave the line in neither.
std::string RecordingDetail(const std::string& station, const std::string& path) {
    return "Станция " + Text8ToUtf8(station) + ", файл " + Text8ToUtf8(path);
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
    return "Для станции " + Text8ToUtf8(station) + " не задан каталог исходных файлов (DIR)";
}

std::string UnreadableSourceDirectory(const std::string& station, const std::string& dir) {
    return "каталог '" + Text8ToUtf8(dir) + "' станции " + Text8ToUtf8(station) + " недоступен";
}

std::string StationNotListed(const std::string& station) {
    return "Станция " + station + " не указана в kelvaron.ini";
}

std::string ChannelNotCarried(const std::string& channel) {
    return "Канала " + channel + " нет ни в одной конвертированной записи";
}

std::string SummaryCounts(int entries, int converted, int skipped) {
    return Format("Просмотрено %d, конвертировано %d, пропущено %d", entries, converted, skipped);
}

std::string SummaryPartlyConverted(int recordings) {
    return Format("конвертировано частично %d", recordings);
}

std::string SummaryNotConverted(int recordings) {
    return Format("не конвертировано из-за ошибок %d", recordings);
}

std::string SummaryTraces(int written) { return Format("трасс записано %d", written); }

std::string SummaryTracesReplaced(int replaced) {
    return Format("повторно записано в этом прогоне %d", replaced);
}

std::string SummaryFailures(int traceFailures, int catalogueErrors) {
    return Format("Ошибок трасс %d, ошибок БД %d", traceFailures, catalogueErrors);
}

std::string SummarySourceDirectoryErrors(int stations) {
    return Format("недоступных каталогов станций %d", stations);
}

std::string SummaryMemoryErrors(int memoryErrors) {
    return Format("нехватка памяти %d", memoryErrors);
}

std::string SummaryLeftUnconverted(int recordings, const std::string& byStation) {
    return Format("не конвертировано после остановки %d: ", recordings) + byStation;
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

std::string PlanPartlyConverted(const std::string& path, int written, int failed) {
    return "частично конвертирован " + path +
           Format(": трасс записано %d, ошибок трасс %d", written, failed);
}

std::string PlanNotConverted(const std::string& path, int failed) {
    return "не конвертирован " + path + Format(": ошибок трасс %d", failed);
}

std::string PlanStopped(const std::string& path) { return "прерван " + path; }

std::string ConsoleProgress(int entries, int converted, int traces) {
    return Format("файлов: %d, конвертировано: %d, трасс: %d", entries, converted, traces);
}

std::string ProgressText(int entry, int entries, int station, int stations) {
    if (stations > 0) return Format("%d/%d, станция %d/%d", entry, entries, station, stations);
    return Format("файл %d/%d", entry, entries);
}

std::string TraceOpenFailed(const std::string& fileNamePart) {
    return "Ошибка открытия файла " + fileNamePart;
}

std::string TraceWriteFailed(const std::string& fileNamePart) {
    return "Ошибка записи файла " + fileNamePart;
}

std::string LinkLeavesDataDirectory(const std::string& fullPath) {
    return fullPath + ": символическая ссылка ведёт за пределы каталога данных";
}

std::string RefusedStationName(const std::string& station) {
    return "Недопустимое имя станции " + station;
}

std::string RefusedChannelName(const std::string& channel) {
    return "Недопустимое имя канала " + channel;
}

std::string UnplaceableStart(const std::string& start) {
    return "Недопустимое время начала записи " + start;
}

std::string NonFiniteStart(const std::string& quotedPath) {
    return "Недопустимое время начала записи в файле " + quotedPath;
}

std::string NonFiniteEvent(const std::string& quotedPath) {
    return "Недопустимое время события в файле " + quotedPath;
}

std::string ImpossibleStart(const std::string& quotedPath) {
    return "Дата или время начала записи в файле " + quotedPath + " невозможны";
}

std::string ImpossibleSampleRate(const std::string& quotedPath) {
    return "Частота дискретизации в файле " + quotedPath + " не положительное конечное число";
}

std::string DeceptiveNames(const std::string& quotedPath) {
    return "Имя станции или канала в файле " + quotedPath +
           " содержит управляющие символы или знаки направления текста";
}

std::string IncompleteRecording(const std::string& quotedPath, const std::string& channel) {
    return "Запись в файле " + quotedPath + " неполная, прежняя трасса канала " + channel +
           " сохранена";
}

std::string NotARegularFile(const std::string& quotedPath) {
    return quotedPath + " не является обычным файлом";
}

std::string EmptyFile(const std::string& quotedPath) { return "Файл " + quotedPath + " пуст"; }

std::string NotARecording(const std::string& quotedPath) {
    return "Файл " + quotedPath + " не является записью регистратора";
}

std::string UnreadableFile(const std::string& quotedPath) {
    return "Файл " + quotedPath + " не читается";
}

std::string DanglingLink(const std::string& quotedPath) {
    return "Символическая ссылка " + quotedPath + " никуда не ведёт";
}

std::string NoRecordingSpan(const std::string& quotedPath) {
    return "В файле " + quotedPath + " нет даты или времени записи (FILE/DATE_INT, FILE/TIME_INT)";
}

std::string DataOffsetOutside(const std::string& quotedPath) {
    return "Начало данных (HEADER/OFFSET_TO_DATA) вне файла " + quotedPath;
}

std::string NoChannelToConvert(const std::string& quotedPath) {
    return "В файле " + quotedPath + " нет ни одного канала для конвертирования";
}

std::string NoTickedChannelIn(const std::string& quotedPath) {
    return "В файле " + quotedPath + " нет отмеченных каналов";
}

std::string DataBlockUnreadable(const std::string& quotedPath) {
    return "Блок данных файла " + quotedPath + " не читается";
}

const char* const kBatchUsage =
    "использование: kelvaron-batch window [--start ВРЕМЯ] [--duration ДЛИНА | --end ВРЕМЯ]\n"
    "                                     [--since ДЛИНА] [--channels ИМЯ,ИМЯ...] [СТАНЦИЯ...]\n"
    "               kelvaron-batch files [--stations ИМЯ,ИМЯ...] [--channels ИМЯ,ИМЯ...] ФАЙЛ...\n"
    "               kelvaron-batch sync [--from ВРЕМЯ] [--settle СЕКУНДЫ] [--channels ИМЯ,ИМЯ...]\n"
    "                                   [СТАНЦИЯ...]\n"
    "               kelvaron-batch watch [--settle СЕКУНДЫ] [--channels ИМЯ,ИМЯ...] [СТАНЦИЯ...]\n"
    "               kelvaron-batch status [--max-age ДЛИНА] [--failed] [--json] [СТАНЦИЯ...]\n"
    "               kelvaron-batch check [--fix] [СТАНЦИЯ...]\n"
    "               kelvaron-batch catalogue init [--indexes] | catalogue upgrade\n"
    "               kelvaron-batch config\n"
    "               kelvaron-batch --help | --version\n"
    "Параметры любого режима: -q, --quiet (без строки хода работы); -v, --verbose (окно\n"
    "и каждая конвертированная запись); -n, --dry-run; --config ФАЙЛ (kelvaron.ini).\n"
    "window, files, sync, watch: -j N, --jobs N - N станций сразу (sync и watch: по числу\n"
    "процессоров, window и files: 1).\n"
    "ВРЕМЯ: \"чч:мм:сс ДД/ММ/ГГГГ\", 2024-03-15T10:00:00, \"2024-03-15 10:00\", now или\n"
    "-ДЛИНА (до текущего момента). ДЛИНА: секунды, 30m, 2h, 1d, чч:мм:сс или \"ДДД чч:мм:сс\".\n"
    "Время - по часам регистратора: местное время этой машины.\n"
    "kelvaron.ini - это --config ФАЙЛ, $KELVARON_INI или ./kelvaron.ini в текущем каталоге;\n"
    "tvx.ini - это $TVX_INI или /etc/tvx.ini.\n"
    "Код завершения: 0 всё конвертировано, 1 ошибка файла или канала или работа остановлена,\n"
    "2 ошибка вызова или базы данных. check: 0 всё сходится, 1 что-то не сходится.\n"
    "status: 0 всё в порядке, 1 станция молчит дольше --max-age или запись с ошибкой.\n"
    "watch работает до SIGTERM (код 0); SIGHUP - перечитать настройки.\n";

const char* const kCatalogueUsage =
    "использование: kelvaron-batch catalogue init [--indexes]\n"
    "Создаёт таблицы eventlist, sitechan и FILELIST с индексами, нужными конвертеру,\n"
    "в пустой базе данных, которую называет tvx.ini; отказывает, если хоть одна из них\n"
    "есть. --indexes: в базе, где таблицы есть, добавляет недостающие индексы.\n"
    "       kelvaron-batch catalogue upgrade\n"
    "Добавляет в базу, где эти три таблицы есть, журнал записей (kelvaron_recordings и\n"
    "kelvaron_recording_traces) и ничего больше; отказывает, если он уже есть.\n";

std::string SettingsFilesRead(const std::string& kelvaronIni, const std::string& tvxIni) {
    return "kelvaron-batch: прочитаны " + kelvaronIni + " и " + tvxIni;
}

std::string DataDirectoryRead(const std::string& dataDir) {
    return "kelvaron-batch: каталог данных " + dataDir;
}

std::string StationSettingsRead(const std::string& station, const std::string& sourceDir,
                                bool useGain) {
    return "kelvaron-batch: станция " + station + ": каталог записей " + sourceDir + ", USEGAIN " +
           (useGain ? "1" : "0");
}

const char* const kDialogUsage =
    "использование: kelvaron [--config ФАЙЛ]\n"
    "               kelvaron --help | --version\n"
    "kelvaron.ini - это --config ФАЙЛ, $KELVARON_INI или ./kelvaron.ini в текущем каталоге;\n"
    "tvx.ini - это $TVX_INI или /etc/tvx.ini.\n";

const char* const kConfigUsage =
    "использование: kelvaron-batch config\n"
    "Печатает действующие настройки (tvx.ini и каждая станция ./kelvaron.ini)\n"
    "и проверяет таблицы и индексы базы данных.\n";

std::string ExtraArgument(const std::string& argument, const std::string& mode) {
    return "лишний аргумент " + argument + " для " + mode;
}

std::string UnknownOption(const std::string& option) { return "неизвестный параметр " + option; }

std::string UnknownOptionFor(const std::string& option, const std::string& mode) {
    return "неизвестный параметр " + option + " для " + mode;
}

std::string OptionTakesNoValue(const std::string& option) {
    return "параметр " + option + " не принимает значения";
}

std::string OptionNeedsValue(const std::string& option) {
    return "параметру " + option + " нужно значение";
}

std::string UnknownMode(const std::string& mode) { return "неизвестный режим '" + mode + "'"; }

std::string NotAMoment(const std::string& option, const std::string& value) {
    return option + " \"" + value +
           "\" не подходит ни под одну из форм: \"чч:мм:сс ДД/ММ/ГГГГ\", "
           "ГГГГ-ММ-ДД[Tчч:мм[:сс]], \"ГГГГ-ММ-ДД чч:мм[:сс]\", now или -ДЛИНА";
}

std::string NotALength(const std::string& option, const std::string& value) {
    return option + " \"" + value +
           "\" не подходит ни под одну из форм: СЕКУНДЫ, Ns, Nm, Nh, Nd, чч:мм:сс или "
           "\"ДДД чч:мм:сс\" (не больше 999 дней)";
}

std::string NotAJobCount(const std::string& value) {
    return "--jobs \"" + value + "\": нужно целое число от 1 до " + std::to_string(kMaxJobs);
}

std::string BatchWindowLine(const std::string& start, const std::string& duration) {
    return "kelvaron-batch: окно " + start + " + " + duration;
}

std::string NotAStationDirectory(const std::string& station) {
    return "'" + station + "' не может быть каталогом станции";
}

std::string NoDataDirectoryIn(const std::string& tvxIni) { return "нет [DATA] DIR в " + tvxIni; }

std::string DataDirectoryNotAccessible(const std::string& dataDir, const std::string& tvxIni) {
    return "каталог данных " + dataDir + " из " + tvxIni + " не является доступным каталогом";
}

std::string DataDirectoryEmpty(const std::string& dataDir) {
    return "каталог данных " + dataDir + " пуст (не смонтирован?): ничего не удалено";
}

std::string CheckProblemRemoved(const std::string& path, const std::string& reason) {
    return path + ": " + reason + " (удалено)";
}

std::string CheckNoRecording(const std::string& tracePath, const std::string& station) {
    return tracePath + ": в исходном каталоге станции " + station + " нет записи с этим началом";
}

std::string CheckWriteAgain(const std::string& tracePath, const std::string& recording) {
    return tracePath + ": будет записан заново из " + recording;
}

std::string CheckShorterThanHeader(const std::string& size) {
    return "короче заголовка TVX 4.0 (" + size + " байт)";
}

std::string CheckSizeNotSamples(const std::string& size, const std::string& duration,
                                const std::string& rate) {
    return "размер " + size + " не равен 512 + 2 x число отсчётов за " + duration +
           " при частоте " + rate;
}

std::string CheckNameNotItsStart(const std::string& expected) {
    return "путь не по началу и каналу (" + expected + ")";
}

std::string CheckRowDisagrees(const std::string& differences) {
    return "строка не сходится: " + differences;
}

std::string CheckFileUnreadable(const std::string& reason) { return "не читается: " + reason; }

std::string CheckDirectoryUnreadable(const std::string& reason) {
    return "каталог не читается: " + reason;
}

std::string CheckRowStation(const std::string& row, const std::string& file) {
    return "STA '" + row + "' (файл: '" + file + "')";
}

std::string CheckRowChannel(const std::string& row, const std::string& file) {
    return "CH '" + row + "' (файл: '" + file + "')";
}

std::string CheckRowStart(const std::string& row, const std::string& file) {
    return "TBEGIN " + row + " (файл: " + file + ")";
}

std::string CheckRowRate(const std::string& row, const std::string& file) {
    return "SPS " + row + " (файл: " + file + ")";
}

std::string CheckRowSamples(const std::string& row, const std::string& file) {
    return "TQTY x SPS " + row + " отсч. (файл: " + file + ")";
}

std::string CheckAgrees(long long files, long long rows) {
    return Format("трасс %lld, строк %lld: всё сходится", files, rows);
}

std::string CheckProblems(long long files, long long rows, long long total,
                          const std::string& problems) {
    return Format("трасс %lld, строк %lld: проблем %lld (", files, rows, total) + problems + ")";
}

std::string CheckRemoved(long long rows, long long temporaries) {
    return Format("удалено строк %lld и временных файлов %lld", rows, temporaries);
}

std::string CheckWriteAgainCommand(const std::string& command) {
    return "Записать их заново: " + command;
}

std::string ConfigUser(const std::string& user, const std::string& origin) {
    return "  пользователь: " + user + origin;
}

std::string ConfigPassword(const std::string& origin) { return "  пароль: ***" + origin; }

std::string ConfigDataDirectory(const std::string& dataDir, const std::string& origin) {
    return "  каталог данных: " + dataDir + origin;
}

std::string ConfigStation(const std::string& station, const std::string& sourceDir,
                          const std::string& whence, bool useGain, const std::string& origin) {
    return "  станция " + station + ": каталог записей " + sourceDir + " (" + whence +
           "), USEGAIN " + (useGain ? "1" : "0") + origin;
}

std::string ConfigConnectedTo(const std::string& dbms) {
    return std::string(kConfigConnected) + " к " + dbms;
}

std::string CatalogueRefused(const std::string& command, const std::string& why) {
    return "kelvaron-batch: catalogue " + command + ": " + why + "; ничего не изменено";
}

std::string CatalogueHasTables(const std::string& tables, bool indexesLacking) {
    return "в базе данных уже есть " + tables +
           (indexesLacking ? " (--indexes добавляет недостающие индексы)" : "");
}

std::string CatalogueHasOnly(const std::string& tables) {
    return "в базе данных есть только " + tables;
}

std::string CatalogueLacks(const std::string& tables) {
    return "в базе данных нет " + tables + " (catalogue init создаёт все таблицы в пустой базе)";
}

std::string CatalogueCreated(const std::string& dbms) {
    return "созданы таблицы eventlist, sitechan, FILELIST, kelvaron_recordings, "
           "kelvaron_recording_traces и kelvaron_source_listings (" +
           dbms + ")";
}

std::string CatalogueRecordCreated(const std::string& tables, const std::string& dbms) {
    return "созданы таблицы журнала записей: " + tables + " (" + dbms + ")";
}

std::string CatalogueTablesMissing(const std::string& tables) {
    return "kelvaron-batch: предупреждение: в базе данных нет таблицы " + tables +
           "; создайте таблицы командой kelvaron-batch catalogue init";
}

std::string CatalogueIndexMissing(const std::string& table, const std::string& columns,
                                  const std::string& statement) {
    return "kelvaron-batch: предупреждение: у " + table + " нет индекса по " + columns +
           ", и каждая замена строки просматривает всю таблицу; добавьте его: " + statement +
           " (или: kelvaron-batch catalogue init --indexes)";
}

std::string CatalogueNotChecked(const std::string& why) {
    return "kelvaron-batch: предупреждение: таблицы базы данных не удалось проверить: " + why;
}

std::string StatusStationLine(const std::string& station, const std::string& sourceDir,
                              int converted, int incomplete, int skipped, int failed, int waiting) {
    return "Станция " + station + ", каталог " + sourceDir + ": конвертировано " +
           std::to_string(converted) + ", частично " + std::to_string(incomplete) + ", пропущено " +
           std::to_string(skipped) + ", ошибок " + std::to_string(failed) +
           "; ждут конвертирования " + std::to_string(waiting);
}

std::string RecordPathTooLong(std::size_t bytes) {
    return "Путь записи длиной " + std::to_string(bytes) +
           " байт не помещается в журнал записей каталога";
}

std::string StatusNewestConverted(const std::string& start, const std::string& age,
                                  const std::string& lastConversion, const std::string& converter) {
    return "  новейшая конвертированная запись начинается " + start + " (" + age +
           " назад), последняя конвертация " + lastConversion + ", конвертер " + converter;
}

std::string StatusDirectoryUnreadable(const std::string& station, const std::string& sourceDir) {
    return "Станция " + station + ": каталог " + sourceDir + " недоступен";
}

std::string StatusFailedRecording(const std::string& path, const std::string& converter,
                                  const std::string& message) {
    return "  " + path + ": не конвертирована (конвертер " + converter + "): " + message;
}

std::string StatusIncompleteRecording(const std::string& path, const std::string& converter,
                                      const std::string& message) {
    return "  " + path + ": конвертирована частично (конвертер " + converter + "): " + message;
}

std::string StatusTooOld(const std::string& station, const std::string& age,
                         const std::string& maxAge) {
    return "Станция " + station + ": новейшей конвертированной записи " + age +
           ", больше допустимого " + maxAge;
}

std::string StatusNoneConverted(const std::string& station) {
    return "Станция " + station + ": ни одной конвертированной записи";
}

std::string StatusHasFailures(const std::string& station, int failed) {
    return "Станция " + station + ": записей с ошибкой " + std::to_string(failed);
}

std::string WatchStarted(int stations) {
    return "kelvaron-batch watch: следит за каталогами станций: " + std::to_string(stations);
}

std::string WatchNotPossible(const std::string& station, const std::string& dir) {
    return "За каталогом " + dir + " станции " + station +
           " следить нельзя; его записи найдёт полный проход";
}

}  // namespace platform::texts
