#include "app/plot/sample_envelope.h"

#include <algorithm>
#include <cmath>

namespace plot {

std::vector<ColumnRange> ColumnEnvelope(std::span<const std::int16_t> samples, double rate,
                                        double t0, double t1, int columns) {
    std::vector<ColumnRange> out(static_cast<std::size_t>(std::max(columns, 0)));
    if (columns <= 0 || !(rate > 0) || !(t1 > t0) || samples.empty()) return out;
    const double n = static_cast<double>(samples.size());
    // Only the samples inside the span are visited: the cost follows what is
    // shown, not the length of the recording.
    const double firstIndex = std::clamp(std::ceil(t0 * rate), 0.0, n);
    const double endIndex = std::clamp(std::ceil(t1 * rate), 0.0, n);
    const double columnsPerSecond = columns / (t1 - t0);
    for (auto i = static_cast<std::int64_t>(firstIndex); i < static_cast<std::int64_t>(endIndex);
         ++i) {
        const double t = static_cast<double>(i) / rate;
        const auto c = static_cast<std::int64_t>(std::floor((t - t0) * columnsPerSecond));
        if (c < 0 || c >= columns) continue;  // a rounding step at either end of the span
        ColumnRange& r = out[static_cast<std::size_t>(c)];
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
    return out;
}

}  // namespace plot
