#include "engine/run_control.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "engine/drivers.h"

namespace engine {
namespace {

struct RunSlot {
    std::mutex mutex;
    std::condition_variable idle;
    bool active = false;
    std::atomic<bool> stop{false};
};

// Never destroyed: a worker may still be leaving EndRun while the process exits.
RunSlot& Slot() {
    static RunSlot* slot = new RunSlot;
    return *slot;
}

}  // namespace

bool TryBeginRun() {
    RunSlot& slot = Slot();
    std::lock_guard lock(slot.mutex);
    if (slot.active) return false;
    slot.active = true;
    slot.stop = false;
    return true;
}

void EndRun() {
    RunSlot& slot = Slot();
    std::lock_guard lock(slot.mutex);
    slot.active = false;
    slot.stop = false;
    slot.idle.notify_all();
}

bool StopRequested() { return Slot().stop.load(std::memory_order_relaxed); }

bool IsRunActive() {
    RunSlot& slot = Slot();
    std::lock_guard lock(slot.mutex);
    return slot.active;
}

// Lock-free on purpose: the batch command calls it from a signal handler.
void RequestStop() { Slot().stop.store(true, std::memory_order_relaxed); }

void WaitForRun() {
    RunSlot& slot = Slot();
    std::unique_lock lock(slot.mutex);
    slot.idle.wait(lock, [&] { return !slot.active; });
}

}  // namespace engine
