// The one order and the one case-blind comparison of station names, for the
// dialog's list box and the batch command alike. Names are 8-bit texts
// (platform/text_encoding.h); Latin and Cyrillic letters compare without regard to
// case, and Ё sorts right after Е, as in the Russian alphabet.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// True when a sorts before b.
bool StationLess(std::string_view a, std::string_view b);
// True when a and b are the same name without regard to case.
bool StationEquals(std::string_view a, std::string_view b);
// True when a and b are the same name as texts: equal once the one text rule
// has read each (a kelvaron.ini in UTF-8 names the station that a recorder
// writes in CP1251). Case counts, as in a time-window run's match.
bool SameStationText(std::string_view a, std::string_view b);
// Sorts in the station order; equal names keep their order.
void SortStations(std::vector<std::string>& names);

}  // namespace platform
