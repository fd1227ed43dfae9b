#include "platform/calendar_text.h"

#include <array>
#include <cstdio>

namespace platform {

std::string FormatStartText(const CalendarFields& f) {
    // Six ints at their widest (11 characters each) plus separators fit.
    std::array<char, 96> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%02d:%02d:%02d %02d/%02d/%04d", f.hour, f.minute,
                  f.second, f.day, f.month, f.year);
    return buffer.data();
}

int ScanStartText(std::string_view text, CalendarFields& f) {
    const std::string terminated(text);
    const int read =
        std::sscanf(terminated.c_str(), "%2d%*[:, ]%2d%*[,: ]%2d%*[:, ]%2d%*[:,// ]%2d%*[:,// ]%4d",
                    &f.hour, &f.minute, &f.second, &f.day, &f.month, &f.year);
    return read < 0 ? 0 : read;
}

bool IsValidStart(const CalendarFields& f) {
    if (f.month < 1 || f.month > 12 || f.hour > 23 || f.minute > 59 || f.second > 59) return false;
    return f.day <= DaysInMonth(f.year, f.month);
}

std::string RepairDurationText(std::string text) {
    if (text.size() == std::char_traits<char>::length("00:00:00")) text = "000 " + text;
    if (text.size() != std::char_traits<char>::length("000 00:00:00")) text = kFallbackDurationText;
    return text;
}

}  // namespace platform
