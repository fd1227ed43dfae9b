// The one catalogue of operator texts: every text any program shows an
// operator, in Russian (the source language), under a name. No Russian text
// is written anywhere else in the product code.
//
// English comes from res/translations/kelvaron_en.ts, keyed on these Russian
// texts:
// - texts of runs and commands (engine, archive, formats, catalogue,
//   kelvaron-batch) are built here whole and go through TranslateMessage
//   (platform/message_catalogue.h), which reads the .ts file's "messages"
//   context, so the batch command speaks English without Qt;
// - captions of the Qt windows (dialog, date field, viewer, kelvaron-plot)
//   are passed by name to tr() or QCoreApplication::translate() with their
//   window's context of the same .ts file; "%1" marks where QString::arg puts
//   a value.
// 8-bit values (station names, paths) are put in as they are and the front
// end converts the whole text, except where a text joins a name with a path
// (a recording's detail, a station's directory): there each goes through the
// one rule on its own.
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
// The catalogue refuses writes (read-only, full): the run stops.
inline constexpr const char* kCatalogueRefusesWrites =
    "База данных не принимает записи, конвертирование остановлено";
// Asked when a trace-file failure repeats: stop the run?
inline constexpr const char* kStopAfterRepeatedFailure =
    "Та же ошибка повторяется. Остановить конвертирование?";
// Asked before a run is stopped by Escape, and before the window closes during one.
inline constexpr const char* kStopRunQuestion = "Остановить конвертирование после текущей трассы?";
inline constexpr const char* kQuitDuringRunQuestion =
    "Идёт конвертирование. Остановить его и выйти?";

// The run summary, one line: its parts.
inline constexpr const char* kSummaryNothingConverted = "Ничего не конвертировано";
inline constexpr const char* kSummaryStopped = "Остановлено";
std::string SummaryCounts(int entries, int converted, int skipped);
std::string SummaryPartlyConverted(int recordings);
std::string SummaryNotConverted(int recordings);
std::string SummaryTraces(int written);
std::string SummaryTracesReplaced(int replaced);
std::string SummaryFailures(int traceFailures, int catalogueErrors);
std::string SummaryMemoryErrors(int memoryErrors);
std::string SummarySourceDirectoryErrors(int stations);
// The recordings a run that the catalogue stopped did not get to, in all and
// by station ("STA1 5, STA2 12").
std::string SummaryLeftUnconverted(int recordings, const std::string& byStation);
std::string SummaryVolume(long long bytesIn, long long bytesOut, double seconds);

// Why an entry was not converted, by the engine's skip reasons (in order).
inline constexpr const char* kSkipReasons[] = {
    "другая станция",
    "вне окна",
    "нет имени, даты или времени",
    "не читается",
    "нет отмеченных каналов",
    "не изменилась",
    "ещё пишется",
    "занята другим конвертером",
    "уже в архиве",
};
inline constexpr std::size_t kSkipReasonCount = sizeof kSkipReasons / sizeof kSkipReasons[0];

// A sync on a catalogue made before the record of recordings.
inline constexpr const char* kNoRecordOfRecordings =
    "В каталоге нет журнала записей: его добавляет kelvaron-batch catalogue upgrade";
// The record of recordings refused a source path of `bytes` bytes.
std::string RecordPathTooLong(std::size_t bytes);

// One line of a batch run's plan (dryRun) or of its verbose log.
std::string PlanConvert(const std::string& path, bool dryRun);
std::string PlanTrace(const std::string& catalogPath, bool dryRun);
std::string PlanSkip(const std::string& path, const char* reason, bool dryRun);
// A recording not converted whole: the failures are told by their messages.
std::string PlanPartlyConverted(const std::string& path, int written, int failed);
std::string PlanNotConverted(const std::string& path, int failed);
std::string PlanStopped(const std::string& path);

// The batch command's progress line on a terminal.
std::string ConsoleProgress(int entries, int converted, int traces);

// Progress beside the entry in work.
std::string ProgressText(int entry, int entries, int station, int stations);

// ---- The data tree and the recorder files --------------------------------

