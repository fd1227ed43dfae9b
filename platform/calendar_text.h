// The start and duration texts of a time window, as kelvaron.ini, the dialog's
// fields and the batch command's options hold them. Pure functions.
#pragma once

#include <string>
#include <string_view>

#include "platform/calendar_fields.h"

namespace platform {

inline constexpr const char* kDefaultStartText = "00:00:00 01/01/2000";
inline constexpr const char* kDefaultDurationText = "00:30:00";
// Replaces a duration of any length but the two known ones.
inline constexpr const char* kFallbackDurationText = "001 00:00:00";

// "%02d:%02d:%02d %02d/%02d/%04d"; a value wider than its field widens the text.
std::string FormatStartText(const CalendarFields& fields);

// Reads hour, minute, second, day, month and year in that order; between the
// fields a run of blanks, ',' or ':' (and '/' after the day and the month).
// Fields the scan cannot reach keep the values they had. Returns how many
// fields were read (0..6).
int ScanStartText(std::string_view text, CalendarFields& fields);

// Hour 23, minute and second 59 at most, month 1..12, day no more than the
// month's length. Lower bounds are not checked except the month's: a day of
// 0 passes.
bool IsValidStart(const CalendarFields& fields);

// A duration as kelvaron.ini or an option may hold it: "hh:mm:ss" gets "000 "
// in front; anything but "DDD hh:mm:ss" long then becomes "001 00:00:00".
std::string RepairDurationText(std::string text);

}  // namespace platform
