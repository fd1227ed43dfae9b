// Where a plot's axes get their marks: time marks on the recorder's clock
// (epoch seconds, no zones) and amplitude marks in counts.
#pragma once

#include <string>
#include <vector>

namespace plot {

struct Tick {
    double value = 0;   // epoch seconds or counts
    double x = 0;       // pixel position along the axis
    std::string label;  // "" for a mark without a label
};

enum class TimeLabels {
    HoursMinutes,  // "hh:mm", and "DD/MM/YYYY" at midnight
    Seconds,       // "hh:mm:ss", with tenths when the step is below a second
};

// Marks on [t0, t1) drawn over `pixels` pixels, at the smallest round step
// (0.1 s ... 1 day) that keeps them at least minSpacing pixels apart.
std::vector<Tick> TimeTicks(double t0, double t1, double pixels, double minSpacing,
                            TimeLabels labels);

// Marks at 1, 2 or 5 times a power of ten over [lo, hi], at least minSpacing
// pixels apart over `pixels` pixels; x runs from lo (0) to hi (pixels).
std::vector<Tick> AmplitudeTicks(double lo, double hi, double pixels, double minSpacing);

// "hh:mm:ss" of epoch seconds, rounded to `decimals` digits of a second
// (0: whole seconds, no point).
std::string ClockText(double t, int decimals = 0);
// "DD/MM/YYYY", the date as the dialog's start field writes it.
std::string DateText(double t);
// "hh:mm:ss DD/MM/YYYY", the dialog's form, with the seconds rounded as above.
std::string DateTimeText(double t, int decimals = 0);

}  // namespace plot
