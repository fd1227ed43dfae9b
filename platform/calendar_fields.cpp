#include "platform/calendar_fields.h"

#include <array>
#include <cstddef>

namespace platform {

bool IsLeapYear(long long year) { return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0); }

int DaysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kLengths{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    if (month == 2 && IsLeapYear(year)) return 29;
    return kLengths[static_cast<std::size_t>(month - 1)];
}

}  // namespace platform
