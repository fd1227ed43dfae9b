// The data block of a recorder file: the bytes from the header's data offset
// to the end of the file, out of the same bytes the header was read from.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/ini_file.h"

namespace engine {

struct DataBlock {
    const std::uint8_t* bytes = nullptr;  // lives as long as the IniFile
    std::int64_t size = 0;
};

// nullopt when the file is not readable, the offset lies outside it, or a
// stop request came while it was being read. Bytes a failing read leaves out
// are 0. Throws std::bad_alloc when the file does not fit in memory.
std::optional<DataBlock> ReadDataBlock(platform::IniFile& recording, std::int64_t offset,
                                       const std::function<bool()>& stop = {});

}  // namespace engine
