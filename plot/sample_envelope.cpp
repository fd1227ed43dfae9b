#include "plot/sample_envelope.h"

#include <algorithm>
#include <cmath>

namespace plot {

namespace {

// The first index i >= from with i / rate >= t: rounding of t * rate is
// corrected against the exact comparison, so that neighbouring columns
// neither share nor drop a sample.
std::int64_t FirstAtOrAfter(double t, double rate, std::int64_t n) {
    auto i =
        static_cast<std::int64_t>(std::clamp(std::ceil(t * rate), 0.0, static_cast<double>(n)));
    while (i > 0 && static_cast<double>(i - 1) / rate >= t) --i;
    while (i < n && static_cast<double>(i) / rate < t) ++i;
    return i;
}

}  // namespace

std::vector<ColumnRange> ColumnEnvelope(std::span<const std::int16_t> samples, double rate,
                                        double t0, double t1, int columns) {
    std::vector<ColumnRange> out(static_cast<std::size_t>(std::max(columns, 0)));
    if (columns <= 0 || !(rate > 0) || !(t1 > t0) || samples.empty()) return out;
    const auto n = static_cast<std::int64_t>(samples.size());
    const double w = (t1 - t0) / columns;
    // Only the samples inside the span are visited: the cost follows what is
    // shown, not the length of the recording.
    std::int64_t i = FirstAtOrAfter(t0, rate, n);
    for (int c = 0; c < columns && i < n; ++c) {
        const std::int64_t end = c + 1 == columns ? FirstAtOrAfter(t1, rate, n)
                                                  : FirstAtOrAfter(t0 + (c + 1) * w, rate, n);
        ColumnRange& r = out[static_cast<std::size_t>(c)];
        for (; i < end; ++i) {
            const std::int16_t v = samples[static_cast<std::size_t>(i)];
            if (r.count == 0) {
                r.min = r.max = r.first = v;
            } else {
                r.min = std::min(r.min, v);
                r.max = std::max(r.max, v);
            }
            r.last = v;
            ++r.count;
        }
    }
    return out;
}

}  // namespace plot
