#include "engine/watch_arrivals.h"

namespace engine {

void WatchArrivals::Heard(const std::string& path, Clock::time_point now) { heard_[path] = now; }

std::vector<std::string> WatchArrivals::TakeSettled(Clock::time_point now,
                                                    const ModifiedAt& modifiedAt) {
    std::vector<std::string> settled;
    for (auto it = heard_.begin(); it != heard_.end();) {
        if (now - it->second < settle_) {
            ++it;
            continue;
        }
        const std::optional<Clock::time_point> modified = modifiedAt(it->first);
        if (!modified) {
            it = heard_.erase(it);
            continue;
        }
        if (now - *modified < settle_) {
            ++it;
            continue;
        }
        settled.push_back(it->first);
        it = heard_.erase(it);
    }
    return settled;
}

}  // namespace engine
