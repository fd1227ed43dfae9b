#include "cli/watch_command.h"

#include <pthread.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <stop_token>
#include <thread>

#include "catalog/catalogue.h"
#include "catalog/recording_record.h"
#include "cli/console_front_end.h"
#include "cli/worker_outputs.h"
#include "engine/recording_outputs.h"
#include "engine/station_workers.h"
#include "engine/watch_arrivals.h"
#include "platform/directory_watch.h"
#include "platform/kelvaron_settings.h"
#include "platform/message_catalogue.h"
#include "platform/operator_texts.h"
#include "platform/text_encoding.h"

namespace cli {

namespace {

namespace texts = platform::texts;
using Clock = engine::WatchArrivals::Clock;

constexpr int kExitDone = 0;
constexpr int kExitRefused = 2;
// How often the loop looks at the stop request and the settled arrivals.
constexpr auto kTick = std::chrono::milliseconds(200);
// A catalogue that cannot be opened is tried again after this long.
constexpr auto kCatalogueRetry = std::chrono::seconds(10);

void Say(const std::string& text) {
    std::fprintf(stderr, "%s\n", platform::TranslateMessage(text).c_str());
    std::fflush(stderr);
}

void Warn(const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", platform::TranslateMessage(texts::kWarningCaption).c_str(),
                 platform::TranslateMessage(text).c_str());
    std::fflush(stderr);
}

// The stop and reload signals, taken by a thread of their own so that the
// stop is asked for outside a signal handler. Every thread started after
// this one inherits the signals blocked.
class SignalWatch {
public:
    SignalWatch() {
        sigemptyset(&signals_);
        for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&signals_, s);
        pthread_sigmask(SIG_BLOCK, &signals_, nullptr);
        thread_ = std::jthread([this](std::stop_token own) {
            const timespec tick{0, 100 * 1000 * 1000};
            while (!own.stop_requested()) {
                const int got = sigtimedwait(&signals_, nullptr, &tick);
                if (got == SIGHUP) reload_ = true;
                if (got == SIGINT || got == SIGTERM) stop_.request_stop();
            }
        });
    }
    ~SignalWatch() {
        thread_.request_stop();
        thread_.join();
        pthread_sigmask(SIG_UNBLOCK, &signals_, nullptr);
    }
    std::stop_token StopToken() const { return stop_.get_token(); }
    bool stopped() const { return stop_.stop_requested(); }
    bool TakeReload() { return reload_.exchange(false); }

private:
    sigset_t signals_;
    std::stop_source stop_;
    std::atomic<bool> reload_{false};
    std::jthread thread_;
};

std::optional<Clock::time_point> ModifiedAt(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return Clock::time_point(std::chrono::duration_cast<Clock::duration>(
        std::chrono::seconds(st.st_mtim.tv_sec) + std::chrono::nanoseconds(st.st_mtim.tv_nsec)));
}

// Watches every station's source directory; one that cannot be watched is
// said once and left to the full passes.
void WatchDirectories(platform::DirectoryWatch& watch, const engine::RunRequest& request) {
    watch.Clear();
    for (const platform::StationSettings& station : request.settings.stations) {
        if (station.sourceDir.empty()) continue;
        const std::string dir = platform::ListedSourceDirectory(station.sourceDir);
        if (!watch.Add(dir))
            Warn(texts::WatchNotPossible(platform::Text8ToUtf8(station.name),
                                         platform::Text8ToUtf8(dir)));
    }
}

class Watcher {
public:
    Watcher(catalog::OdbcConnection& database, const WatchOptions& options)
        : database_(database), options_(options) {}

