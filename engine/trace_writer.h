// One channel of a recorder data block -> one TVX 4.0 trace file + its FILELIST row.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// A trace file could not be created or written; what() is the operator's
// message, detail() what the operator needs to act: the file's full path and
// the system's reason ("" when there is none to give).
class TraceFileError : public std::runtime_error {
public:
    explicit TraceFileError(const std::string& message, std::string detail = {})
        : std::runtime_error(message), detail_(std::move(detail)) {}
    const std::string& detail() const { return detail_; }

private:
    std::string detail_;
};

inline constexpr int kTraceHeaderSize = 512;

void BuildTraceHeader(char (&block)[kTraceHeaderSize], const std::string& station,
                      const std::string& channel, double start, double duration, double rate);

// Raises TraceFileError on a file failure; catalog::DatabaseError passes through.
void WriteChannelTrace(const std::uint8_t* data, std::int64_t dataSize, double start,
                       const std::string& channel, const std::string& station,
                       std::int32_t channelPosition, std::int32_t recordSeconds,
                       std::int32_t channelCount, std::int32_t gainFactor);

namespace engine {

// WriteChannelTrace for a recording whose data block holds fewer records than
// its header announces. False, with nothing written and no row replaced,
// when the existing trace file at the path holds more samples.
bool WriteIncompleteChannelTrace(const std::uint8_t* data, std::int64_t dataSize, double start,
                                 const std::string& channel, const std::string& station,
                                 std::int32_t channelPosition, std::int32_t recordSeconds,
                                 std::int32_t channelCount, std::int32_t gainFactor);

}  // namespace engine
