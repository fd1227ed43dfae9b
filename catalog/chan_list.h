// Record set over sitechan and the station-channel listing the dialog shows.
#pragma once

#include <string>
#include <vector>

struct StationChannel {
    std::string chan;     // channel name as stored
    double sps = 0;       // sampling rate
    std::string spsText;  // the rate as "%.3f"
};

// The rows of sitechan for one station, in the database's order.
// Raises catalog::DatabaseError.
std::vector<StationChannel> ListStationChannels(const std::string& station);
