// The one calendar type of the program: a date and a time of day to the whole
// second on the recorder's clock (no zone), and the one Gregorian leap-year
// rule every date computation uses.
#pragma once

#include <cstdint>

namespace platform {

// A window start, a trace's start, a clock reading of an epoch. Out-of-range
// values are kept as they are; whoever needs a valid date checks it.
struct CalendarFields {
    std::int32_t year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// Gregorian; 64-bit, as the epoch arithmetic carries months into far years.
bool IsLeapYear(long long year);
// Days of month 1..12 of year; 0 for any other month.
int DaysInMonth(int year, int month);

}  // namespace platform
