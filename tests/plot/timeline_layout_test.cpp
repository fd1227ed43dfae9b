#include "plot/timeline_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Want {
    double x0, x1;
    int lane;
    bool overlaps;
};

struct TimelineCase {
    const char* what;
    std::vector<plot::TimelineRecording> recordings;
    std::vector<Want> bars;  // in input order
    std::vector<std::pair<double, double>> gaps;
    int lanes;
};

// A view of 1000 s drawn 1000 pixels wide: one pixel per second.
TEST(LayOutTimeline, BarsLanesOverlapsAndGaps) {
    const TimelineCase cases[] = {
        {"back to back recordings share a lane and leave no gap",
         {{0, 400, false}, {400, 600, false}},
         {{0, 400, 0, false}, {400, 1000, 0, false}},
         {},
         1},
        {"a gap between two recordings and after the last",
         {{100, 200, false}, {500, 300, false}},
         {{100, 300, 0, false}, {500, 800, 0, false}},
         {{0, 100}, {300, 500}, {800, 1000}},
         1},
        {"an overlapping recording goes to the next lane, both marked",
         {{0, 600, false}, {550, 100, false}, {700, 100, false}},
         {{0, 600, 0, true}, {550, 650, 1, true}, {700, 800, 0, false}},
         {{650, 700}, {800, 1000}},
         2},
        {"a recording inside a long one overlaps it, not the one after",
         {{0, 900, false}, {200, 100, false}, {900, 100, false}},
         {{0, 900, 0, true}, {200, 300, 1, true}, {900, 1000, 0, false}},
         {},
         2},
        {"input order is kept, layout follows time",
         {{500, 500, false}, {0, 500, false}},
         {{500, 1000, 0, false}, {0, 500, 0, false}},
         {},
         1},
        {"bars are clipped to the view; a zero-length one is a pixel wide",
         {{-300, 400, false}, {950, 200, false}, {600, 0, false}},
         {{0, 100, 0, false}, {950, 1000, 0, false}, {600, 601, 0, false}},
         {{100, 950}},
         1},
    };
    for (const TimelineCase& c : cases) {
        SCOPED_TRACE(c.what);
        const plot::TimelineLayout l = plot::LayOutTimeline(c.recordings, 0, 1000, 1000, 0, 0);
        ASSERT_EQ(l.bars.size(), c.bars.size());
        for (std::size_t i = 0; i < c.bars.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(l.bars[i].recording, i);
            EXPECT_DOUBLE_EQ(l.bars[i].x0, c.bars[i].x0);
            EXPECT_DOUBLE_EQ(l.bars[i].x1, c.bars[i].x1);
            EXPECT_EQ(l.bars[i].lane, c.bars[i].lane);
            EXPECT_EQ(l.bars[i].overlaps, c.bars[i].overlaps);
        }
        ASSERT_EQ(l.gaps.size(), c.gaps.size());
        for (std::size_t i = 0; i < c.gaps.size(); ++i) {
            EXPECT_DOUBLE_EQ(l.gaps[i].start, c.gaps[i].first);
            EXPECT_DOUBLE_EQ(l.gaps[i].end, c.gaps[i].second);
        }
        EXPECT_EQ(l.lanes, c.lanes);
    }
}

TEST(LayOutTimeline, WindowClicksAndDays) {
    const std::vector<plot::TimelineRecording> r = {{86400 + 3600, 3600, true},
                                                    {86400 + 5000, 600, false}};
    // A day drawn 2400 pixels wide: 100 pixels an hour.
    const plot::TimelineLayout l =
        plot::LayOutTimeline(r, 86400, 2 * 86400, 2400, 86400 + 7200, 1800);
    EXPECT_TRUE(l.windowVisible);
    EXPECT_DOUBLE_EQ(l.windowX0, 200);
    EXPECT_DOUBLE_EQ(l.windowX1, 250);
    EXPECT_TRUE(l.bars[0].converted);
    EXPECT_EQ(plot::RecordingAt(l, 150, 0), 0);
    EXPECT_EQ(plot::RecordingAt(l, 150, 1), 1);
    EXPECT_EQ(plot::RecordingAt(l, 250, 0), -1);  // the first bar ends at 200
    EXPECT_FALSE(plot::LayOutTimeline(r, 86400, 2 * 86400, 2400, 0, 1800).windowVisible);

    const plot::TimeSpan days = plot::CoveredDays(r, 0);
    EXPECT_DOUBLE_EQ(days.t0, 86400);
    EXPECT_DOUBLE_EQ(days.t1, 2 * 86400);
    const std::vector<plot::TimelineRecording> overMidnight = {{86400 - 600, 1200, false}};
    EXPECT_DOUBLE_EQ(plot::CoveredDays(overMidnight, 0).t0, 0);
    EXPECT_DOUBLE_EQ(plot::CoveredDays(overMidnight, 0).t1, 2 * 86400);
    EXPECT_DOUBLE_EQ(plot::CoveredDays({}, 86400 * 3 + 500).t0, 86400 * 3);
}

}  // namespace
