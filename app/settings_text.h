// The free-space text of the status bar. A pure function.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace app {

// kFreeSpace with the whole mebibytes (64-bit), or kFreeSpaceUnknown.
QString FreeSpaceText(std::optional<std::uint64_t> freeBytes);

}  // namespace app
