// Inputs for the trace writer's tests: data blocks laid out as a recorder
// writes them, and what the trace files made from them must hold.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace trace_test {

// Value of sample i of the channel at position c in record r: distinct for
// every (r, c, i) of the blocks these tests build.
inline std::int16_t SampleValue(int record, int channel, int i) {
    return static_cast<std::int16_t>(record * 1000 + channel * 300 + i - 16000);
}

struct BlockShape {
    std::int16_t rate16 = 100;   // byte 28 of the first record header
    std::int32_t rateMicro = 0;  // byte 108 of the first record header
    int channels = 1;            // N
    int samplesPerBlock = 100;   // D x R as the recorder wrote it
    int records = 1;
    int trailingBytes = 0;  // a partial record after the last one
};

inline void PutLittleEndian(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t v,
                            int width) {
    for (int k = 0; k < width; ++k) bytes[at + k] = static_cast<std::uint8_t>(v >> (8 * k));
}

// Records of a 256-byte header (0xEE filler, the rate fields in the first)
// and one block of samples per channel.
inline std::vector<std::uint8_t> BuildDataBlock(const BlockShape& shape) {
    const std::size_t recordSize = 256 + 2u * shape.channels * shape.samplesPerBlock;
    std::vector<std::uint8_t> bytes(recordSize * shape.records + shape.trailingBytes, 0xEE);
    for (int r = 0; r < shape.records; ++r) {
        const std::size_t o = recordSize * r;
        if (r == 0) {
            PutLittleEndian(bytes, o + 28, static_cast<std::uint16_t>(shape.rate16), 2);
            PutLittleEndian(bytes, o + 108, static_cast<std::uint32_t>(shape.rateMicro), 4);
        }
        for (int c = 0; c < shape.channels; ++c)
            for (int i = 0; i < shape.samplesPerBlock; ++i)
                PutLittleEndian(bytes, o + 256 + 2u * (c * shape.samplesPerBlock + i),
                                static_cast<std::uint16_t>(SampleValue(r, c, i)), 2);
    }
    return bytes;
}

// The samples a channel's trace must hold: every block of it, in order.
inline std::vector<std::int16_t> ChannelValues(const BlockShape& shape, int channel) {
    std::vector<std::int16_t> values;
    for (int r = 0; r < shape.records; ++r)
        for (int i = 0; i < shape.samplesPerBlock; ++i)
            values.push_back(SampleValue(r, channel, i));
    return values;
}

// Little-endian 16-bit values to bytes, as a trace file holds them.
inline std::string SampleBytes(const std::vector<std::int16_t>& samples) {
    std::string bytes;
    for (std::int16_t s : samples) {
        const auto u = static_cast<std::uint16_t>(s);
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    return bytes;
}

// Every entry below root, as paths relative to it, sorted.
inline std::vector<std::string> TreeBelow(const std::filesystem::path& root) {
    std::vector<std::string> entries;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root))
        entries.push_back(std::filesystem::relative(e.path(), root).string());
    std::sort(entries.begin(), entries.end());
    return entries;
}

}  // namespace trace_test
