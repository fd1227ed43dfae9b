// The texts of kelvaron.ini that the dialog reads and repairs, and the
// free-space text of the status bar. Pure functions.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

namespace app {

inline constexpr const char* kDefaultTime = "00:00:00 01/01/2000";
inline constexpr const char* kDefaultTimeQty = "00:30:00";
// Replaces a duration of any length but the two known ones.
inline constexpr const char* kFallbackTimeQty = "001 00:00:00";

// An hh:mm:ss duration gets day "000 " in front; anything not DDD hh:mm:ss
// long then becomes "001 00:00:00".
std::string RepairTimeQty(std::string text);

struct StartFields {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};
// TIME read as hh:mm:ss DD/MM/YYYY; unreadable fields keep 00:00:00 01/01/2000.
StartFields ParseStartTime(const std::string& text);

// "Доступно N Мб" with N the whole mebibytes (64-bit), or "Ошибка".
QString FreeSpaceText(std::optional<std::uint64_t> freeBytes);

}  // namespace app
