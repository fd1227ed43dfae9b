#include "formats/recorder/data_block.h"

#include <cstring>

namespace engine {

DataBlock::DataBlock(const std::uint8_t* bytes, std::int64_t size)
    : bytes_(bytes), size_(bytes != nullptr && size > 0 ? size : 0) {}

DataBlock::DataBlock(platform::IniFile& file, std::int64_t offset, std::int64_t size)
    : file_(&file), offset_(offset), size_(size) {}

void DataBlock::Read(std::int64_t at, std::uint8_t* out, std::size_t n) const {
    if (n == 0) return;
    if (bytes_ != nullptr) {
        std::memcpy(out, bytes_ + at, n);
    } else if (file_ == nullptr ||
               !file_->ReadBytes(static_cast<std::uint64_t>(offset_ + at), out, n)) {
        std::memset(out, 0, n);
    }
}

const std::uint8_t* DataBlock::View(std::int64_t at, std::size_t n,
                                    std::vector<std::uint8_t>& scratch) const {
    if (bytes_ != nullptr) return bytes_ + at;
    if (file_ != nullptr)
        if (const void* kept = file_->KeptBytes(static_cast<std::uint64_t>(offset_ + at), n))
            return static_cast<const std::uint8_t*>(kept);
    if (scratch.size() < n) scratch.resize(n);
    Read(at, scratch.data(), n);
    return scratch.data();
}

std::optional<DataBlock> LocateDataBlock(platform::IniFile& recording, std::int64_t offset) {
    if (recording.source() != platform::IniFile::Source::Readable) return std::nullopt;
    const auto fileSize = static_cast<std::int64_t>(recording.size());
    if (offset < 0 || offset > fileSize) return std::nullopt;
    return DataBlock(recording, offset, fileSize - offset);
}

}  // namespace engine
