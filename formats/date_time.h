// Calendar fields <-> epoch seconds on the recorder's own clock (no zones).
#pragma once

#include <cstdint>

#include "platform/calendar_fields.h"

double EpochFromCalendar(std::int32_t year, std::int32_t month, std::int32_t day, std::int32_t hour,
                         std::int32_t minute, float seconds);
// Returns 1, or 0 when the day of the year cannot be placed in a month.
int CalendarFromEpoch(double t, std::int32_t& year, std::int32_t& month, std::int32_t& day,
                      std::int32_t& hour, std::int32_t& minute, float& seconds);
// The same for the program's calendar type, whose seconds are whole: they
// are cut toward zero from the float above, as trace names and headers show
// them. On 0 only the time of day is written.
int CalendarFromEpoch(double t, platform::CalendarFields& fields);
double EpochFromCalendar(const platform::CalendarFields& fields);
int IsLeapYear(std::int32_t year);
int MonthDayFromYearDay(std::int32_t dayOfYear, std::int32_t year, std::int32_t& month,
                        std::int32_t& day);
