// One worker's view of its run's observer when several workers convert at
// once: each event is passed on whole under the run's one lock, so that the
// lines workers print never mix. A front end gathers a recording's trace
// files for the event that ends the recording, so a worker's trace files
// are held back and passed on with its next event other than a message.
// RunFinished belongs to the whole run: a worker's is not passed on, and
// neither is a second worker's word that the catalogue is gone for good.
#pragma once

#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "engine/run_observer.h"

namespace engine {

// What the workers of one run share: the lock their events pass under, and
// the messages that end the run already said (each worker that meets the
// lost catalogue says so; the operator is told once).
struct WorkerShare {
    std::mutex lock;
    std::set<std::string> endingsSaid;
};

class WorkerObserver final : public RunObserver {
public:
    WorkerObserver(RunObserver& run, WorkerShare& share)
        : run_(run), lock_(share.lock), endingsSaid_(share.endingsSaid) {}

    void StationBegins(const std::string& station) override;
    void SourceDirectoryUnreadable(const std::string& station, const std::string& dir) override;
    void StationFinished(const std::string& station, bool completed) override;
    void EntryInWork(const RunProgress& progress) override;
    void RecordingConverted(const std::string& path, int traces) override;
    void RecordingSkipped(const std::string& path, SkipReason reason) override;
    void RecordingNotConverted(const std::string& path, int written, int failed) override;
    void TraceWritten(const std::string& catalogPath) override;
    void ShowMessage(const RunMessage& message) override;
    void RunFinished(const RunSummary&) override {}

private:
    // Takes the lock and passes on the trace files held back, then the event.
    template <typename Event>
    void Pass(Event&& event);

    RunObserver& run_;
    std::mutex& lock_;
    std::set<std::string>& endingsSaid_;
    std::vector<std::string> traces_;
};

}  // namespace engine
