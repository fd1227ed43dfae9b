// One channel of a recorder data block -> one TVX 4.0 trace file + its FILELIST row.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "engine/trace_conversion.h"

// A trace file could not be created or written; what() is the operator's message.
class TraceFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr int kTraceHeaderSize = 512;

void BuildTraceHeader(char (&block)[kTraceHeaderSize], const std::string& station,
                      const std::string& channel, double start, double duration, double rate);

// Raises TraceFileError on a file failure; catalog::DatabaseError passes through.
void WriteChannelTrace(const std::uint8_t* data, std::int64_t dataSize, double start,
                       const std::string& channel, const std::string& station,
                       std::int32_t channelPosition, std::int32_t recordSeconds,
                       std::int32_t channelCount, std::int32_t gainFactor);

// The same for a trace already put together; returns the row it registered.
engine::TraceFileRow WriteChannelTrace(const engine::ChannelTrace& trace);
