#include "plot/sample_envelope.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

std::vector<std::int16_t> Wave(int n) {
    std::vector<std::int16_t> s(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        s[static_cast<std::size_t>(i)] =
            static_cast<std::int16_t>(std::lround(9000 * std::sin(i * 0.37) + (i % 7) * 300));
    return s;
}

struct EnvelopeCase {
    const char* what;
    int samples;
    double rate;
    double t0, t1;
    int columns;
};

// The oracle walks column by column over every sample: which samples fall in
// [t0 + c w, t0 + (c + 1) w), and their min, max, first and last.
TEST(ColumnEnvelope, EveryColumnHoldsExactlyTheSamplesOfItsTimeSpan) {
    const EnvelopeCase cases[] = {
        {"an hour at 100 samples per second over 800 columns", 360000, 100, 0.005, 3600.005, 800},
        {"zoomed in: fewer samples than columns", 1000, 100, 2.0025, 2.5025, 300},
        {"span starting before the first sample", 500, 50, -3.01, 4.99, 64},
        {"span ending after the last sample", 500, 50, 6.001, 20.001, 64},
        {"one column", 777, 20, 0.01, 38.91, 1},
        {"fractional rate", 4000, 100.0000000001, 1.3333, 31.7777, 97},
        // 0.35 * 100 rounds to 35 although sample 35 lies just before it.
        {"a span edge a hair after a sample", 200, 100, 0.35000000000000003, 1.35, 10},
    };
    for (const EnvelopeCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<std::int16_t> s = Wave(c.samples);
        const std::vector<plot::ColumnRange> got =
            plot::ColumnEnvelope(s, c.rate, c.t0, c.t1, c.columns);
        ASSERT_EQ(got.size(), static_cast<std::size_t>(c.columns));
        const double w = (c.t1 - c.t0) / c.columns;
        std::int64_t total = 0;
        for (int col = 0; col < c.columns; ++col) {
            const double lo = c.t0 + col * w, hi = c.t0 + (col + 1) * w;
            plot::ColumnRange want;
            for (int i = 0; i < c.samples; ++i) {
                const double t = i / c.rate;
                if (t < lo || t >= hi) continue;
                const std::int16_t v = s[static_cast<std::size_t>(i)];
                if (want.count == 0) want.min = want.max = want.first = v;
                want.min = std::min(want.min, v);
                want.max = std::max(want.max, v);
                want.last = v;
                ++want.count;
            }
            const plot::ColumnRange& r = got[static_cast<std::size_t>(col)];
            ASSERT_EQ(r.count, want.count) << "column " << col;
            total += r.count;
            if (!want.count) continue;
            EXPECT_EQ(r.min, want.min) << "column " << col;
            EXPECT_EQ(r.max, want.max) << "column " << col;
            EXPECT_EQ(r.first, want.first) << "column " << col;
            EXPECT_EQ(r.last, want.last) << "column " << col;
        }
        EXPECT_GT(total, 0);
    }
}

TEST(ColumnEnvelope, SpansWithoutSamplesGiveEmptyColumns) {
    const std::vector<std::int16_t> s = Wave(100);
    const struct {
        const char* what;
        double rate, t0, t1;
        int columns;
    } cases[] = {
        {"inverted span", 10, 5, 1, 10},
        {"zero rate", 0, 0, 10, 10},
        {"span after the data", 10, 10, 20, 10},
        {"span before the data", 10, -20, -10, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto got = plot::ColumnEnvelope(s, c.rate, c.t0, c.t1, c.columns);
        ASSERT_EQ(got.size(), static_cast<std::size_t>(c.columns));
        for (const plot::ColumnRange& r : got) EXPECT_EQ(r.count, 0);
    }
    EXPECT_TRUE(plot::ColumnEnvelope(s, 10, 0, 10, 0).empty());
}

}  // namespace
