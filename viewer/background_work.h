// Work a window runs off its UI thread, on threads it owns: each task gets a
// stop token; the owner asks them to stop and waits for them before it goes,
// so no task outlives the window it reports to.
#pragma once

#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <stop_token>
#include <thread>

namespace app {

class BackgroundWork {
public:
    BackgroundWork() = default;
    // StopAndJoin.
    ~BackgroundWork();
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    // Runs task on a thread of its own; the token says the owner is going.
    void Start(std::function<void(std::stop_token)> task);
    // Asks every task to stop; returns at once.
    void RequestStop();
    // Asks every task to stop and waits until all have ended.
    void StopAndJoin();
    // Tasks started and not yet ended.
    int Running() const;

private:
    struct Task {
        std::shared_ptr<std::atomic<bool>> ended = std::make_shared<std::atomic<bool>>(false);
        std::jthread thread;
    };
    // Joins the threads of tasks that have ended (they join at once).
    void JoinEnded();

    std::list<Task> tasks_;
};

}  // namespace app
