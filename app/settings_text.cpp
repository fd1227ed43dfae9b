#include "app/settings_text.h"

#include "platform/operator_texts.h"

namespace app {

QString FreeSpaceText(std::optional<std::uint64_t> freeBytes) {
    if (!freeBytes) return QString::fromUtf8(platform::texts::kErrorCaption);
    // Printed as a 64-bit count: a 32-bit one turns negative above 2 TiB.
    return QString::fromUtf8(platform::texts::FreeSpace(*freeBytes >> 20));
}

}  // namespace app
