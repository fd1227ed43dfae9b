// Time-window texts of the batch command beyond the dialog's own fields:
// ISO 8601 date and time, durations with a unit, offsets from now. Pure
// functions over text; every time is on the recorder's clock (calendar fields
// with no zone), and a text is taken only when it matches its form in full.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/calendar_text.h"

namespace engine {

// "YYYY-MM-DDThh:mm:ss", "YYYY-MM-DD hh:mm:ss", either without ":ss", or
// "YYYY-MM-DD" (midnight). Four-digit year, two digits in every other field.
// The fields are not range-checked.
std::optional<platform::CalendarFields> ParseIsoDateTime(std::string_view text);

// Whole seconds: "90" (plain seconds), or a number with one unit: "45s",
// "30m", "2h", "1d"; at most twelve digits.
std::optional<std::int64_t> ParseLengthSeconds(std::string_view text);

// An offset from now in seconds: "now" is 0, "-" followed by a duration is
// that many seconds back.
std::optional<std::int64_t> ParseOffsetFromNow(std::string_view text);

// The time `seconds` after `t` (before it when negative), by epoch seconds,
// so that days, months and leap years carry.
platform::CalendarFields ShiftedBy(const platform::CalendarFields& t, std::int64_t seconds);

// Whole seconds from `from` to `to` (negative when `to` is earlier).
std::int64_t SecondsBetween(const platform::CalendarFields& from,
                            const platform::CalendarFields& to);

// "DDD hh:mm:ss", the duration field's form; nullopt for a negative length
// or one of more than 999 days.
std::optional<std::string> DurationFieldText(std::int64_t seconds);

}  // namespace engine
