#include "plot/axis_ticks.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "formats/date_time.h"

namespace plot {

namespace {

using Clock = platform::CalendarFields;

// The date stays zero where the conversion cannot place one.
Clock ClockOf(double t) {
    Clock c{0, 0, 0, 0, 0, 0};
    CalendarFromEpoch(t, c);
    return c;
}

constexpr std::array<double, 19> kTimeSteps = {
    0.1, 0.2, 0.5, 1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200, 10800, 21600};

}  // namespace

namespace {

// Rounded once to `decimals` digits, so that 59.96 s reads as the next
// minute rather than as second 60; the fraction comes back as digits.
struct RoundedTime {
    Clock clock;
    long long fraction = 0;
};

RoundedTime Round(double t, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double ticks = std::round(t * scale);
    const double whole = std::floor(ticks / scale);
    RoundedTime r;
    r.clock = ClockOf(whole);
    r.fraction = static_cast<long long>(ticks - whole * scale);
    return r;
}

std::string WithFraction(std::string text, const RoundedTime& r, int decimals) {
    if (decimals <= 0) return text;
    char digits[16];
    std::snprintf(digits, sizeof digits, ".%0*lld", decimals, r.fraction);
    return text + digits;
}

}  // namespace

std::string ClockText(double t, int decimals) {
    const RoundedTime r = Round(t, decimals);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", r.clock.hour, r.clock.minute,
                  r.clock.second);
    return WithFraction(text, r, decimals);
}

std::string DateText(double t) {
    const Clock c = ClockOf(std::floor(t));
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", c.day, c.month, c.year);
    return text;
}

std::string DateTimeText(double t, int decimals) {
    // The date of the rounded time, so that 23:59:59.96 reads as the next day's 00:00:00.
    const double rounded = std::round(t * std::pow(10.0, decimals)) / std::pow(10.0, decimals);
    return ClockText(t, decimals) + " " + DateText(rounded);
}

std::vector<Tick> TimeTicks(double t0, double t1, double pixels, double minSpacing,
                            TimeLabels labels) {
    std::vector<Tick> ticks;
    if (!(t1 > t0) || !(pixels > 0)) return ticks;
    const double perPixel = (t1 - t0) / pixels;
    double step = 86400;
    for (double s : kTimeSteps) {
        if (s / perPixel >= minSpacing) {
            step = s;
            break;
        }
    }
    // Epoch seconds count from a midnight, so multiples of a step that divides
    // a day fall on round clock times.
    for (double k = std::ceil(t0 / step - 1e-9); k * step < t1; k += 1) {
        const double t = k * step;
        Tick tick{t, (t - t0) / perPixel, {}};
        if (labels == TimeLabels::Seconds) {
            tick.label = ClockText(t, step < 1 ? 1 : 0);
        } else {
            const Clock c = ClockOf(t + 1e-6);
            char text[32];
            std::snprintf(text, sizeof text, "%02d:%02d", c.hour, c.minute);
            tick.label = c.hour == 0 && c.minute == 0 ? DateText(t + 1e-6) : text;
        }
        ticks.push_back(std::move(tick));
    }
    return ticks;
}

std::vector<Tick> AmplitudeTicks(double lo, double hi, double pixels, double minSpacing) {
    std::vector<Tick> ticks;
    if (!(hi > lo) || !(pixels > 0)) return ticks;
    const double perPixel = (hi - lo) / pixels;
    const double rough = minSpacing * perPixel;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10 * power;
    for (double m : {1.0, 2.0, 5.0}) {
        if (m * power >= rough) {
            step = m * power;
            break;
        }
    }
    for (double k = std::ceil(lo / step - 1e-9); k * step <= hi + 1e-9 * step; k += 1) {
        const double v = k * step;
        char text[32];
        std::snprintf(text, sizeof text, "%.10g", v == 0 ? 0.0 : v);
        ticks.push_back({v, (v - lo) / perPixel, text});
    }
    return ticks;
}

}  // namespace plot
