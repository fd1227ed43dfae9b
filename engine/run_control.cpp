#include "engine/run_control.h"

#include <system_error>
#include <utility>

namespace engine {

RunWorker::~RunWorker() {
    RequestStop();
    Join();
}

bool RunWorker::Start(RunRequest request, RunObserver& observer, RecordingOutputs& outputs) {
    if (active_.load()) return false;
    Join();  // the last run's thread, already past its last event
    active_ = true;
    stop_ = std::stop_source();
    try {
        thread_ = std::jthread(
            [this, request = std::move(request), &observer, &outputs, stop = stop_.get_token()] {
                RunConversion(request, observer, outputs, stop);
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
