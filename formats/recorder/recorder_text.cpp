#include "formats/recorder/recorder_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "formats/date_time.h"
#include "formats/text_scan.h"

double ParseRecorderDate(std::string_view text) {
    // "%2d%*1c%2d%*1c%4d"
    std::int32_t day = 0, month = 0, year = 0;
    engine::TextScanner scan(text);
    if (scan.Int(2, day) && scan.AnyChar() && scan.Int(2, month) && scan.AnyChar()) {
        scan.Int(4, year);
    }
    return EpochFromCalendar(year, month, day, 0, 0, 0.0f);
}

double ParseRecorderTime(std::string_view text) {
    // "%2d%*1c%2d%*1c%f"
    std::int32_t hours = 0, minutes = 0;
    float seconds = 0.0f;
    engine::TextScanner scan(text);
    if (scan.Int(2, hours) && scan.AnyChar() && scan.Int(2, minutes) && scan.AnyChar()) {
        scan.Float(seconds);
    }
    const std::int32_t whole = (hours * 60 + minutes) * 60;
    return whole + static_cast<double>(seconds);
}

bool IsPossibleRecorderDate(std::string_view text) {
    std::int32_t day = 0, month = 0, year = 0;
    engine::TextScanner scan(text);
    if (!(scan.Int(2, day) && scan.AnyChar() && scan.Int(2, month) && scan.AnyChar() &&
          scan.Int(4, year)))
        return false;
    return day >= 0 && day <= 31 && month >= 1 && month <= 12 && year >= 1900 && year <= 2100;
}

bool IsPossibleRecorderTime(std::string_view text) {
    std::int32_t hours = 0, minutes = 0;
    float seconds = 0.0f;
    engine::TextScanner scan(text);
    if (!(scan.Int(2, hours) && scan.AnyChar() && scan.Int(2, minutes) && scan.AnyChar() &&
          scan.Float(seconds)))
        return false;
    return hours >= 0 && hours <= 23 && minutes >= 0 && minutes <= 59 && std::isfinite(seconds) &&
           seconds >= 0.0f && seconds < 60.0f;
}

bool HasDeceptiveCharacters(std::string_view name) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c < 0x20 || c == 0x7F) return true;
        // U+202A..U+202E are E2 80 AA..AE; U+2066..U+2069 are E2 81 A6..A9.
        if (c != 0xE2 || i + 2 >= name.size()) continue;
        const auto b1 = static_cast<unsigned char>(name[i + 1]);
        const auto b2 = static_cast<unsigned char>(name[i + 2]);
        if ((b1 == 0x80 && b2 >= 0xAA && b2 <= 0xAE) || (b1 == 0x81 && b2 >= 0xA6 && b2 <= 0xA9))
            return true;
    }
    return false;
}

std::int32_t NextListNumber(std::string_view text, std::size_t& pos) {
    constexpr int kMaxDigits = 31;
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    int digits = 0;
    std::int64_t value = 0;
    while (true) {
        const char c = text[pos];
        if (c >= '0' && c <= '9' && digits < kMaxDigits) {
            ++digits;
            value = std::min(value * 10 + (c - '0'), kMax);
        }
        ++pos;
        if (pos >= text.size()) break;
        if (text[pos] == ',') {
            ++pos;
            break;
        }
    }
    return static_cast<std::int32_t>(value);
}

namespace engine {

std::int32_t GainFactorFromExponent(std::int32_t exponent) {
    if (exponent < 0) return 0;  // 2^-n truncated toward zero
    if (exponent >= 31) return std::numeric_limits<std::int32_t>::max();
    return std::int32_t{1} << exponent;
}

double ParseDurationSeconds(std::string_view text) {
    // "%3d %2d%*1c%2d%*1c%2d"
    std::int32_t days = 0, hours = 0, minutes = 0, seconds = 0;
    TextScanner scan(text);
    if (scan.Int(3, days)) {
        scan.SkipBlanks();
        if (scan.Int(2, hours) && scan.AnyChar() && scan.Int(2, minutes) && scan.AnyChar()) {
            scan.Int(2, seconds);
        }
    }
    return days * 86400.0 + hours * 3600.0 + minutes * 60.0 + seconds;
}

std::int64_t AtoiLike64(std::string_view text) {
    std::size_t p = 0;
    while (p < text.size() && (text[p] == ' ' || (text[p] >= '\t' && text[p] <= '\r'))) ++p;
    bool negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (; p < text.size() && text[p] >= '0' && text[p] <= '9'; ++p) {
        const int digit = text[p] - '0';
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return negative ? -value : value;
}

bool Overlaps(double windowStart, double windowLength, double fileStart, double fileLength) {
    return (windowStart < fileStart && fileStart < windowStart + windowLength) ||
           (windowStart >= fileStart && windowStart < fileStart + fileLength);
}

}  // namespace engine
