#include "formats/date_time.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/calendar_text.h"

namespace {

// Days before each month of a common year; index 0 (month 0) counts as January.
constexpr std::int32_t kDaysBeforeMonth[13] = {0,   0,   31,  59,  90,  120, 151,
                                               181, 212, 243, 273, 304, 334};

// 0001-01-01 00:00:00 to 1970-01-01 00:00:00 (719162 days).
constexpr double kEpochOffset = 62135596800.0;

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kDaysPer400Years = 146097;
constexpr std::int64_t kDaysPer100Years = 36524;
constexpr std::int64_t kDaysPer4Years = 1461;
constexpr std::int64_t kDaysPerYear = 365;

// Floor division, for carrying months outside 1..12 into whole years.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

// 64-bit: a year carried from an out-of-range month may leave 32 bits.
bool IsLeap(std::int64_t year) { return platform::IsLeapYear(year); }

}  // namespace

int IsLeapYear(std::int32_t year) { return IsLeap(year) ? 1 : 0; }

double EpochFromCalendar(std::int32_t year, std::int32_t month, std::int32_t day, std::int32_t hour,
                         std::int32_t minute, float seconds) {
    // 64-bit so that no argument can overflow; the divisions still truncate
    // toward zero, which is what makes years before 1969 count leap days
    // differently from the Gregorian calendar.
    std::int64_t y = year;
    std::int64_t m = month;
    if (m < 0 || m > 12) {
        // Month 13 is January of the next year, month -1 November of the one
        // before: the table is never read outside its 13 entries.
        y += FloorDiv(m - 1, 12);
        m = m - 1 - 12 * FloorDiv(m - 1, 12) + 1;
    }
    std::int64_t dayOfYear = kDaysBeforeMonth[m] + static_cast<std::int64_t>(day);
    if (m > 2 && IsLeap(y)) ++dayOfYear;

    const std::int64_t days =
        365 * (y - 1970) + (y - 1969) / 4 - (y - 1901) / 100 + (y - 1601) / 400 + dayOfYear - 1;
    return static_cast<double>(days) * 86400.0 + static_cast<double>(hour) * 3600.0 +
           static_cast<double>(minute) * 60.0 + static_cast<double>(seconds);
}

int MonthDayFromYearDay(std::int32_t dayOfYear, std::int32_t year, std::int32_t& month,
                        std::int32_t& day) {
    if (dayOfYear < 1) {
        month = 0;
        day = 0;
        return 0;
    }
    std::int32_t remaining = dayOfYear;
    for (std::int32_t m = 1; m <= 12; ++m) {
        const std::int32_t length = platform::DaysInMonth(year, m);
        if (remaining <= length) {
            month = m;
            day = remaining;
            return 1;
        }
        remaining -= length;
    }
    month = 0;
    day = 0;
    return 0;
}

int CalendarFromEpoch(double t, std::int32_t& year, std::int32_t& month, std::int32_t& day,
                      std::int32_t& hour, std::int32_t& minute, float& seconds) {
    // The offset is added first: a fraction finer than the double's resolution
    // at this magnitude (about 8 microseconds) is rounded away here, so
    // 59.9999999999 s comes out as a whole minute.
    const double T = t + kEpochOffset;
    if (!std::isfinite(T)) {
        hour = 0;
        minute = 0;
        seconds = 0.0f;
        return 0;
    }
    double wholeT = 0;
    const double fraction = std::modf(T, &wholeT);  // sign of T

    // The time of day is exact in double for any magnitude (fmod is exact).
    const double secondOfDay = std::fmod(wholeT, 86400.0);
    const double h = std::trunc(secondOfDay / 3600.0);
    const double rest = secondOfDay - 3600.0 * h;
    const double mi = std::trunc(rest / 60.0);
    hour = static_cast<std::int32_t>(h);
    minute = static_cast<std::int32_t>(mi);
    seconds = static_cast<float>((rest - 60.0 * mi) + fraction);

    // Beyond 2^62 seconds no year fits in 32 bits anyway.
    if (std::fabs(wholeT) >= 4.6e18) return 0;
    const std::int64_t days = static_cast<std::int64_t>(wholeT) / kSecondsPerDay;

    // Gregorian cycles; day 0 is 0001-01-01.
    const std::int64_t k400 = days / kDaysPer400Years;
    std::int64_t d = days - kDaysPer400Years * k400;
    const std::int64_t k100 = d == kDaysPer400Years - 1 ? 3 : d / kDaysPer100Years;
    d -= kDaysPer100Years * k100;
    const std::int64_t k4 = d / kDaysPer4Years;
    d -= kDaysPer4Years * k4;
    std::int64_t k1 = d / kDaysPerYear;
    if (k1 == 4) k1 = 3;  // the last day of a leap year
    const std::int64_t y = 400 * k400 + 100 * k100 + 4 * k4 + k1 + 1;
    const std::int64_t dayOfYear = d - kDaysPerYear * k1 + 1;
    if (y < std::numeric_limits<std::int32_t>::min() ||
        y > std::numeric_limits<std::int32_t>::max())
        return 0;

    std::int32_t m = 0;
    std::int32_t dd = 0;
    if (!MonthDayFromYearDay(static_cast<std::int32_t>(dayOfYear), static_cast<std::int32_t>(y), m,
                             dd))
        return 0;
    year = static_cast<std::int32_t>(y);
    month = m;
    day = dd;
    return 1;
}

int CalendarFromEpoch(double t, platform::CalendarFields& fields) {
    float seconds = 0;
    const int placed = CalendarFromEpoch(t, fields.year, fields.month, fields.day, fields.hour,
                                         fields.minute, seconds);
    fields.second = static_cast<std::int32_t>(std::trunc(seconds));
    return placed;
}

double EpochFromCalendar(const platform::CalendarFields& fields) {
    return EpochFromCalendar(fields.year, fields.month, fields.day, fields.hour, fields.minute,
                             static_cast<float>(fields.second));
}
