#include "plot/timeline_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Want {
    double x0, x1;
    int lane;
    bool overlaps;
    bool visible = true;
    bool mismatch = false;
};

plot::TimelineRecording R(double start, int dataSeconds, double samplesSeconds = -1) {
    return {start, dataSeconds, samplesSeconds, 10, plot::Conversion::None};
}

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
        {"no recordings: no gap either", {}, {}, {}, 1},
        {"back to back recordings share a lane and leave no gap",
         {R(0, 400), R(400, 600)},
         {{0, 400, 0, false}, {400, 1000, 0, false}},
         {},
         1},
        {"a gap between two recordings; before the first and after the last is none",
         {R(100, 200), R(500, 300)},
         {{100, 300, 0, false}, {500, 800, 0, false}},
         {{300, 500}},
         1},
        {"an overlapping recording goes to the next lane, both marked",
         {R(0, 600), R(550, 100), R(700, 100)},
         {{0, 600, 0, true}, {550, 650, 1, true}, {700, 800, 0, false}},
         {{650, 700}},
         2},
        {"a recording inside a long one overlaps it, not the one after",
         {R(0, 900), R(200, 100), R(900, 100)},
         {{0, 900, 0, true}, {200, 300, 1, true}, {900, 1000, 0, false}},
         {},
         2},
        {"input order is kept, layout follows time",
         {R(500, 500), R(0, 500)},
         {{500, 1000, 0, false}, {0, 500, 0, false}},
         {},
         1},
        {"bars are clipped to the view; a zero-length one is a pixel wide",
         {R(-300, 400), R(950, 200), R(600, 0)},
         {{0, 100, 0, false}, {950, 1000, 0, false}, {600, 601, 0, false}},
         {{100, 950}},
         1},
        {"bars wholly outside the view are not shown; the gap between them is",
         {R(-900, 100), R(1200, 100), R(-300, 100)},
         {{0, 0, 0, false, false}, {0, 0, 0, false, false}, {0, 0, 0, false, false}},
         {{0, 1000}},
         1},
        {"the samples' length counts, not a DATA_SEC that disagrees with it",
         {R(0, 300, 600), R(600, 200), R(800, 200, 100), R(960, 40, 35)},
         {{0, 600, 0, false, true, true},
          {600, 800, 0, false},
          {800, 900, 0, false, true, true},
          {960, 995, 0, false, true, false}},
         {{900, 960}},
         1},
    };
    for (const TimelineCase& c : cases) {
        SCOPED_TRACE(c.what);
        const plot::TimelineLayout l = plot::LayOutTimeline(c.recordings, 0, 1000, 1000, 0, 0);
        ASSERT_EQ(l.bars.size(), c.bars.size());
        for (std::size_t i = 0; i < c.bars.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(l.bars[i].recording, i);
            EXPECT_EQ(l.bars[i].visible, c.bars[i].visible);
            if (!c.bars[i].visible) continue;
            EXPECT_DOUBLE_EQ(l.bars[i].x0, c.bars[i].x0);
            EXPECT_DOUBLE_EQ(l.bars[i].x1, c.bars[i].x1);
            EXPECT_EQ(l.bars[i].lane, c.bars[i].lane);
            EXPECT_EQ(l.bars[i].overlaps, c.bars[i].overlaps);
            EXPECT_EQ(l.bars[i].lengthMismatch, c.bars[i].mismatch);
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
    const std::vector<plot::TimelineRecording> r = {
        {86400 + 3600, 3600, -1, 0, plot::Conversion::Whole},
        {86400 + 5000, 600, -1, 0, plot::Conversion::None}};
    // A day drawn 2400 pixels wide: 100 pixels an hour.
    const plot::TimelineLayout l =
        plot::LayOutTimeline(r, 86400, 2 * 86400, 2400, 86400 + 7200, 1800);
    EXPECT_TRUE(l.windowVisible);
    EXPECT_DOUBLE_EQ(l.windowX0, 200);
    EXPECT_DOUBLE_EQ(l.windowX1, 250);
    EXPECT_EQ(l.bars[0].conversion, plot::Conversion::Whole);
    EXPECT_EQ(plot::RecordingAt(l, 150, 0), 0);
    EXPECT_EQ(plot::RecordingAt(l, 150, 1), 1);
    EXPECT_EQ(plot::RecordingAt(l, 250, 0), -1);  // the first bar ends at 200
    EXPECT_FALSE(plot::LayOutTimeline(r, 86400, 2 * 86400, 2400, 0, 1800).windowVisible);

    const plot::TimeSpan days = plot::CoveredDays(r, 0);
    EXPECT_DOUBLE_EQ(days.t0, 86400);
    EXPECT_DOUBLE_EQ(days.t1, 2 * 86400);
    const std::vector<plot::TimelineRecording> overMidnight = {R(86400 - 600, 1200)};
    EXPECT_DOUBLE_EQ(plot::CoveredDays(overMidnight, 0).t0, 0);
    EXPECT_DOUBLE_EQ(plot::CoveredDays(overMidnight, 0).t1, 2 * 86400);
    EXPECT_DOUBLE_EQ(plot::CoveredDays({}, 86400 * 3 + 500).t0, 86400 * 3);
}

// Hourly recordings back to back: at any width and any part of the day in
// view, every boundary between two bars keeps a column that neither fills,
// and no bar fills a column outside the view.
TEST(LayOutTimeline, EveryBoundaryKeepsItsSeparatorAtEveryZoom) {
    std::vector<plot::TimelineRecording> hours;
    for (int h = 23; h >= 0; --h) hours.push_back(R(h * 3600.0, 3600));  // any input order
    const struct {
        double t0, t1;
    } views[] = {{0, 86400}, {5 * 3600 + 123, 9 * 3600 + 17}, {-7200, 90000}};
    for (const auto& v : views) {
        for (double width = 97; width <= 2600; width += 61) {
            SCOPED_TRACE(testing::Message() << "view " << v.t0 << ".." << v.t1 << ", " << width);
            const plot::TimelineLayout l = plot::LayOutTimeline(hours, v.t0, v.t1, width, 0, 0);
            std::vector<const plot::TimelineBar*> shown;
            for (const plot::TimelineBar& b : l.bars) {
                if (!b.visible) continue;
                EXPECT_GE(b.fill0, 0);
                EXPECT_LE(b.fill1, std::lround(width));
                shown.push_back(&b);
            }
            std::sort(shown.begin(), shown.end(), [](auto* a, auto* b) { return a->x0 < b->x0; });
            // A bar cut to a column or two by the view's edge has no room for one.
            for (std::size_t i = 1; i < shown.size(); ++i) {
                if (shown[i]->x1 - shown[i]->x0 >= 2) {
                    EXPECT_LT(shown[i - 1]->fill1, shown[i]->fill0) << "boundary " << i;
                }
            }
            EXPECT_TRUE(l.gaps.empty());
        }
    }
}

// A hundred overlapping recordings an hour need a hundred lanes; the
// timeline shows a bounded number of them and can scroll to every one.
TEST(ShownLanes, BoundedAndEveryLaneReachable) {
    std::vector<plot::TimelineRecording> crowded;
    for (int i = 0; i < 300; ++i) crowded.push_back(R(i * 36.0, 3600));
    const plot::TimelineLayout l = plot::LayOutTimeline(crowded, 0, 86400, 1000, 0, 0);
    EXPECT_EQ(l.lanes, 100);
    const struct {
        int lanes, maxShown, first;
        plot::LaneWindow want;
    } cases[] = {
        {l.lanes, 6, 0, {0, 6}},  {l.lanes, 6, 50, {50, 6}}, {l.lanes, 6, 99, {94, 6}},
        {l.lanes, 6, -3, {0, 6}}, {3, 6, 2, {0, 3}},         {1, 6, 0, {0, 1}},
        {0, 6, 0, {0, 1}},        {7, 6, 1, {1, 6}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lanes << " lanes from " << c.first);
        const plot::LaneWindow w = plot::ShownLanes(c.lanes, c.maxShown, c.first);
        EXPECT_EQ(w.first, c.want.first);
        EXPECT_EQ(w.count, c.want.count);
    }
    for (const plot::TimelineBar& b : l.bars) {
        const plot::LaneWindow w = plot::ShownLanes(l.lanes, 6, b.lane);
        EXPECT_TRUE(b.lane >= w.first && b.lane < w.first + w.count) << b.lane;
    }
}

}  // namespace

