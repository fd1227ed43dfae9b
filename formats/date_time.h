// Calendar fields <-> epoch seconds on the recorder's own clock (no zones).
#pragma once

#include <cstdint>

double EpochFromCalendar(std::int32_t year, std::int32_t month, std::int32_t day, std::int32_t hour,
                         std::int32_t minute, float seconds);
// Returns 1, or 0 when the day of the year cannot be placed in a month.
int CalendarFromEpoch(double t, std::int32_t& year, std::int32_t& month, std::int32_t& day,
                      std::int32_t& hour, std::int32_t& minute, float& seconds);
int IsLeapYear(std::int32_t year);
int MonthDayFromYearDay(std::int32_t dayOfYear, std::int32_t year, std::int32_t& month,
                        std::int32_t& day);