    int Run(const PrepareSync& prepare) {
        if (const std::optional<int> status = Load(prepare)) return *status;
        if (!OpenCatalogueNow()) return kExitRefused;
        if (!catalog::RecordExists(database_)) {
            Say(platform::TranslateMessage(texts::kErrorCaption) + ": " +
                platform::TranslateMessage(texts::kNoRecordOfRecordings));
            return kExitRefused;
        }
        Say(texts::WatchStarted(static_cast<int>(request_.stations.size())));
        Pass({});
        while (!signals_.stopped()) {
            if (signals_.TakeReload()) {
                // Settings that no longer allow a run keep the old ones.
                engine::RunRequest before = request_;
                if (Load(prepare))
                    request_ = std::move(before);
                else
                    Say(texts::WatchStarted(static_cast<int>(request_.stations.size())));
                fullPassDue_ = true;
            }
            const platform::DirectoryWatch::Arrivals heard = watch_.Wait(kTick);
            const Clock::time_point now = Clock::now();
            for (const std::string& path : heard.paths) arrivals_.Heard(path, now);
            if (heard.overflowed) fullPassDue_ = true;
            if (now - lastFullPass_ >= std::chrono::seconds(options_.fullPassSeconds))
                fullPassDue_ = true;
            if (settlingPass_ && now >= *settlingPass_) {
                settlingPass_.reset();
                fullPassDue_ = true;
            }
            if (fullPassDue_) {
                // A full pass takes what is waiting too, once it has settled.
                Pass({});
                continue;
            }
            const std::vector<std::string> settled = arrivals_.TakeSettled(now, ModifiedAt);
            if (!settled.empty()) Pass(settled);
        }
        Say(texts::kWatchStopped);
        workerConnections_.CloseAll();
        database_.Close();
        return kExitDone;
    }

private:
    std::optional<int> Load(const PrepareSync& prepare) {
        engine::RunRequest request;
        if (const std::optional<int> status = prepare(request)) return status;
        request.mode = engine::RunMode::Sync;
        request_ = std::move(request);
        arrivals_.SetSettle(std::chrono::seconds(request_.settleSeconds));
        WatchDirectories(watch_, request_);
        return std::nullopt;
    }

    bool OpenCatalogueNow() {
        ConsoleFrontEnd console(stdout, stderr, {});
        return OpenCatalogue(database_, console.Messages()) != 0;
    }

    // One sync over the given entries (none: every entry of every station).
    // A catalogue lost for good is tried again later; the entries wait.
    void Pass(const std::vector<std::string>& entries) {
        // The workers' connections went with the catalogue: they are not kept.
        if (!database_.IsOpen()) workerConnections_.CloseAll();
        if (!database_.IsOpen() && !(Clock::now() - lastOpenTry_ >= kCatalogueRetry && Reopen())) {
            for (const std::string& path : entries) arrivals_.Heard(path, Clock::now());
            return;
        }
        request_.syncEntries = entries;
        ConsoleOptions console;
        console.watching = true;
        ConsoleFrontEnd front(stdout, stderr, console);
        const engine::RunSummary summary = engine::RunWithWorkers(
            request_, front, options_.workers,
            CatalogueWorkers(database_, std::nullopt, false, &workerConnections_),
            signals_.StopToken());
        if (entries.empty()) {
            lastFullPass_ = Clock::now();
            fullPassDue_ = false;
        }
        // Files still being written when the pass looked (and that no event
        // will announce, as they were there before the watch began) are
        // looked at again once they may have settled.
        if (summary.Skipped(engine::SkipReason::Settling) > 0)
            settlingPass_ = Clock::now() + std::chrono::seconds(request_.settleSeconds + 1);
    }

    bool Reopen() {
        lastOpenTry_ = Clock::now();
        return database_.Reopen();
    }

    catalog::OdbcConnection& database_;
    // The other workers' connections, kept from one pass to the next.
    KeptConnections workerConnections_;
    WatchOptions options_;
    SignalWatch signals_;
    platform::DirectoryWatch watch_;
    engine::WatchArrivals arrivals_{std::chrono::seconds(60)};
    engine::RunRequest request_;
    Clock::time_point lastFullPass_ = Clock::now();
    Clock::time_point lastOpenTry_{};
    bool fullPassDue_ = false;
    std::optional<Clock::time_point> settlingPass_;
};

}  // namespace

int RunWatch(catalog::OdbcConnection& database, const PrepareSync& prepare,
             const WatchOptions& options) {
    Watcher watcher(database, options);
    return watcher.Run(prepare);
}

}  // namespace cli
