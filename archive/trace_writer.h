// One channel of a recorder data block -> one TVX 4.0 trace file + its FILELIST row.
#pragma once

#include <cstdint>
#include <string>

#include "archive/trace_conversion.h"
#include "archive/trace_errors.h"

namespace catalog {
class OdbcConnection;
}

// Raises TraceFileError on a file failure; catalog::DatabaseError passes through.
void WriteChannelTrace(catalog::OdbcConnection& database, const std::uint8_t* data,
                       std::int64_t dataSize, double start, const std::string& channel,
                       const std::string& station, std::int32_t channelPosition,
                       std::int32_t recordSeconds, std::int32_t channelCount,
                       std::int32_t gainFactor);

namespace engine {

// WriteChannelTrace for a recording whose data block holds fewer records than
// its header announces. False, with nothing written and no row replaced,
// when the existing trace file at the path holds more samples.
bool WriteIncompleteChannelTrace(catalog::OdbcConnection& database, const std::uint8_t* data,
                                 std::int64_t dataSize, double start, const std::string& channel,
                                 const std::string& station, std::int32_t channelPosition,
                                 std::int32_t recordSeconds, std::int32_t channelCount,
                                 std::int32_t gainFactor);

}  // namespace engine

// The same for a trace already put together; returns the row it registered
// (keptExisting, with no row replaced, when a longer trace was kept).
engine::TraceFileRow WriteChannelTrace(catalog::OdbcConnection& database,
                                       const engine::ChannelTrace& trace);
