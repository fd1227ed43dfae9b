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
    try {
        thread_ = std::jthread(
            [this, request = std::move(request), &observer, &outputs](std::stop_token stop) {
                RunConversion(request, observer, outputs, std::move(stop));
                active_ = false;
            });
    } catch (const std::system_error&) {
        active_ = false;
        return false;
    }
    return true;
}

void RunWorker::RequestStop() {
    if (thread_.joinable()) thread_.request_stop();
}

bool RunWorker::StopRequested() const {
    return thread_.joinable() && thread_.get_stop_token().stop_requested();
}

void RunWorker::Join() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace engine
