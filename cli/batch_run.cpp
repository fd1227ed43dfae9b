#include "cli/batch_run.h"

#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "catalog/catalogue.h"
#include "catalog/database_error.h"
#include "catalog/recording_record.h"
#include "cli/batch_options.h"
#include "cli/batch_window.h"
#include "cli/catalogue_command.h"
#include "cli/catalogue_warnings.h"
#include "cli/check_command.h"
#include "cli/config_command.h"
#include "cli/console_front_end.h"
#include "cli/journal_stream.h"
#include "cli/status_command.h"
#include "cli/time_window_text.h"
#include "cli/watch_command.h"
#include "cli/worker_outputs.h"
#include "engine/run_control.h"
#include "formats/date_time.h"
#include "platform/ini_file.h"
#include "platform/interface_language.h"
#include "platform/kelvaron_settings.h"
#include "platform/message_catalogue.h"
#include "platform/operator_texts.h"
#include "platform/station_order.h"
#include "platform/text_encoding.h"

namespace cli {
namespace {

namespace texts = platform::texts;

constexpr int kExitConverted = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
// A day: a file still being written after that is not arriving any more.
constexpr std::int64_t kMaxSettleSeconds = 86400;

// Usage errors and the usage texts reach the operator here, in the
// interface language.
int UsageError(const std::string& message, BatchMode mode = BatchMode::Help) {
    std::fprintf(stderr, "%skelvaron-batch: %s\n%s", JournalPrefix(LinePriority::Error).c_str(),
                 platform::TranslateMessage(message).c_str(),
                 platform::TranslateMessage(UsageOf(mode)).c_str());
    return kExitUsage;
}

int Refuse(const std::string& text) {
    std::fprintf(stderr, "%s%s: %s\n", JournalPrefix(LinePriority::Error).c_str(),
                 platform::TranslateMessage(texts::kErrorCaption).c_str(),
                 platform::TranslateMessage(text).c_str());
    return kExitUsage;
}

// A quiet run shows no warning about its settings: it says nothing when it
// converted what it was asked.
bool warningsShown = true;

void Warn(const std::string& text) {
    if (!warningsShown) return;
    std::fprintf(stderr, "%s%s: %s\n", JournalPrefix(LinePriority::Warning).c_str(),
                 platform::TranslateMessage(texts::kWarningCaption).c_str(),
                 platform::TranslateMessage(text).c_str());
}

// Set by a stop signal: the run did not get to convert all it was asked for.
bool stopSignalled = false;

// The stations named on the command line as kelvaron.ini lists them, or an
// exit status for one it does not list.
std::optional<int> TakeListedStations(const std::vector<std::string>& named,
                                      const std::vector<std::string>& listed,
                                      std::vector<std::string>& taken) {
    for (const std::string& name : named) {
        const auto it = std::find_if(listed.begin(), listed.end(), [&](const std::string& s) {
            return platform::StationEquals(s, name);
        });
        if (it == listed.end()) return Refuse(texts::StationNotListed(name));
        const std::string station = platform::CutText8(*it, platform::kStationNameChars);
        if (std::find(taken.begin(), taken.end(), station) != taken.end()) {
            Warn(texts::DuplicateStation(name));
            continue;
        }
        taken.push_back(station);
    }
    return std::nullopt;
}

// What the run read from the two settings files, for the verbose form.
void PrintSettingsRead(const platform::RunSettings& settings) {
    const auto line = [](const std::string& text) {
        std::fprintf(stderr, "%s\n", platform::TranslateMessage(text).c_str());
    };
    line(texts::SettingsFilesRead(settings.kelvaronIni, settings.tvxIni));
    line(texts::DataDirectoryRead(platform::Text8ToUtf8(settings.dataDir)));
    for (const platform::StationSettings& s : settings.stations)
        line(texts::StationSettingsRead(platform::Text8ToUtf8(s.name),
                                        platform::Text8ToUtf8(s.sourceDir), s.useGain));
}

// A sync's --from and --settle.
std::optional<int> PrepareSync(const BatchOptions& options, engine::RunRequest& request) {
    request.mode = engine::RunMode::Sync;
    if (options.from) {
        const ResolvedMoment from = ResolveSyncFrom(*options.from, LocalWallClockNow());
        if (!from.usageError.empty()) return UsageError(from.usageError, BatchMode::Sync);
        if (from.invalidTime) return Refuse(texts::kInvalidTime);
        request.syncFrom = EpochFromCalendar(from.moment);
    }
    if (options.settle) {
        const std::optional<std::int64_t> seconds = engine::ParseLengthSeconds(*options.settle);
        if (!seconds || *seconds > kMaxSettleSeconds)
            return UsageError(texts::NotALength("--settle", *options.settle), BatchMode::Sync);
        request.settleSeconds = static_cast<int>(*seconds);
    }
    return std::nullopt;
}

// The request from the options and kelvaron.ini, as the dialog would build
// it. An exit status when the run cannot start (the reason has been printed).
std::optional<int> Prepare(const BatchOptions& options, platform::IniFile& kelvaronIni,
                           engine::RunRequest& request) {
    const platform::KelvaronSettings settings = platform::ReadKelvaronSettings(kelvaronIni);
    for (const std::string& again : settings.duplicates) Warn(texts::DuplicateStation(again));
    if (options.stations) {
        if (const auto status =
                TakeListedStations(*options.stations, settings.stations, request.stations))
            return status;
    } else {
        for (const std::string& s : settings.stations)
            request.stations.push_back(platform::CutText8(s, platform::kStationNameChars));
    }
    if (request.stations.empty()) return UsageError("no station given and none in kelvaron.ini");
    for (const std::string& name : options.channels.value_or(std::vector<std::string>{}))
        request.channels.push_back({name, true});
    if (options.mode == BatchMode::Files) {
        request.mode = engine::RunMode::Files;
        for (const std::string& file : options.files)
            request.files.push_back(std::filesystem::absolute(file).lexically_normal().string());
        return std::nullopt;
    }
    if (options.mode == BatchMode::Sync || options.mode == BatchMode::Watch)
        return PrepareSync(options, request);
    request.mode = engine::RunMode::Window;
    const ResolvedWindow resolved = ResolveBatchWindow(options, settings, LocalWallClockNow());
    if (!resolved.usageError.empty()) return UsageError(resolved.usageError);
    if (resolved.invalidTime) return Refuse(texts::kInvalidTime);
    const platform::CalendarFields& t = resolved.window.start;
    request.windowStart = EpochFromCalendar(t);
    request.windowLength = resolved.window.lengthSeconds;
    if (options.verbose) {
        const std::string line = platform::TranslateMessage(
            texts::BatchWindowLine(platform::FormatStartText(t), resolved.window.duration));
        std::fprintf(stderr, "%s\n", line.c_str());
    }
    return std::nullopt;
}

// A sync needs the record of recordings; an older catalogue is told how to get it.
std::optional<int> RefuseWithoutRecord(catalog::OdbcConnection& database) {
    bool present = false;
    try {
        present = catalog::RecordExists(database);
    } catch (const catalog::DatabaseError& error) {
        database.Close();
        return Refuse(error.what());
    }
    if (present) return std::nullopt;
    database.Close();
    return Refuse(texts::kNoRecordOfRecordings);
}

// How many workers convert at once: as asked, else one for a window or a
// file run (their messages keep their order) and every processor for a sync.
int WorkersFor(const BatchOptions& options) {
    if (options.jobs) return *options.jobs;
    const bool syncing = options.mode == BatchMode::Sync || options.mode == BatchMode::Watch;
    return syncing ? engine::MachineWorkers() : 1;
}

// Runs the request on a worker. Ctrl-C and SIGTERM end the run after the
// trace file in hand; a second signal ends the process at once. The signals
// are taken by this thread alone (the worker inherits them blocked), so the
// stop is asked for outside a signal handler and without delay.
void RunToTheEnd(const engine::RunRequest& request, engine::RunObserver& observer, int workers,
                 const engine::MakeOutputs& outputs) {
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stops, nullptr);
    engine::RunWorker worker;
    const bool started = worker.Start(request, observer, workers, outputs);
    const timespec tick{0, 20 * 1000 * 1000};
    while (started && worker.Active()) {
        if (sigtimedwait(&stops, nullptr, &tick) < 0) continue;
        stopSignalled = true;
        worker.RequestStop();
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
        pthread_sigmask(SIG_UNBLOCK, &stops, nullptr);
        break;
    }
    worker.Join();
}

}  // namespace

