#include "plot/timeline_layout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace plot {

namespace {

constexpr double kDay = 86400;

// Where the recording's samples end: the block's own length when it is known.
double EndOf(const TimelineRecording& r) {
    const double length = r.samplesSeconds >= 0 ? r.samplesSeconds : std::max(r.dataSeconds, 0);
    return r.start + length;
}

}  // namespace

bool LengthsDisagree(const TimelineRecording& r) {
    if (r.samplesSeconds < 0) return false;
    // The block holds whole records: DATA_SEC may fall short of the last one.
    const double grain = std::max<double>(1, r.recordSeconds);
    return std::abs(r.samplesSeconds - r.dataSeconds) >= grain;
}

TimelineLayout LayOutTimeline(std::span<const TimelineRecording> recordings, double t0, double t1,
                              double width, double windowStart, double windowLength) {
    TimelineLayout layout;
    if (!(t1 > t0) || !(width > 0)) return layout;
    const double perSecond = width / (t1 - t0);
    const auto toX = [&](double t) { return std::clamp((t - t0) * perSecond, 0.0, width); };
    const int columns = static_cast<int>(std::lround(width));

    std::vector<std::size_t> order(recordings.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return recordings[a].start < recordings[b].start;
    });

    layout.bars.resize(recordings.size());
    std::vector<double> laneEnds;  // end of the last recording on each lane
    double coveredUntil = 0;       // for the gaps: end of the union so far
    double latestEnd = -HUGE_VAL;  // for the overlaps
    std::size_t latest = 0;
    bool any = false, covering = false;
    for (std::size_t i : order) {
        const TimelineRecording& r = recordings[i];
        const double end = EndOf(r);
        TimelineBar& bar = layout.bars[i];
        bar.recording = i;
        bar.conversion = r.conversion;
        bar.lengthMismatch = LengthsDisagree(r);
        // A moment is drawn a pixel wide at its time.
        bar.visible = r.start < t1 && (end > t0 || (end <= r.start && r.start >= t0));
        if (bar.visible) {
            bar.x0 = toX(r.start);
            bar.x1 = std::max(toX(end), std::min(bar.x0 + 1, width));
            const int c0 = static_cast<int>(std::lround(bar.x0));
            const int c1 = std::min(columns, static_cast<int>(std::lround(bar.x1)));
            // The separator only where the bar begins inside the view.
            bar.fill0 = std::min(r.start >= t0 && c1 - c0 >= 2 ? c0 + 1 : c0, columns - 1);
            bar.fill1 = std::max(c1, bar.fill0 + 1);
        }
        // First lane that is free at this start: half-open spans that only
        // touch share a lane.
        std::size_t lane = 0;
        while (lane < laneEnds.size() && laneEnds[lane] > r.start) ++lane;
        if (lane == laneEnds.size()) laneEnds.push_back(end);
        laneEnds[lane] = end;
        bar.lane = static_cast<int>(lane);
        if (any && latestEnd > r.start && end > r.start) {
            bar.overlaps = true;
            layout.bars[latest].overlaps = true;
        }
        if (end > latestEnd) {
            latestEnd = end;
            latest = i;
        }
        any = true;
        if (end <= r.start) continue;  // a moment: it covers no time
        if (covering && r.start > coveredUntil) {
            const double a = std::max(coveredUntil, t0), b = std::min(r.start, t1);
            if (b > a) layout.gaps.push_back({a, b, toX(a), toX(b)});
        }
        coveredUntil = covering ? std::max(coveredUntil, end) : end;
        covering = true;
    }
    layout.lanes = std::max<int>(1, static_cast<int>(laneEnds.size()));

    const double windowEnd = windowStart + windowLength;
    layout.windowVisible = windowLength > 0 && windowStart < t1 && windowEnd > t0;
    if (layout.windowVisible) {
        layout.windowX0 = toX(windowStart);
        layout.windowX1 = toX(windowEnd);
    }
    return layout;
}

TimeSpan CoveredDays(std::span<const TimelineRecording> recordings, double fallback) {
    if (recordings.empty()) {
        const double day = std::floor(fallback / kDay) * kDay;
        return {day, day + kDay};
    }
    double first = HUGE_VAL, last = -HUGE_VAL;
    for (const TimelineRecording& r : recordings) {
        first = std::min(first, r.start);
        last = std::max(last, EndOf(r));
    }
    const double t0 = std::floor(first / kDay) * kDay;
    const double t1 = std::max(std::ceil(last / kDay) * kDay, t0 + kDay);
    return {t0, t1};
}

int RecordingAt(const TimelineLayout& layout, double x, int lane) {
    for (const TimelineBar& bar : layout.bars)
        if (bar.visible && bar.lane == lane && x >= bar.x0 && x < bar.x1)
            return static_cast<int>(bar.recording);
    return -1;
}

LaneWindow ShownLanes(int lanes, int maxShown, int first) {
    const int count = std::clamp(lanes, 1, std::max(1, maxShown));
    return {std::clamp(first, 0, std::max(1, lanes) - count), count};
}

std::vector<LegendPlace> WrapLegend(const std::vector<int>& widths, int width, int gap) {
    std::vector<LegendPlace> places;
    places.reserve(widths.size());
    int x = 0, row = 0;
    for (const int w : widths) {
        if (x > 0 && x + w > width) {
            x = 0;
            ++row;
        }
        places.push_back({x, row});
        x += w + gap;
    }
    return places;
}

}  // namespace plot
