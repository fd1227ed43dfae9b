// The work of a run as units handed out in order, each to one worker: the
// stations of one source directory (their indices in the request), or the
// picked files of one station. A unit is never split, so that no two
// workers write one trace path or one entry's record.
#pragma once

#include <atomic>
#include <cstddef>
#include <optional>
#include <vector>

namespace engine {

class WorkQueue {
public:
    // Units of indices, handed out in this order.
    explicit WorkQueue(std::vector<std::vector<std::size_t>> units) : units_(std::move(units)) {}
    // One unit per index 0..count-1: a one-worker run's order.
    explicit WorkQueue(std::size_t count) {
        units_.reserve(count);
        for (std::size_t i = 0; i < count; ++i) units_.push_back({i});
    }

    std::size_t size() const { return units_.size(); }

    // The next unit; nullptr when all have been handed out.
    const std::vector<std::size_t>* Next() {
        const std::size_t i = next_.fetch_add(1);
        return i < units_.size() ? &units_[i] : nullptr;
    }

    // The indices of the units not handed out yet, in order; no worker gets
    // them any more (the run is ending).
    std::vector<std::size_t> TakeRest() {
        std::vector<std::size_t> rest;
        for (std::size_t i = next_.exchange(units_.size()); i < units_.size(); ++i)
            rest.insert(rest.end(), units_[i].begin(), units_[i].end());
        return rest;
    }

private:
    std::vector<std::vector<std::size_t>> units_;
    std::atomic<std::size_t> next_{0};
};

// One worker's walk through the queue: index after index, unit after unit.
class WorkCursor {
public:
    explicit WorkCursor(WorkQueue& queue) : queue_(queue) {}

    // The next index; nullopt when the queue has no unit left.
    std::optional<std::size_t> Next() {
        if (next_ == unit_.size()) {
            const std::vector<std::size_t>* taken = queue_.Next();
            if (!taken) return std::nullopt;
            unit_ = *taken;
            next_ = 0;
        }
        return unit_[next_++];
    }

    // The rest of the unit in hand and every unit not handed out, which
    // nobody will take any more.
    std::vector<std::size_t> Rest() {
        std::vector<std::size_t> rest(unit_.begin() + static_cast<std::ptrdiff_t>(next_),
                                      unit_.end());
        next_ = unit_.size();
        const std::vector<std::size_t> others = queue_.TakeRest();
        rest.insert(rest.end(), others.begin(), others.end());
        return rest;
    }

private:
    WorkQueue& queue_;
    std::vector<std::size_t> unit_;
    std::size_t next_ = 0;
};

}  // namespace engine
