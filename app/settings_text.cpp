#include "app/settings_text.h"

#include <QCoreApplication>

namespace app {

QString FreeSpaceText(std::optional<std::uint64_t> freeBytes) {
    if (!freeBytes) return QCoreApplication::translate("CConverterDlg", "Ошибка");
    // Printed as a 64-bit count: a 32-bit one turns negative above 2 TiB.
    return QCoreApplication::translate("CConverterDlg", "Доступно %1 Мб")
        .arg(static_cast<qulonglong>(*freeBytes >> 20));
}

}  // namespace app
