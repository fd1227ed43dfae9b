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

// Not truncated: the fraction of the block offset carries into each index.
double BlockOffset(const RecordLayout& layout, std::int32_t channelPosition) {
    return static_cast<double>(channelPosition) * layout.recordSeconds * layout.rate;
}

// When the offset is whole-numbered, j + base is exact and the samples of a
// record form one run of bytes.
bool IsWhole(double base) { return base == std::trunc(base) && std::fabs(base) < 0x1p52; }

// Where sample j of record r starts, truncated as the recorder's arithmetic does.
double SampleAt(const RecordLayout& layout, double base, std::int64_t record, std::int64_t j) {
    const double recordData = static_cast<double>(record * layout.recordLength + kRecordHeaderSize);
    return recordData + 2.0 * std::trunc(static_cast<double>(j) + base);
}

}  // namespace

std::int64_t SamplesInRecord(const RecordLayout& layout, std::int64_t size,
                             std::int32_t channelPosition, std::int64_t record) {
    const std::int64_t count = layout.samplesPerRecord;
    if (record < 0 || record >= layout.recordCount || count <= 0) return 0;
    const double base = BlockOffset(layout, channelPosition);
    const double blockEnd = static_cast<double>(size);
    auto inside = [&](std::int64_t j) {
        const double at = SampleAt(layout, base, record, j);
        return at >= 0 && at + 2.0 <= blockEnd;
    };
    if (!inside(0)) return 0;
    if (inside(count - 1)) return count;
    // Samples start at non-decreasing offsets: the first one outside is found by halving.
    std::int64_t in = 0, out = count - 1;
    while (out - in > 1) {
        const std::int64_t mid = in + (out - in) / 2;
        (inside(mid) ? in : out) = mid;
    }
    return out;
}

std::int64_t ChannelSampleCount(const RecordLayout& layout, std::int64_t size,
                                std::int32_t channelPosition) {
    std::int64_t total = 0;
    if (layout.samplesPerRecord <= 0) return 0;
    for (std::int64_t r = 0; r < layout.recordCount; ++r) {
        const std::int64_t n = SamplesInRecord(layout, size, channelPosition, r);
        total += n;
        if (n < layout.samplesPerRecord) break;
    }
    return total;
}

ByteRange RecordSampleBytes(const RecordLayout& layout, std::int32_t channelPosition,
                            std::int64_t record, std::int64_t count) {
    if (count <= 0) return {};
    const double base = BlockOffset(layout, channelPosition);
    return {static_cast<std::int64_t>(SampleAt(layout, base, record, 0)),
            static_cast<std::int64_t>(SampleAt(layout, base, record, count - 1)) + 2};
}

void AppendRecordSamples(const std::uint8_t* window, std::int64_t windowFirst,
                         const RecordLayout& layout, std::int32_t channelPosition,
                         std::int64_t record, std::int64_t count,
                         std::vector<std::int16_t>& samples) {
    if (count <= 0) return;
    const double base = BlockOffset(layout, channelPosition);
    const std::size_t at = samples.size();
    samples.resize(at + static_cast<std::size_t>(count));
    if (IsWhole(base)) {
        const auto first = static_cast<std::int64_t>(SampleAt(layout, base, record, 0));
        std::memcpy(samples.data() + at, window + (first - windowFirst),
                    static_cast<std::size_t>(count) * sizeof(std::int16_t));
        return;
    }
    for (std::int64_t j = 0; j < count; ++j) {
        const auto byte = static_cast<std::int64_t>(SampleAt(layout, base, record, j));
        std::memcpy(samples.data() + at + j, window + (byte - windowFirst), sizeof(std::int16_t));
    }
}

std::vector<std::int16_t> ExtractChannelSamples(const std::uint8_t* data, std::int64_t size,
                                                const RecordLayout& layout,
                                                std::int32_t channelPosition) {
    std::vector<std::int16_t> samples;
    if (data == nullptr || layout.samplesPerRecord <= 0) return samples;
    samples.reserve(static_cast<std::size_t>(ChannelSampleCount(layout, size, channelPosition)));
    for (std::int64_t r = 0; r < layout.recordCount; ++r) {
        const std::int64_t n = SamplesInRecord(layout, size, channelPosition, r);
        AppendRecordSamples(data, 0, layout, channelPosition, r, n, samples);
        // A sample outside the block ends the extraction, not just the record.
        if (n < layout.samplesPerRecord) break;
    }
    return samples;
}

}  // namespace engine
