#include "app/settings_text.h"

#include <QCoreApplication>

#include "platform/operator_texts.h"

namespace app {

QString FreeSpaceText(std::optional<std::uint64_t> freeBytes) {
    if (!freeBytes)
        return QCoreApplication::translate("CConverterDlg", platform::texts::kFreeSpaceUnknown);
    // Printed as a 64-bit count: a 32-bit one turns negative above 2 TiB.
    return QCoreApplication::translate("CConverterDlg", platform::texts::kFreeSpace)
        .arg(static_cast<qulonglong>(*freeBytes >> 20));
}

}  // namespace app
