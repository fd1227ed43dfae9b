// Read-only look-up in FILELIST: which trace files of a station the catalogue
// already holds (what the recording viewer marks as converted).
#pragma once

#include <string>
#include <vector>

namespace catalog {
class OdbcConnection;
}

// CPATH of every FILELIST row of the station, sorted. Raises
// catalog::DatabaseError; writes nothing.
std::vector<std::string> ListStationTracePaths(catalog::OdbcConnection& database,
                                               const std::string& station);
