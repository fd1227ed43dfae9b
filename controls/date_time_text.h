// The start field's text, hh:mm:ss DD/MM/YYYY (display mode 2), as six
// integers and back, and the range check of those integers. Pure functions.
#pragma once

#include <string>

namespace controls {

inline constexpr const char* kMode2Mask = "00:00:00 00/00/0000";
inline constexpr const char* kMode2Literal = "__:__:__ __/__/____";

struct DateTimeFields {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// "%02d:%02d:%02d %02d/%02d/%04d"; a value wider than its field widens the text.
std::string FormatDateTimeMode2(const DateTimeFields& fields);

// Reads hour, minute, second, day, month and year in that order; between the
// fields a run of blanks, ',' or ':' (and '/' after the day and the month).
// Fields the scan cannot reach keep the values they had. Returns how many
// fields were read (0..6).
int ScanDateTimeMode2(const std::string& text, DateTimeFields& fields);

bool IsLeapYear(int year);
// Days of month 1..12 of year; 0 for any other month.
int DaysInMonth(int year, int month);

// Hour 0..23 at most, minute and second 59 at most, month 1..12, day no more
// than the month's length. Lower bounds are not checked except the month's:
// a day of 0 passes.
bool IsValidDateTime(const DateTimeFields& fields);

}  // namespace controls
