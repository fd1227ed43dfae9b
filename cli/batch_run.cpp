#include "cli/batch_run.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

#include "catalog/catalogue.h"
#include "cli/batch_options.h"
#include "cli/batch_settings.h"
#include "cli/check_command.h"
#include "cli/console_front_end.h"
#include "cli/start_text.h"
#include "engine/drivers.h"
#include "platform/ini_file.h"

namespace cli {
namespace {

constexpr int kExitConverted = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

int UsageError(const std::string& message) {
    std::fprintf(stderr, "kelvaron-batch: %s\n%s", message.c_str(), kBatchUsage);
    return kExitUsage;
}

int Refuse(const std::string& text) {
    std::fprintf(stderr, "Ошибка: %s\n", text.c_str());
    return kExitUsage;
}

// Set by a stop signal: the run did not get to convert all it was asked for.
volatile std::sig_atomic_t stopSignalled = 0;

// Ctrl-C and SIGTERM end the run after the trace file in hand; a second
// signal ends the process at once.
void OnStopSignal(int signal) {
    stopSignalled = 1;
    engine::RequestStop();
    std::signal(signal, SIG_DFL);
}

// Fills the front end from the options and kelvaron.ini. An exit status when
// the run cannot start (the reason has been printed).
std::optional<int> Prepare(const BatchOptions& options, ConsoleFrontEnd& front) {
    const BatchSettings settings = LoadBatchSettings(platform::KelvaronIniPath());
    front.stations = options.stations.value_or(settings.stations);
    if (front.stations.empty()) return UsageError("no station given and none in kelvaron.ini");
    front.channels = options.channels.value_or(std::vector<std::string>{});
    if (options.mode == BatchMode::Files) {
        for (const std::string& file : options.files)
            front.files.push_back(std::filesystem::absolute(file).lexically_normal().string());
        return std::nullopt;
    }
    front.start = settings.start;
    if (options.start) {
        // Typed in full, as the dialog's masked field always holds it.
        engine::StartDateTime typed;
        if (ScanStartText(*options.start, typed) != 6) return Refuse("Введено ошибочное время");
        front.start = typed;
    }
    if (!IsValidStart(front.start)) return Refuse("Введено ошибочное время");
    front.duration = settings.duration;
    if (options.duration) {
        front.duration =
            options.duration->size() == 8 ? "000 " + *options.duration : *options.duration;
        if (front.duration.size() != 12) return UsageError("--duration is not \"DDD hh:mm:ss\"");
    }
    return std::nullopt;
}

}  // namespace

int RunBatch(const std::vector<std::string>& args) {
    if (!args.empty() && args[0] == "check")
        return RunCheck(std::vector<std::string>(args.begin() + 1, args.end()));
    const ParsedOptions parsed = ParseBatchOptions(args);
    if (!parsed.error.empty()) return UsageError(parsed.error);
    const BatchOptions& options = parsed.options;
    if (options.mode == BatchMode::Help) {
        std::fputs(kBatchUsage, stdout);
        return kExitConverted;
    }

    ConsoleFrontEnd front(stderr, !options.quiet && ::isatty(STDERR_FILENO));
    if (const std::optional<int> status = Prepare(options, front)) return *status;

    if (!OpenCatalogue(front)) return kExitUsage;

    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    bool started = false;
    ConvertRequest request;
    if (options.mode == BatchMode::Window) {
        DisableControls(front);
        started = StartConvertWindow(front);
    } else {
        // Only the file dialog's initial directory depends on it.
        std::strncpy(request.station, front.stations.front().c_str(), sizeof request.station - 1);
        request.dialog = &front;
        started = StartConvertFiles(request);
    }
    // A signal before the run took its slot was forgotten by the start.
    if (started && stopSignalled) engine::RequestStop();
    if (started) engine::WaitForRun();
    theDatabase.Close();
    if (!started) return UsageError("the run could not be started");
    return front.failed() || stopSignalled ? kExitFailed : kExitConverted;
}

}  // namespace cli