TEST(WrapLegend, EveryEntryInsideTheWidthInOrderOnAsFewRowsAsFit) {
    constexpr int kGap = 14;
    const std::vector<int> widths = {40, 110, 170, 210, 90, 70, 120, 170};
    for (const int width : {2000, 1100, 640, 400, 150, 30}) {
        SCOPED_TRACE(width);
        const std::vector<plot::LegendPlace> places = plot::WrapLegend(widths, width, kGap);
        ASSERT_EQ(places.size(), widths.size());
        EXPECT_EQ(places[0].row, 0);
        for (std::size_t i = 0; i < widths.size(); ++i) {
            // Inside the width, unless wider than a row and alone on its own.
            if (places[i].x > 0) {
                EXPECT_LE(places[i].x + widths[i], width) << i;
            }
            if (i == 0) continue;
            const plot::LegendPlace& before = places[i - 1];
            const int after = before.x + widths[i - 1] + kGap;
            if (places[i].row == before.row) {
                EXPECT_EQ(places[i].x, after) << i;
            } else {
                // A new row only when the entry would cross the edge.
                EXPECT_EQ(places[i].row, before.row + 1) << i;
                EXPECT_EQ(places[i].x, 0) << i;
                EXPECT_GT(after + widths[i], width) << i;
            }
        }
    }
}
