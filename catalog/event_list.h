// Record set over eventlist and the one operation on it.
#pragma once

#include <string>

// Puts the row (station, event start, event_type 1) into eventlist, replacing
// a row with the same station and start. Raises catalog::DatabaseError.
void RegisterEvent(const std::string& station, double eventStart);
