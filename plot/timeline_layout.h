// The station's coverage as bars on a time axis: one bar per recording over
// the time its samples cover, overlapping recordings on lanes of their own,
// the gaps between recordings, and the operator's time window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "plot/converted_channels.h"

namespace plot {

struct TimelineRecording {
    double start = 0;  // epoch seconds
    std::int32_t dataSeconds = 0;
    // Seconds of samples in the data block, -1 when unknown (DATA_SEC stands);
    // a header and a block that disagree by a record or more are flagged.
    double samplesSeconds = -1;
    std::int32_t recordSeconds = 0;
    Conversion conversion = Conversion::None;
};

// DATA_SEC and the samples of the block differ by a record or more.
bool LengthsDisagree(const TimelineRecording& recording);

struct TimelineBar {
    std::size_t recording = 0;  // index into the input
    double x0 = 0, x1 = 0;      // pixels, clipped to the view
    // Whole pixel columns [fill0, fill1) to paint: the column where a bar
    // begins stays empty, so that neighbouring bars keep a separator at any
    // zoom; empty when the bar lies outside the view.
    int fill0 = 0, fill1 = 0;
    bool visible = false;         // meets the view
    int lane = 0;                 // 0 unless it overlaps an earlier recording
    bool overlaps = false;        // shares time with another recording
    bool lengthMismatch = false;  // DATA_SEC and the samples disagree
    Conversion conversion = Conversion::None;
};

struct TimelineGap {
    double start = 0, end = 0;  // epoch seconds no recording covers
    double x0 = 0, x1 = 0;
};

struct TimelineLayout {
    std::vector<TimelineBar> bars;  // in the order of the input
    // Inside the view, in time order; only between recordings: the time
    // before the first and after the last is no gap.
    std::vector<TimelineGap> gaps;
    int lanes = 1;
    bool windowVisible = false;  // the time window meets the view
    double windowX0 = 0, windowX1 = 0;
};

// Lays the recordings out over [t0, t1) drawn `width` pixels wide. Bars of
// recordings outside the view are not visible (they stay in the list, so
// indices still map to recordings). A recording of 0 seconds counts as a
// moment: it has a bar but covers no time.
TimelineLayout LayOutTimeline(std::span<const TimelineRecording> recordings, double t0, double t1,
                              double width, double windowStart, double windowLength);

// [midnight before the earliest start, midnight after the latest end): the
// days the recordings cover; one day from `fallback`'s midnight without any.
struct TimeSpan {
    double t0 = 0, t1 = 0;
};
TimeSpan CoveredDays(std::span<const TimelineRecording> recordings, double fallback);

// The recording whose visible bar holds pixel (x, lane), or -1.
int RecordingAt(const TimelineLayout& layout, double x, int lane);

// The lanes a timeline of bounded height shows: at most maxShown of them
// from `first` on, `first` kept where every shown lane exists.
struct LaneWindow {
    int first = 0;
    int count = 1;
};
LaneWindow ShownLanes(int lanes, int maxShown, int first);

// Where a legend's entries of these widths go, left to right in rows no
// wider than `width`, `gap` apart: an entry that would cross the edge starts
// the next row (one wider than a row has a row of its own), so that no entry
// is cut off however narrow the view.
struct LegendPlace {
    int x = 0;
    int row = 0;
};
std::vector<LegendPlace> WrapLegend(const std::vector<int>& widths, int width, int gap);

}  // namespace plot
