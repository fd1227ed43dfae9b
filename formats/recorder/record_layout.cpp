#include "formats/recorder/record_layout.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace engine {

namespace {

constexpr std::int64_t kRateField16 = 28;
constexpr std::int64_t kRateField32 = 108;

// Little-endian regardless of the host.
std::int32_t ReadLittleEndian(const std::uint8_t* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    if (bytes == 2) return static_cast<std::int16_t>(static_cast<std::uint16_t>(v));
    return static_cast<std::int32_t>(v);
}

}  // namespace

double TraceRate(const std::uint8_t* data, std::int64_t size) {
    if (data != nullptr && size >= kRateField16 + 2) {
        const std::int32_t sps = ReadLittleEndian(data + kRateField16, 2);
        if (sps != 0) return sps;
    }
    std::int32_t microSps = 0;
    if (data != nullptr && size >= kRateField32 + 4)
        microSps = ReadLittleEndian(data + kRateField32, 4);
    // The small addend lifts rates such as 99.99999999 over the truncations below.
    return microSps * 0.000001 + 0.0000000001;
}

RecordLayout ComputeRecordLayout(double rate, std::int64_t dataSize, std::int32_t recordSeconds,
                                 std::int32_t channelCount) {
    RecordLayout layout;
    layout.rate = rate;
    layout.recordSeconds = recordSeconds;
    layout.channelCount = channelCount;
    if (!(rate >= 0) || recordSeconds < 0 || channelCount < 0 || dataSize <= 0) return layout;

    // Computed in double and truncated, as the recorder's own arithmetic does.
    const double length = std::trunc(2.0 * channelCount * recordSeconds * rate + 256.0);
    if (!(length <= static_cast<double>(dataSize))) return layout;
    layout.recordLength = static_cast<std::int64_t>(length);
    layout.recordCount = dataSize / layout.recordLength;
    const double perRecord = std::trunc(recordSeconds * rate);
    // S samples need at least 2S bytes of block; a larger S can never be read.
    layout.samplesPerRecord =
        static_cast<std::int64_t>(std::min(perRecord, static_cast<double>(dataSize / 2 + 1)));
    return layout;
}

namespace {

// A record's samples when the channel's offset is whole-numbered: then
// j + base is exact, the indices form one run, and the run is copied at once.
// False when the run was cut by the block end (or starts outside it).
bool AppendRun(const std::uint8_t* data, double blockEnd, double first, std::int64_t count,
               std::vector<std::int16_t>& samples) {
    std::int64_t take = 0;
    if (first >= 0 && first + 2.0 <= blockEnd)
        take = std::min(count, static_cast<std::int64_t>((blockEnd - first) / 2.0));
    const std::size_t at = samples.size();
    samples.resize(at + static_cast<std::size_t>(take));
    if (take > 0)
        std::memcpy(samples.data() + at, data + static_cast<std::int64_t>(first),
                    static_cast<std::size_t>(take) * sizeof(std::int16_t));
    return take == count;
}

// Any other offset: each index truncated on its own, as the recorder's
// arithmetic does. False at the first sample outside the block.
bool AppendEach(const std::uint8_t* data, double blockEnd, double recordData, double base,
                std::int64_t count, std::vector<std::int16_t>& samples) {
    for (std::int64_t j = 0; j < count; ++j) {
        const double at = recordData + 2.0 * std::trunc(static_cast<double>(j) + base);
        if (!(at >= 0 && at + 2.0 <= blockEnd)) return false;
        std::int16_t sample;
        std::memcpy(&sample, data + static_cast<std::int64_t>(at), sizeof sample);
        samples.push_back(sample);
    }
    return true;
}

}  // namespace

std::vector<std::int16_t> ExtractChannelSamples(const std::uint8_t* data, std::int64_t size,
                                                const RecordLayout& layout,
                                                std::int32_t channelPosition) {
    std::vector<std::int16_t> samples;
    if (data == nullptr || layout.recordCount <= 0 || layout.samplesPerRecord <= 0) return samples;

    const double wanted =
        std::trunc(static_cast<double>(layout.recordCount) * layout.recordSeconds * layout.rate);
    samples.reserve(static_cast<std::size_t>(std::min(wanted, static_cast<double>(size / 2))));

    // Not truncated: the fraction of the block offset carries into each index.
    const double base = static_cast<double>(channelPosition) * layout.recordSeconds * layout.rate;
    const bool wholeBase = base == std::trunc(base) && std::fabs(base) < 0x1p52;
    const double blockEnd = static_cast<double>(size);
    for (std::int64_t r = 0; r < layout.recordCount; ++r) {
        const double recordData = static_cast<double>(r * layout.recordLength + kRecordHeaderSize);
        const bool whole = wholeBase ? AppendRun(data, blockEnd, recordData + 2.0 * base,
                                                 layout.samplesPerRecord, samples)
                                     : AppendEach(data, blockEnd, recordData, base,
                                                  layout.samplesPerRecord, samples);
        // A sample outside the block ends the extraction, not just the record.
        if (!whole) break;
    }
    return samples;
}

}  // namespace engine
