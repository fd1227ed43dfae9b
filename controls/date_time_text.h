// The start field's text, hh:mm:ss DD/MM/YYYY (display mode 2): its mask, and
// the field's names for the shared start-text functions.
#pragma once

#include <string>

#include "platform/calendar_text.h"

namespace controls {

inline constexpr const char* kMode2Mask = "00:00:00 00/00/0000";
inline constexpr const char* kMode2Literal = "__:__:__ __/__/____";

using DateTimeFields = platform::CalendarFields;

inline std::string FormatDateTimeMode2(const DateTimeFields& fields) {
    return platform::FormatStartText(fields);
}
inline int ScanDateTimeMode2(const std::string& text, DateTimeFields& fields) {
    return platform::ScanStartText(text, fields);
}
inline bool IsValidDateTime(const DateTimeFields& fields) { return platform::IsValidStart(fields); }

}  // namespace controls
