#include "engine/worker_observer.h"

#include "engine/lost_catalogue.h"

namespace engine {

template <typename Event>
void WorkerObserver::Pass(Event&& event) {
    const std::lock_guard<std::mutex> hold(lock_);
    for (const std::string& trace : traces_) run_.TraceWritten(trace);
    traces_.clear();
    event();
}

void WorkerObserver::StationBegins(const std::string& station) {
    Pass([&] { run_.StationBegins(station); });
}

void WorkerObserver::SourceDirectoryUnreadable(const std::string& station, const std::string& dir) {
    Pass([&] { run_.SourceDirectoryUnreadable(station, dir); });
}

void WorkerObserver::StationFinished(const std::string& station, bool completed) {
    Pass([&] { run_.StationFinished(station, completed); });
}

void WorkerObserver::EntryInWork(const RunProgress& progress) {
    Pass([&] { run_.EntryInWork(progress); });
}

void WorkerObserver::RecordingConverted(const std::string& path, int traces) {
    Pass([&] { run_.RecordingConverted(path, traces); });
}

void WorkerObserver::RecordingSkipped(const std::string& path, SkipReason reason) {
    Pass([&] { run_.RecordingSkipped(path, reason); });
}

void WorkerObserver::RecordingNotConverted(const std::string& path, int written, int failed) {
    Pass([&] { run_.RecordingNotConverted(path, written, failed); });
}

void WorkerObserver::TraceWritten(const std::string& catalogPath) {
    traces_.push_back(catalogPath);
}

// A message may come between a recording's trace files and its end (a
// channel that failed): the files wait for the end.
void WorkerObserver::ShowMessage(const RunMessage& message) {
    const std::lock_guard<std::mutex> hold(lock_);
    const bool ending =
        message.text == kCatalogueLostText || message.text == kCatalogueRefusesWritesText;
    if (ending && !endingsSaid_.insert(message.text).second) return;
    run_.ShowMessage(message);
}

}  // namespace engine
