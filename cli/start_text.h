// The window start and duration texts as the dialog's fields hold them.
#pragma once

#include <string>
#include <string_view>

#include "engine/front_end.h"

namespace cli {

// Scans "hh:mm:ss DD/MM/YYYY" (runs of blanks, ',' or ':' between the fields,
// '/' too after the day and the month). Fields the scan cannot reach keep
// their values; returns how many were read.
int ScanStartText(std::string_view text, engine::StartDateTime& fields);

// Hour 23, minute and second 59 at most, month 1..12, day within the month.
bool IsValidStart(const engine::StartDateTime& fields);

// A duration as kelvaron.ini may hold it: "hh:mm:ss" gets "000 " in front;
// anything but "DDD hh:mm:ss" then becomes "001 00:00:00".
std::string NormalisedDuration(std::string text);

}  // namespace cli
