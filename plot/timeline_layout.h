// The station's coverage as bars on a time axis: one bar per recording over
// [start, start + DATA_SEC), overlapping recordings on lanes of their own,
// the gaps between them, and the operator's time window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace plot {

struct TimelineRecording {
    double start = 0;  // epoch seconds
    std::int32_t dataSeconds = 0;
    bool converted = false;
};

struct TimelineBar {
    std::size_t recording = 0;  // index into the input
    double x0 = 0, x1 = 0;      // pixels; at least one pixel wide
    int lane = 0;               // 0 unless it overlaps an earlier recording
    bool overlaps = false;      // shares time with another recording
    bool converted = false;
};

struct TimelineGap {
    double start = 0, end = 0;  // epoch seconds no recording covers
    double x0 = 0, x1 = 0;
};

struct TimelineLayout {
    std::vector<TimelineBar> bars;  // in the order of the input
    std::vector<TimelineGap> gaps;  // inside the view, in time order
    int lanes = 1;
    bool windowVisible = false;  // the time window meets the view
    double windowX0 = 0, windowX1 = 0;
};

// Lays the recordings out over [t0, t1) drawn `width` pixels wide. Bars of
// recordings outside the view are clipped to it (they stay in the list, so a
// click still maps to its recording). A recording of 0 seconds counts as a
// moment: it has a bar but covers no time.
TimelineLayout LayOutTimeline(std::span<const TimelineRecording> recordings, double t0, double t1,
                              double width, double windowStart, double windowLength);

// [midnight before the earliest start, midnight after the latest end): the
// days the recordings cover; one day from `fallback`'s midnight without any.
struct TimeSpan {
    double t0 = 0, t1 = 0;
};
TimeSpan CoveredDays(std::span<const TimelineRecording> recordings, double fallback);

// The recording whose bar holds pixel (x, lane), or -1.
int RecordingAt(const TimelineLayout& layout, double x, int lane);

}  // namespace plot
