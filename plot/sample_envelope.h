// The min/max envelope of a channel per pixel column: what a plot needs to
// draw any number of samples in one pass over the samples it shows.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace plot {

// The samples of one pixel column. A column with count 0 holds no sample
// (zoomed in beyond one sample per column); first and last let the painter
// join a column to the next.
struct ColumnRange {
    std::int16_t min = 0;
    std::int16_t max = 0;
    std::int16_t first = 0;
    std::int16_t last = 0;
    std::int64_t count = 0;
};

// Sample i lies at i / rate seconds from the first sample. Column c of
// `columns` covers [t0 + c * w, t0 + (c + 1) * w) with w = (t1 - t0) / columns.
// Samples outside [t0, t1) are left out; an empty or inverted span, a
// non-positive rate or no columns give all-empty columns.
std::vector<ColumnRange> ColumnEnvelope(std::span<const std::int16_t> samples, double rate,
                                        double t0, double t1, int columns);

}  // namespace plot
