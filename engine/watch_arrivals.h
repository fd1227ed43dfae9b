// The files a watcher has heard of and not yet handed to a pass: each waits
// until it has settled (no event and no change for the settle time), so that
// a recording copied in pieces is converted once, whole.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace engine {

class WatchArrivals {
public:
    using Clock = std::chrono::system_clock;
    // The file's modification time, or nothing when it is gone.
    using ModifiedAt = std::function<std::optional<Clock::time_point>(const std::string& path)>;

    explicit WatchArrivals(std::chrono::seconds settle) : settle_(settle) {}

    // Another event for path: its settle time starts again.
    void Heard(const std::string& path, Clock::time_point now);

    // The paths that have settled by now, in path order, taken out of the
    // waiting set. A path whose file is gone is dropped; one modified within
    // the settle time (a writer that keeps the file open) waits on.
    std::vector<std::string> TakeSettled(Clock::time_point now, const ModifiedAt& modifiedAt);

    // The settings were read again.
    void SetSettle(std::chrono::seconds settle) { settle_ = settle; }
    bool empty() const { return heard_.empty(); }
    void Clear() { heard_.clear(); }

private:
    std::chrono::seconds settle_;
    std::map<std::string, Clock::time_point> heard_;
};

}  // namespace engine
