#include "engine/run_control.h"

#include <system_error>
#include <utility>

namespace engine {

RunWorker::~RunWorker() {
    RequestStop();
    Join();
}

bool RunWorker::Start(RunRequest request, RunObserver& observer, RecordingOutputs& outputs) {
    return StartRun([request = std::move(request), &observer, &outputs](std::stop_token stop) {
        RunConversion(request, observer, outputs, std::move(stop));
    });
}

bool RunWorker::Start(RunRequest request, RunObserver& observer, int workers,
                      MakeOutputs makeOutputs) {
    return StartRun([request = std::move(request), &observer, workers,
                     makeOutputs = std::move(makeOutputs)](std::stop_token stop) {
        RunWithWorkers(request, observer, workers, makeOutputs, std::move(stop));
    });
}

bool RunWorker::StartRun(std::function<void(std::stop_token)> run) {
    if (active_.load()) return false;
    Join();  // the last run's thread, already past its last event
    active_ = true;
    stop_ = std::stop_source();
    try {
        thread_ = std::jthread([this, run = std::move(run), stop = stop_.get_token()] {
            run(stop);
            active_ = false;
        });
    } catch (const std::system_error&) {
        active_ = false;
        return false;
    }
    return true;
}

void RunWorker::RequestStop() { stop_.request_stop(); }

bool RunWorker::StopRequested() const { return stop_.stop_requested(); }

void RunWorker::Join() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace engine