// Why a call of the system failed, by errno (platform/system_reason); the
// trace writer's own words for a missing directory and one in the way.
inline constexpr const char* kNoSpace = "нет места на диске";
inline constexpr const char* kReadOnlyFileSystem = "файловая система только для чтения";
inline constexpr const char* kPermissionDenied = "нет доступа";
inline constexpr const char* kNameTooLong = "слишком длинное имя";
inline constexpr const char* kNotADirectory = "не является каталогом";
inline constexpr const char* kNoSuchDirectory = "нет такого каталога";
inline constexpr const char* kDirectoryInTheWay = "на этом месте каталог";
inline constexpr const char* kFileTooLarge = "файл слишком большой";
inline constexpr const char* kInputOutputError = "ошибка ввода-вывода";
inline constexpr const char* kDiskQuotaExceeded = "превышена дисковая квота";
inline constexpr const char* kNoSuchFile = "нет такого файла или каталога";
inline constexpr const char* kFileExists = "файл уже существует";
inline constexpr const char* kIsADirectory = "это каталог";
inline constexpr const char* kTooManyOpenFiles = "слишком много открытых файлов";
inline constexpr const char* kTooManyOpenFilesInSystem = "слишком много открытых файлов в системе";
inline constexpr const char* kBusy = "устройство или ресурс заняты";
inline constexpr const char* kFileBusy = "файл занят";
inline constexpr const char* kLinkLoop = "слишком много уровней символических ссылок";
// The first line of a trace-file failure; fileNamePart is /hhmmss-DDMMYYYY.CHN.
std::string TraceOpenFailed(const std::string& fileNamePart);
std::string TraceWriteFailed(const std::string& fileNamePart);
// Its second line when a symbolic link leads out of the data directory.
std::string LinkLeavesDataDirectory(const std::string& fullPath);
// Names (UTF-8) that cannot stand in a trace's path; a start without a date.
std::string RefusedStationName(const std::string& station);
std::string RefusedChannelName(const std::string& channel);
std::string UnplaceableStart(const std::string& start);

// A recorder file refused or only partly taken; quotedPath is 'path' in UTF-8.
std::string NonFiniteStart(const std::string& quotedPath);
std::string NonFiniteEvent(const std::string& quotedPath);
std::string ImpossibleStart(const std::string& quotedPath);
std::string ImpossibleSampleRate(const std::string& quotedPath);
std::string DeceptiveNames(const std::string& quotedPath);
std::string IncompleteRecording(const std::string& quotedPath, const std::string& channel);
std::string NotARegularFile(const std::string& quotedPath);
// A picked file that is not converted, by cause.
std::string EmptyFile(const std::string& quotedPath);
std::string NotARecording(const std::string& quotedPath);
std::string UnreadableFile(const std::string& quotedPath);  // the system's reason as detail
std::string DanglingLink(const std::string& quotedPath);
std::string NoRecordingSpan(const std::string& quotedPath);
std::string DataOffsetOutside(const std::string& quotedPath);
std::string NoChannelToConvert(const std::string& quotedPath);
std::string NoTickedChannelIn(const std::string& quotedPath);
std::string DataBlockUnreadable(const std::string& quotedPath);

// The catalogue could not be opened.
inline constexpr const char* kCatalogueOpenFailed = "Ошибка инициализации базы данных";

// ---- kelvaron-batch --------------------------------------------------------

extern const char* const kBatchUsage;
extern const char* const kCatalogueUsage;
extern const char* const kConfigUsage;
// The verbose lines of what a run read from its settings files.
std::string SettingsFilesRead(const std::string& kelvaronIni, const std::string& tvxIni);
std::string DataDirectoryRead(const std::string& dataDir);
std::string StationSettingsRead(const std::string& station, const std::string& sourceDir,
                                bool useGain);
// kelvaron's own usage (the dialog program's options).
extern const char* const kDialogUsage;

// The command line.
inline constexpr const char* kNoChannelNamed = "--channels не называет ни одного канала";
inline constexpr const char* kNoStationNamed = "--stations не называет ни одной станции";
inline constexpr const char* kNoFileGiven = "не задан ФАЙЛ";
inline constexpr const char* kCatalogueNeedsInit = "catalogue требует команды init";
inline constexpr const char* kNoModeGiven = "не задан режим";
std::string ExtraArgument(const std::string& argument, const std::string& mode);
std::string UnknownOption(const std::string& option);
std::string UnknownOptionFor(const std::string& option, const std::string& mode);
std::string OptionTakesNoValue(const std::string& option);
std::string OptionNeedsValue(const std::string& option);
std::string UnknownMode(const std::string& mode);

// The window's options.
inline constexpr const char* kSinceIsTheWholeWindow =
    "--since задаёт всё окно: --start, --end и --duration с ним не даются";
inline constexpr const char* kEndOrDuration = "--end и --duration исключают друг друга";
inline constexpr const char* kEndOutOfRange =
    "--end раньше начала или больше чем через 999 дней после него";
