#include "formats/recorder/data_block.h"

namespace engine {

std::optional<DataBlock> ReadDataBlock(platform::IniFile& recording, std::int64_t offset,
                                       const std::function<bool()>& stop) {
    const std::optional<std::string_view> file = recording.Contents(stop);
    if (!file) return std::nullopt;
    const auto fileSize = static_cast<std::int64_t>(file->size());
    if (offset < 0 || offset > fileSize) return std::nullopt;
    DataBlock block;
    block.bytes = reinterpret_cast<const std::uint8_t*>(file->data()) + offset;
    block.size = fileSize - offset;
    return block;
}

}  // namespace engine
