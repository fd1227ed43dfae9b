// The data block of a recorder file: the bytes from the header's data offset
// to the end of the file, read piece by piece from the file the header was
// read from (or from bytes already in memory), never kept whole.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/ini_file.h"

namespace engine {

class DataBlock {
public:
    DataBlock() = default;
    // Bytes in memory, not owned.
    DataBlock(const std::uint8_t* bytes, std::int64_t size);
    // The file's bytes [offset, offset + size); the IniFile must outlive it.
    DataBlock(platform::IniFile& file, std::int64_t offset, std::int64_t size);

    std::int64_t size() const { return size_; }
    // Copies bytes [at, at + n) of the block, which lie inside it, to out.
    // What the file no longer holds reads as 0.
    void Read(std::int64_t at, std::uint8_t* out, std::size_t n) const;
    // Bytes [at, at + n) of the block, which lie inside it, where they are
    // already in memory (the block's bytes, or what the file's lookups kept),
    // else read into scratch. Valid until the file is read again.
    const std::uint8_t* View(std::int64_t at, std::size_t n,
                             std::vector<std::uint8_t>& scratch) const;

private:
    const std::uint8_t* bytes_ = nullptr;
    platform::IniFile* file_ = nullptr;
    std::int64_t offset_ = 0;
    std::int64_t size_ = 0;
};

// nullopt when the file is not readable or the offset lies outside it.
std::optional<DataBlock> LocateDataBlock(platform::IniFile& recording, std::int64_t offset);

}  // namespace engine
