// One channel of a recorder data block made into a trace: its 512-byte header
// and its samples exactly as the trace file holds them. The shape comes from
// the block's size and first record header alone, so a writer can put the
// header first and take the samples record by record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "formats/recorder/record_layout.h"
#include "formats/tvx/tvx_header.h"

namespace engine {

struct TraceChannel {
    std::string station;
    std::string channel;
    double start = 0;                // epoch seconds
    std::int32_t position = 0;       // the channel's sample block
    std::int32_t recordSeconds = 0;  // REC_SIZE_SEC
    std::int32_t channelCount = 0;   // N_CH
};

// The first bytes of a block the rate is read from (fewer when it is shorter).
inline constexpr std::int64_t kTraceHeadBytes = 112;

struct TraceShape {
    RecordLayout layout;  // its rate is the trace's
    std::int64_t sampleCount = 0;
    double duration = 0;  // samples / rate
    char header[kTraceHeaderSize];
};

// head holds the block's first min(blockSize, kTraceHeadBytes) bytes.
TraceShape ShapeTrace(const std::uint8_t* head, std::int64_t blockSize,
                      const TraceChannel& channel);

struct MadeTrace {
    TraceShape shape;
    std::vector<std::int16_t> samples;
};

// The whole trace from a block in memory.
MadeTrace MakeTrace(const std::uint8_t* data, std::int64_t size, const TraceChannel& channel);

}  // namespace engine
