#include "viewer/background_work.h"

#include <algorithm>

namespace app {

BackgroundWork::~BackgroundWork() { StopAndJoin(); }

void BackgroundWork::Start(std::function<void(std::stop_token)> task) {
    JoinEnded();
    Task& t = tasks_.emplace_back();
    t.thread = std::jthread([task = std::move(task), ended = t.ended](std::stop_token stop) {
        task(stop);
        ended->store(true);
    });
}

void BackgroundWork::RequestStop() {
    for (Task& t : tasks_) t.thread.request_stop();
}

void BackgroundWork::StopAndJoin() {
    RequestStop();
    for (Task& t : tasks_)
        if (t.thread.joinable()) t.thread.join();
    tasks_.clear();
}

int BackgroundWork::Running() const {
    return static_cast<int>(std::count_if(tasks_.begin(), tasks_.end(),
                                          [](const Task& t) { return !t.ended->load(); }));
}

void BackgroundWork::JoinEnded() {
    tasks_.remove_if([](Task& t) {
        if (!t.ended->load()) return false;
        t.thread.join();
        return true;
    });
}

}  // namespace app
