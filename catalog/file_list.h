// Record set over FILELIST and the one operation on it.
#pragma once

#include <cstdint>
#include <string>

// Writes the row of one trace file, replacing a row with the same CPATH.
// Raises catalog::DatabaseError.
void RegisterTraceFile(const std::string& station, double start, double duration,
                       const std::string& channel, double rate, std::int32_t gain,
                       const std::string& cpath);
