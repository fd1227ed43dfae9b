// The worker a front end owns to carry out its runs, one at a time, each on
// a thread of its own that can be asked to stop.
#pragma once

#include <atomic>
#include <functional>
#include <stop_token>
#include <thread>

#include "engine/drivers.h"
#include "engine/station_workers.h"

namespace engine {

class RunWorker {
public:
    RunWorker() = default;
    // Asks a run still in progress to stop and waits for it.
    ~RunWorker();
    RunWorker(const RunWorker&) = delete;
    RunWorker& operator=(const RunWorker&) = delete;

    // Starts RunConversion with a copy of the request and returns at once;
    // false, and nothing started, while the previous run is still active.
    bool Start(RunRequest request, RunObserver& observer, RecordingOutputs& outputs);
    // The same with up to `workers` workers at once (RunWithWorkers).
    bool Start(RunRequest request, RunObserver& observer, int workers, MakeOutputs makeOutputs);
    // True from a successful start until the run has made its last event.
    bool Active() const { return active_.load(); }
    // The run ends after the trace file in hand; returns at once.
    void RequestStop();
    bool StopRequested() const;
    // The stop token of the run in progress (for waits inside its events).
    std::stop_token StopToken() const { return stop_.get_token(); }
    // Waits until the worker's thread has ended (at once when there is none).
    void Join();

private:
    bool StartRun(std::function<void(std::stop_token)> run);

    std::atomic<bool> active_{false};
    // Made before the thread starts, so that the run itself may ask to stop
    // from its very first event.
    std::stop_source stop_;
    std::jthread thread_;
};

}  // namespace engine