// An option's value that is none of the forms of a moment or of a length.
std::string NotAMoment(const std::string& option, const std::string& value);
std::string NotALength(const std::string& option, const std::string& value);
// -j/--jobs with a value that is no number of workers.
std::string NotAJobCount(const std::string& value);
inline constexpr int kMaxJobs = 1024;
// The verbose form's first line: the window a run works on.
std::string BatchWindowLine(const std::string& start, const std::string& duration);

// The archive check's refusals.
std::string NotAStationDirectory(const std::string& station);
std::string NoDataDirectoryIn(const std::string& tvxIni);
std::string DataDirectoryNotAccessible(const std::string& dataDir, const std::string& tvxIni);
std::string DataDirectoryEmpty(const std::string& dataDir);
// The archive check's report: a problem (removed by --fix), a trace file to
// write again, the summary by kind of problem (in the engine's order).
std::string CheckProblemRemoved(const std::string& path, const std::string& reason);
std::string CheckNoRecording(const std::string& tracePath, const std::string& station);
std::string CheckWriteAgain(const std::string& tracePath, const std::string& recording);
inline constexpr const char* kCheckProblemKinds[] = {
    "строка без файла",       "файл без строки",    "плохой заголовок",
    "неверный размер",        "строка не сходится", "неверное имя",
    "забытый временный файл", "повторная строка",   "не читается",
};
// Why a trace file or a row is a problem, by the check's reason codes.
std::string CheckShorterThanHeader(const std::string& size);
inline constexpr const char* kCheckNotTheHeader = "не заголовок TVX 4.0";
std::string CheckSizeNotSamples(const std::string& size, const std::string& duration,
                                const std::string& rate);
std::string CheckNameNotItsStart(const std::string& expected);
inline constexpr const char* kCheckRowPathOutside = "путь строки не ведёт внутрь каталога данных";
inline constexpr const char* kCheckNoRow = "файл трассы без строки";
std::string CheckRowDisagrees(const std::string& differences);
inline constexpr const char* kCheckRowWithoutFile = "строка, файла которой нет";
inline constexpr const char* kCheckStaleTemporary = "временный файл записи, которая больше не идёт";
inline constexpr const char* kCheckMoreThanOneRow = "больше одной строки";
inline constexpr const char* kCheckNotARegularFile = "не обычный файл";
std::string CheckFileUnreadable(const std::string& reason);
std::string CheckDirectoryUnreadable(const std::string& reason);
// One column of a row against the file; a row's value it has none of.
std::string CheckRowStation(const std::string& row, const std::string& file);
std::string CheckRowChannel(const std::string& row, const std::string& file);
std::string CheckRowStart(const std::string& row, const std::string& file);
std::string CheckRowRate(const std::string& row, const std::string& file);
std::string CheckRowSamples(const std::string& row, const std::string& file);
inline constexpr const char* kCheckNoDate = "без даты";
inline constexpr const char* kCheckNotANumber = "не число";
std::string CheckAgrees(long long files, long long rows);
// problems: the kinds with their counts, already in the interface language.
std::string CheckProblems(long long files, long long rows, long long total,
                          const std::string& problems);
std::string CheckRemoved(long long rows, long long temporaries);
std::string CheckWriteAgainCommand(const std::string& command);

// kelvaron-batch config: the settings in force and where each comes from.
inline constexpr const char* kConfigFileRead = "прочитан";
inline constexpr const char* kConfigFileUnreadable = "не удаётся прочитать";
inline constexpr const char* kConfigFileNotFound = "не найден";
inline constexpr const char* kConfigTvxIniNotFound = "не найден: действуют значения по умолчанию";
inline constexpr const char* kConfigDefault = " (по умолчанию)";
inline constexpr const char* kConfigDirNotSet = "не задан";
inline constexpr const char* kConfigOwnDir = "свой DIR";
inline constexpr const char* kConfigCommonDir = "из [KELVARON] DIR";
// origin: kConfigDefault or nothing, in the interface language.
std::string ConfigUser(const std::string& user, const std::string& origin);
std::string ConfigPassword(const std::string& origin);
std::string ConfigDataDirectory(const std::string& dataDir, const std::string& origin);
std::string ConfigStation(const std::string& station, const std::string& sourceDir,
                          const std::string& whence, bool useGain, const std::string& origin);
inline constexpr const char* kConfigConnected = "база данных: подключена";
std::string ConfigConnectedTo(const std::string& dbms);
inline constexpr const char* kConfigCatalogueInPlace = "  таблицы и индексы для поиска на месте";

