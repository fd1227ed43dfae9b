// What kelvaron-batch takes from kelvaron.ini, read as the dialog reads it.
#pragma once

#include <string>
#include <vector>

#include "engine/front_end.h"

namespace cli {

struct BatchSettings {
    std::vector<std::string> stations;  // in the station list's (sorted) order
    engine::StartDateTime start;        // TIME, unread fields at their defaults
    std::string duration;               // TIMEQTY, normalised
};

BatchSettings LoadBatchSettings(const std::string& kelvaronIni);

}  // namespace cli
