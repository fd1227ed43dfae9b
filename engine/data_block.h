// The data block of a recorder file, read into memory in one piece.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace engine {

struct DataBlock {
    std::unique_ptr<std::uint8_t[]> bytes;
    std::int64_t size = 0;
};

// Bytes from `offset` to the end of the file. nullopt when the file cannot be
// opened or the offset lies outside it. Bytes a failing read leaves out stay 0.
// Throws std::bad_alloc when the block does not fit in memory.
std::optional<DataBlock> ReadDataBlock(const std::string& path, std::int64_t offset);

}  // namespace engine