// kelvaron-batch catalogue init and upgrade; why: already in the interface language.
std::string CatalogueRefused(const std::string& command, const std::string& why);
std::string CatalogueHasTables(const std::string& tables, bool indexesLacking);
std::string CatalogueHasOnly(const std::string& tables);
std::string CatalogueLacks(const std::string& tables);
std::string CatalogueCreated(const std::string& dbms);
std::string CatalogueRecordCreated(const std::string& tables, const std::string& dbms);
inline constexpr const char* kCatalogueIndexesComplete =
    "в базе данных есть все индексы, нужные для поиска";
// Warnings on a catalogue without our tables or indexes.
std::string CatalogueTablesMissing(const std::string& tables);
std::string CatalogueIndexMissing(const std::string& table, const std::string& columns,
                                  const std::string& statement);
std::string CatalogueNotChecked(const std::string& why);

// ---- The dialog (context CConverterDlg) ------------------------------------

inline constexpr const char* kConvertButton = "Конвертировать";
inline constexpr const char* kConvertFileButton = "Конв. файл";
inline constexpr const char* kExitButton = "Выход";
inline constexpr const char* kSelectAllButton = "Все";
inline constexpr const char* kClearSelectionButton = "Отм. выбор";
inline constexpr const char* kChannelsGroup = "Каналы";
inline constexpr const char* kGainCheckBox = "Используется коэффициент усиления ";
inline constexpr const char* kChannelColumn = "Канал";
inline constexpr const char* kRateColumn = "отс./с.";
inline constexpr const char* kViewRecordingsMenu = "Просмотр записей…";
inline constexpr const char* kAllFilesFilter = "Все файлы (*)";
// The control that stops a run, beside the progress bar.
inline constexpr const char* kStopButton = "Стоп";
inline constexpr const char* kStopButtonTip =
    "Остановить конвертирование после текущей трассы (Esc)";
// Pane 0 after a run: its tooltip ends with the hint; a click opens the report.
inline constexpr const char* kReportHint = "Щёлкните, чтобы открыть отчёт о конвертировании";
inline constexpr const char* kReportTitle = "Отчёт о конвертировании";
// The free-space pane: the free mebibytes, or the word "Ошибка".
inline constexpr const char* kFreeSpace = "Доступно %1 Мб";
inline constexpr const char* kFreeSpaceUnknown = kErrorCaption;

// ---- The recording viewer (contexts CRecordingViewer, app::TimelineView,
// app::TraceView, plot) and kelvaron-plot (context kelvaron-plot) -----------

inline constexpr const char* kRunInProgress = "идёт конвертация";
inline constexpr const char* kViewerTitle = "Записи станции %1";
inline constexpr const char* kReadingHeaders = "Чтение заголовков записей в %1…";
inline constexpr const char* kViewerDirectoryUnreadable = "Каталог '%1' станции %2 недоступен";
inline constexpr const char* kMarksUnavailable = "; отметки о конвертации недоступны: %1";
inline constexpr const char* kRecordingCount = "Записей: %1, из них конвертировано: %2";
inline constexpr const char* kPartlyCount = ", частично: %1";
inline constexpr const char* kFailedCount = ", не конвертировано из-за ошибок: %1";
inline constexpr const char* kLeftOutCount = "; других файлов в каталоге: %1";
// The files of the directory that are not the station's recordings, by reason.
inline constexpr const char* kLeftOutHeading = "Не учтены:";
inline constexpr const char* kLeftOutNotAFile = "не файлы (%1): %2";
inline constexpr const char* kLeftOutUnreadable = "не читаются (%1): %2";
inline constexpr const char* kLeftOutNotARecording = "не записи регистратора (%1): %2";
inline constexpr const char* kLeftOutOtherStation = "записи других станций (%1): %2";
inline constexpr const char* kLeftOutNoStart = "без времени начала (%1): %2";
// A bar's tooltip: file, start, length; the samples' length when it differs.
inline constexpr const char* kBarTip = "%1\nНачало: %2\nДлительность: %3 с";
inline constexpr const char* kBarTipSamples = "\nДанных в файле: %1 с, не как в заголовке";
inline constexpr const char* kZoomToWindow = "Окно конвертации";
inline constexpr const char* kWholeDay = "Весь день";
inline constexpr const char* kPreviousRecording = "< Предыдущая";
inline constexpr const char* kNextRecording = "Следующая >";
inline constexpr const char* kReadingRecording = "Чтение записи %1…";
inline constexpr const char* kInfoStation = "Станция: %1";
inline constexpr const char* kInfoStart = "Начало: %1";
inline constexpr const char* kInfoDataSeconds = "Длительность: %1 с";
inline constexpr const char* kInfoSamplesSeconds = "Данных в файле: %1 с, не как в заголовке";
inline constexpr const char* kInfoConverted = "Конвертированы: %1";
inline constexpr const char* kInfoNotConverted = "Не конвертированы: %1";
// A recording whose record says its conversion failed, with the failure's message.
inline constexpr const char* kInfoFailed = "Не конвертирована из-за ошибок: %1";
inline constexpr const char* kInfoRate = "Частота: %1 отс./с.";
inline constexpr const char* kInfoChannels = "Каналы: %1";
inline constexpr const char* kInfoNotTriggered = "Запуск: нет";
inline constexpr const char* kInfoTriggered = "Запуск: да";
inline constexpr const char* kInfoEvent = "Событие: %1";
inline constexpr const char* kInfoEventUnknown = "Событие: время не указано";
inline constexpr const char* kInfoGains = "Коэффициент усиления:";
// The timeline's legend.
inline constexpr const char* kLegendRecording = "запись";
inline constexpr const char* kLegendConverted = "конвертирована";
inline constexpr const char* kLegendPartly = "частично";
inline constexpr const char* kLegendFailed = "не конвертирована из-за ошибок";
inline constexpr const char* kLegendMismatch = "длина не как в заголовке";
inline constexpr const char* kLegendOverlap = "перекрытие";
inline constexpr const char* kLegendGap = "пропуск";
inline constexpr const char* kLegendWindow = "окно конвертации";
// A clicked sample: channel, time, value.
inline constexpr const char* kClickedSample = "%1  %2  %3 отсч.";
// The trace panel before a recording is chosen.
inline constexpr const char* kTraceHint =
    "Щёлкните запись на шкале вверху, чтобы увидеть её каналы";
