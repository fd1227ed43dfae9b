// Where one channel's samples lie in a recorder data block: the rate from the
// first record header, the record arithmetic, and the extraction itself.
// Functions over bytes only; no read ever leaves [data, data + size).
#pragma once

#include <cstdint>
#include <vector>

namespace engine {

inline constexpr std::int64_t kRecordHeaderSize = 256;

struct RecordLayout {
    double rate = 0;                    // R, samples per second
    std::int32_t recordSeconds = 0;     // D
    std::int32_t channelCount = 0;      // N
    std::int64_t recordLength = 0;      // L in bytes; 0 when no record fits
    std::int64_t recordCount = 0;       // M, whole records in the block
    std::int64_t samplesPerRecord = 0;  // S, per channel
};

// The 16-bit rate at byte 28 when it is not zero, else the 32-bit rate in
// millionths at byte 108 scaled, plus 1e-10. A field that does not lie wholly
// inside the block counts as zero.
double TraceRate(const std::uint8_t* data, std::int64_t size);

// Negative rate, record seconds or channel count give no records.
RecordLayout ComputeRecordLayout(double rate, std::int64_t dataSize, std::int32_t recordSeconds,
                                 std::int32_t channelCount);

// The channel's samples, bytes unchanged, in time order. Stops at the first
// sample that would not lie wholly inside the block.
std::vector<std::int16_t> ExtractChannelSamples(const std::uint8_t* data, std::int64_t size,
                                                const RecordLayout& layout,
                                                std::int32_t channelPosition);

// The same record by record, for a block read piece by piece. The samples
// record r gives the channel: all S of them, or fewer when the block ends
// among them; no later record then gives any.
std::int64_t SamplesInRecord(const RecordLayout& layout, std::int64_t size,
                             std::int32_t channelPosition, std::int64_t record);
// How many samples ExtractChannelSamples takes, without reading the block.
std::int64_t ChannelSampleCount(const RecordLayout& layout, std::int64_t size,
                                std::int32_t channelPosition);
// Block bytes [first, end) that the first `count` samples of record r lie in.
struct ByteRange {
    std::int64_t first = 0, end = 0;
};
ByteRange RecordSampleBytes(const RecordLayout& layout, std::int32_t channelPosition,
                            std::int64_t record, std::int64_t count);
// Appends those samples; window holds the block's bytes from windowFirst on,
// at least as far as the range above.
void AppendRecordSamples(const std::uint8_t* window, std::int64_t windowFirst,
                         const RecordLayout& layout, std::int32_t channelPosition,
                         std::int64_t record, std::int64_t count,
                         std::vector<std::int16_t>& samples);

}  // namespace engine