int RunBatch(const std::vector<std::string>& args, catalog::OdbcConnection& database) {
    const ParsedOptions parsed = ParseBatchOptions(args);
    const BatchOptions& options = parsed.options;
    // Before anything reads the settings: the interface language is one of them.
    if (options.config) platform::UseKelvaronIni(*options.config);
    if (!parsed.error.empty()) return UsageError(parsed.error, options.mode);
    warningsShown = !options.quiet;
    if (options.mode == BatchMode::Help) {
        std::fputs(platform::TranslateMessage(UsageOf(options.helpOf)).c_str(), stdout);
        return kExitConverted;
    }
    if (options.mode == BatchMode::Version) {
        std::printf("kelvaron-batch %s\n", KELVARON_VERSION);
        return kExitConverted;
    }
    // A kelvaron.ini named on purpose must be there; the working directory's may be missing.
    const bool named = platform::KelvaronIniPath() != platform::kDefaultKelvaronIni;
    if (options.mode == BatchMode::Check || options.mode == BatchMode::CatalogueInit ||
        options.mode == BatchMode::CatalogueUpgrade || options.mode == BatchMode::Config ||
        options.mode == BatchMode::Status) {
        if (const std::string problem =
                platform::SettingsFileProblem(platform::KelvaronIniPath(), named);
            !problem.empty())
            return Refuse(problem);
    }
    switch (options.mode) {
        case BatchMode::Check:
            return RunCheck(database, options.stations.value_or(std::vector<std::string>{}),
                            options.fix);
        case BatchMode::CatalogueInit:
            return RunCatalogueCommand(database, options.indexes);
        case BatchMode::CatalogueUpgrade:
            return RunCatalogueUpgrade(database);
        case BatchMode::Config:
            return RunConfigCommand(database);
        case BatchMode::Status: {
            StatusRequest status;
            status.stations = options.stations.value_or(std::vector<std::string>{});
            status.failed = options.failed;
            status.json = options.json;
            if (options.maxAge) {
                status.maxAgeSeconds = engine::ParseLengthSeconds(*options.maxAge);
                if (!status.maxAgeSeconds)
                    return UsageError(texts::NotALength("--max-age", *options.maxAge),
                                      options.mode);
            }
            return RunStatus(database, status);
        }
        default:
            break;
    }
    // Each settings file is opened once for the whole run (a watcher: again
    // on each reload); the run itself gets what it needs of them as values.
    std::optional<catalog::CatalogueLogin> login;
    const auto readRequest = [&](engine::RunRequest& request) -> std::optional<int> {
        platform::IniFile kelvaronIni(platform::KelvaronIniPath());
        platform::IniFile tvxIni(platform::TvxIniPath());
        for (auto [file, mustExist] : {std::pair{&kelvaronIni, named}, std::pair{&tvxIni, false}})
            if (const std::string problem = platform::SettingsFileProblem(*file, mustExist);
                !problem.empty())
                return Refuse(problem);
        platform::SetMessageLanguage(platform::CurrentInterfaceLanguage(kelvaronIni));
        if (const std::optional<int> status = Prepare(options, kelvaronIni, request))
            return *status;
        request.settings = platform::ResolveRunSettings(kelvaronIni, tvxIni, request.stations);
        // Without a data directory the trace tree would start at the root.
        if (const std::string problem =
                platform::DataDirectoryProblem(request.settings.dataDir, tvxIni.path());
            !problem.empty())
            return Refuse(problem);
        if (options.verbose) PrintSettingsRead(request.settings);
        login = ReadCatalogueLogin(tvxIni);
        return std::nullopt;
    };
    if (options.mode == BatchMode::Watch) {
        WatchOptions watching;
        watching.workers = WorkersFor(options);
        return RunWatch(database, readRequest, watching);
    }
    engine::RunRequest request;
    if (const std::optional<int> status = readRequest(request)) return *status;

    ConsoleOptions console;
    console.progress = !options.quiet && ::isatty(STDERR_FILENO);
    console.verbose = options.verbose;
    console.dryRun = options.dryRun;
    console.quiet = options.quiet;
    ConsoleFrontEnd front(stdout, stderr, console);
    // A dry run connects too, so that a wrong data source shows up.
    if (!OpenCatalogue(database, front.Messages(), *login)) {
        // The run ends, as every run does, with its summary line.
        engine::RunSummary nothing;
        nothing.catalogueErrors = 1;
        front.RunFinished(nothing);
        return kExitUsage;
    }
    if (!options.quiet) WarnAboutCatalogue(database, stderr);
    if (request.mode == engine::RunMode::Sync) {
        if (const std::optional<int> status = RefuseWithoutRecord(database)) return *status;
    }

    RunToTheEnd(request, front, WorkersFor(options),
                CatalogueWorkers(database, login, options.dryRun));
    database.Close();
    return front.failed() || stopSignalled ? kExitFailed : kExitConverted;
}

}  // namespace cli
