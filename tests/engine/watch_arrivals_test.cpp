#include "engine/watch_arrivals.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = engine::WatchArrivals::Clock;
using std::chrono::seconds;

// A copy written in pieces, a file moved in whole, one that vanished and one
// whose writer keeps it open: each is handed on once, and only once settled.
TEST(WatchArrivals, HandsOnEachFileOnceItHasSettled) {
    const Clock::time_point t0 = Clock::now();
    std::map<std::string, Clock::time_point> modified = {
        {"/src/pieces.rec", t0}, {"/src/moved.rec", t0 - seconds(3600)}, {"/src/open.rec", t0}};
    const auto modifiedAt = [&](const std::string& path) -> std::optional<Clock::time_point> {
        const auto it = modified.find(path);
        if (it == modified.end()) return std::nullopt;
        return it->second;
    };
    engine::WatchArrivals arrivals(seconds(5));
    arrivals.Heard("/src/pieces.rec", t0);
    arrivals.Heard("/src/moved.rec", t0);
    arrivals.Heard("/src/gone.rec", t0);
    arrivals.Heard("/src/open.rec", t0);

    // Another piece at t0+3 restarts its wait; nothing is settled before t0+5.
    modified["/src/pieces.rec"] = t0 + seconds(3);
    arrivals.Heard("/src/pieces.rec", t0 + seconds(3));
    EXPECT_TRUE(arrivals.TakeSettled(t0 + seconds(4), modifiedAt).empty());

    // The open file keeps changing without a close event.
    modified["/src/open.rec"] = t0 + seconds(4);
    EXPECT_EQ(arrivals.TakeSettled(t0 + seconds(5), modifiedAt),
              (std::vector<std::string>{"/src/moved.rec"}));
    EXPECT_EQ(arrivals.TakeSettled(t0 + seconds(8), modifiedAt),
              (std::vector<std::string>{"/src/pieces.rec"}));
    EXPECT_EQ(arrivals.TakeSettled(t0 + seconds(9), modifiedAt),
              (std::vector<std::string>{"/src/open.rec"}));
    EXPECT_TRUE(arrivals.empty());  // the vanished file was dropped, not kept for ever
    EXPECT_TRUE(arrivals.TakeSettled(t0 + seconds(60), modifiedAt).empty());
}

}  // namespace
