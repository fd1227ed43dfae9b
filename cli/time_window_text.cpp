#include "cli/time_window_text.h"

#include <cmath>
#include <cstdio>

#include "formats/date_time.h"

namespace engine {
namespace {

constexpr std::int64_t kMaxDays = 999;
constexpr std::int64_t kSecondsPerDay = 86400;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Exactly `width` digits at `pos`.
bool Digits(std::string_view text, std::size_t pos, std::size_t width, int& value) {
    if (pos + width > text.size()) return false;
    value = 0;
    for (std::size_t i = pos; i < pos + width; ++i) {
        if (!IsDigit(text[i])) return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

double Epoch(const platform::CalendarFields& t) { return EpochFromCalendar(t); }

}  // namespace

std::optional<platform::CalendarFields> ParseIsoDateTime(std::string_view text) {
    platform::CalendarFields t;
    t.hour = t.minute = t.second = 0;
    if (!Digits(text, 0, 4, t.year) || text.size() < 10 || text[4] != '-' ||
        !Digits(text, 5, 2, t.month) || text[7] != '-' || !Digits(text, 8, 2, t.day))
        return std::nullopt;
    if (text.size() == 10) return t;
    // "YYYY-MM-DD?hh:mm" is 16 characters, with ":ss" 19.
    if (text.size() != 16 && text.size() != 19) return std::nullopt;
    if ((text[10] != 'T' && text[10] != ' ') || !Digits(text, 11, 2, t.hour) || text[13] != ':' ||
        !Digits(text, 14, 2, t.minute))
        return std::nullopt;
    if (text.size() == 19 && (text[16] != ':' || !Digits(text, 17, 2, t.second)))
        return std::nullopt;
    return t;
}

std::optional<std::int64_t> ParseLengthSeconds(std::string_view text) {
    std::size_t digits = 0;
    while (digits < text.size() && IsDigit(text[digits])) ++digits;
    // Twelve digits of days still fit in 64 bits of seconds.
    if (digits == 0 || digits > 12) return std::nullopt;
    std::int64_t number = 0;
    for (std::size_t i = 0; i < digits; ++i) number = number * 10 + (text[i] - '0');
    std::int64_t unit = 1;
    if (digits + 1 == text.size()) {
        switch (text[digits]) {
            case 's':
                unit = 1;
                break;
            case 'm':
                unit = 60;
                break;
            case 'h':
                unit = 3600;
                break;
            case 'd':
                unit = kSecondsPerDay;
                break;
            default:
                return std::nullopt;
        }
    } else if (digits != text.size()) {
        return std::nullopt;
    }
    return number * unit;
}

std::optional<std::int64_t> ParseOffsetFromNow(std::string_view text) {
    if (text == "now") return 0;
    if (text.empty() || text[0] != '-') return std::nullopt;
    const std::optional<std::int64_t> back = ParseLengthSeconds(text.substr(1));
    if (!back) return std::nullopt;
    return -*back;
}

platform::CalendarFields ShiftedBy(const platform::CalendarFields& t, std::int64_t seconds) {
    // Whole seconds in, whole seconds out: the fraction the conversion cuts is 0.
    platform::CalendarFields shifted;
    CalendarFromEpoch(Epoch(t) + static_cast<double>(seconds), shifted);
    return shifted;
}

std::int64_t SecondsBetween(const platform::CalendarFields& from,
                            const platform::CalendarFields& to) {
    return static_cast<std::int64_t>(std::llround(Epoch(to) - Epoch(from)));
}

std::optional<std::string> DurationFieldText(std::int64_t seconds) {
    if (seconds < 0 || seconds / kSecondsPerDay > kMaxDays) return std::nullopt;
    char text[32];
    std::snprintf(text, sizeof text, "%03d %02d:%02d:%02d",
                  static_cast<int>(seconds / kSecondsPerDay),
                  static_cast<int>(seconds % kSecondsPerDay / 3600),
                  static_cast<int>(seconds % 3600 / 60), static_cast<int>(seconds % 60));
    return std::string(text);
}

}  // namespace engine
