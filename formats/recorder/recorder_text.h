// The small texts of recorder headers and of the run's settings, parsed from
// strings alone: dates, times of day, number lists, durations, big numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Epoch seconds of midnight of a recorder date "DD?MM?YYYY" (any separator);
// a field that cannot be read counts as 0.
double ParseRecorderDate(std::string_view text);
// Seconds since midnight of a recorder time "hh?mm?ss.fff"; a field that
// cannot be read counts as 0.
double ParseRecorderTime(std::string_view text);

// Whether a recorder date or time of day can be a recorder's clock reading:
// every field read as a number, none negative, month 1..12, day at most 31,
// year 1900..2100; hours at most 23, minutes at most 59, seconds finite and
// below 60. Within these bounds the parsers' arithmetic holds as it always
// has (day 0 or 31.02 carry into the neighbouring month): archives hold
// traces named that way, and a re-conversion must find the same path.
bool IsPossibleRecorderDate(std::string_view text);
bool IsPossibleRecorderTime(std::string_view text);

// Whether a station or channel name holds a control character (below 0x20,
// 0x7F) or, in UTF-8, a bidirectional override or isolate (U+202A..U+202E,
// U+2066..U+2069): such a name would make directory and file names that read
// other than they are.
bool HasDeceptiveCharacters(std::string_view name);

// Reads one item of a comma-separated number list starting at pos, which must
// be inside the text, and leaves pos behind the item's comma (or at the end).
// Non-digits inside an item are skipped; no digits read as 0; digits beyond
// the 31st are dropped and the value saturates at the largest 32-bit number.
std::int32_t NextListNumber(std::string_view text, std::size_t& pos);

namespace engine {

// 2 to the power exponent as a 32-bit factor: 0 below 0, saturated from 31 on.
std::int32_t GainFactorFromExponent(std::int32_t exponent);

// Window length in seconds from a duration text "DDD hh?mm?ss"; fields that
// cannot be read count as 0.
double ParseDurationSeconds(std::string_view text);

// C atoi over 64 bits: blanks, sign, digits; saturates instead of overflowing.
std::int64_t AtoiLike64(std::string_view text);

// Whether the recording [fileStart, fileStart + fileLength) overlaps the
// window [windowStart, windowStart + windowLength).
bool Overlaps(double windowStart, double windowLength, double fileStart, double fileLength);

}  // namespace engine
