#include "cli/batch_run.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <thread>

#include "catalog/catalogue.h"
#include "cli/batch_options.h"
#include "cli/console_front_end.h"
#include "engine/run_control.h"
#include "platform/ini_file.h"
#include "platform/kelvaron_settings.h"
#include "platform/operator_texts.h"
#include "platform/station_order.h"

namespace cli {
namespace {

namespace texts = platform::texts;

constexpr int kExitConverted = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

int UsageError(const std::string& message) {
    std::fprintf(stderr, "kelvaron-batch: %s\n%s", message.c_str(), kBatchUsage);
    return kExitUsage;
}

int Refuse(const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", texts::kErrorCaption, text.c_str());
    return kExitUsage;
}

// Set by a stop signal: the run did not get to convert all it was asked for.
volatile std::sig_atomic_t stopSignalled = 0;

// Ctrl-C and SIGTERM end the run after the trace file in hand; a second
// signal ends the process at once.
void OnStopSignal(int signal) {
    stopSignalled = 1;
    std::signal(signal, SIG_DFL);
}

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
        taken.push_back(platform::CutText(*it, platform::kStationNameChars));
    }
    return std::nullopt;
}

// The request from the options and kelvaron.ini, as the dialog would build
// it. An exit status when the run cannot start (the reason has been printed).
std::optional<int> Prepare(const BatchOptions& options, engine::RunRequest& request) {
    const platform::KelvaronSettings settings =
        platform::ReadKelvaronSettings(platform::KelvaronIniPath());
    if (options.stations) {
        if (const auto status =
                TakeListedStations(*options.stations, settings.stations, request.stations))
            return status;
    } else {
        for (const std::string& s : settings.stations)
            request.stations.push_back(platform::CutText(s, platform::kStationNameChars));
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
    request.mode = engine::RunMode::Window;
    request.start = settings.start;
    if (options.start) {
        // Typed in full, as the dialog's masked field always holds it.
        platform::CalendarFields typed;
        if (platform::ScanStartText(*options.start, typed) != 6) return Refuse(texts::kInvalidTime);
        request.start = typed;
    }
    if (!platform::IsValidStart(request.start)) return Refuse(texts::kInvalidTime);
    request.duration = settings.duration;
    if (options.duration) {
        request.duration =
            options.duration->size() == 8 ? "000 " + *options.duration : *options.duration;
        if (request.duration.size() != 12) return UsageError("--duration is not \"DDD hh:mm:ss\"");
    }
    return std::nullopt;
}

// Runs the request on a worker and passes a stop signal on to it.
void RunToTheEnd(const engine::RunRequest& request, engine::RunObserver& observer,
                 engine::RecordingOutputs& outputs) {
    engine::RunWorker worker;
    if (!worker.Start(request, observer, outputs)) return;
    while (worker.Active()) {
        if (stopSignalled) worker.RequestStop();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    worker.Join();
}

}  // namespace

int RunBatch(const std::vector<std::string>& args) {
    const ParsedOptions parsed = ParseBatchOptions(args);
    if (!parsed.error.empty()) return UsageError(parsed.error);
    const BatchOptions& options = parsed.options;
    if (options.mode == BatchMode::Help) {
        std::fputs(kBatchUsage, stdout);
        return kExitConverted;
    }

    engine::RunRequest request;
    if (const std::optional<int> status = Prepare(options, request)) return *status;
    // Without a data directory the trace tree would start at the root.
    if (const std::string problem = platform::DataDirectoryProblem(platform::TvxIniPath());
        !problem.empty())
        return Refuse(problem);

    ConsoleOptions console;
    console.progress = !options.quiet && ::isatty(STDERR_FILENO);
    console.verbose = options.verbose;
    console.dryRun = options.dryRun;
    console.quiet = options.quiet;
    ConsoleFrontEnd front(stdout, stderr, console);
    // A dry run connects too, so that a wrong data source shows up.
    platform::MessageSinkFunction sink(
        [&](const std::string& text, const std::string& caption, platform::MessageIcon icon) {
            front.ShowMessage({text, "", caption, icon});
        });
    if (!OpenCatalogue(sink)) return kExitUsage;

    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    RunToTheEnd(request, front,
                options.dryRun ? engine::PlanOutputs() : engine::CatalogueOutputs());
    theDatabase.Close();
    return front.failed() || stopSignalled ? kExitFailed : kExitConverted;
}

}  // namespace cli