// Why a recording cannot be drawn.
inline constexpr const char* kPlotNoStation = "В файле '%1' нет имени станции";
inline constexpr const char* kPlotNoStartTime = "В файле '%1' нет времени начала записи";
inline constexpr const char* kPlotBadDataOffset =
    "В файле '%1' начало данных лежит за концом файла";
inline constexpr const char* kPlotNotATraceHeader = "Заголовок файла '%1' не в формате TVX 4.0";
inline constexpr const char* kPlotOutOfMemory = "Данные файла '%1' не помещаются в памяти";
// A trace's axis and an empty trace; the title above a plot.
inline constexpr const char* kPlotSamplesAxis = "амплитуда, отсчёты";
inline constexpr const char* kPlotTimeAxis = "время регистратора, ось от %1";
inline constexpr const char* kPlotEvent = "событие %1";
inline constexpr const char* kPlotConverted = "конвертирован";
inline constexpr const char* kPlotNotConverted = "не конвертирован";
inline constexpr const char* kPlotNoData = "нет данных";
inline constexpr const char* kPlotTitle = "%1   %2   %3   %4 отс./с.";
inline constexpr const char* kPlotTitleEvent = "   событие %1";
// kelvaron-plot.
inline constexpr const char* kPlotUsage =
    "Использование: kelvaron-plot ФАЙЛ -o РИСУНОК.png [--channels КАНАЛ,КАНАЛ...] "
    "[--width ШИРИНА] [--height ВЫСОТА] [--config ФАЙЛ]";
inline constexpr const char* kPlotNoSuchChannel = "В файле '%1' станции %2 нет канала %3";
inline constexpr const char* kPlotNoChannels = "В файле '%1' станции %2 нет каналов для рисунка";
inline constexpr const char* kPlotNotSaved = "Не удалось записать рисунок '%1'";

// kelvaron-batch status: one line per station, then the recordings that
// failed (--failed) and the stations a monitor should hear of.
std::string StatusStationLine(const std::string& station, const std::string& sourceDir,
                              int converted, int incomplete, int skipped, int failed, int waiting);
// converter: the record's "host:pid" of the last conversion.
std::string StatusNewestConverted(const std::string& start, const std::string& age,
                                  const std::string& lastConversion, const std::string& converter);
inline constexpr const char* kStatusNothingConverted = "  ни одной конвертированной записи";
std::string StatusDirectoryUnreadable(const std::string& station, const std::string& sourceDir);
std::string StatusFailedRecording(const std::string& path, const std::string& converter,
                                  const std::string& message);
std::string StatusIncompleteRecording(const std::string& path, const std::string& converter,
                                      const std::string& message);
std::string StatusTooOld(const std::string& station, const std::string& age,
                         const std::string& maxAge);
std::string StatusNoneConverted(const std::string& station);
std::string StatusHasFailures(const std::string& station, int failed);

// kelvaron-batch watch, for the journal.
std::string WatchStarted(int stations);
inline constexpr const char* kWatchStopped = "kelvaron-batch watch: остановлен";
std::string WatchNotPossible(const std::string& station, const std::string& dir);

}  // namespace platform::texts
