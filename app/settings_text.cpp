#include "app/settings_text.h"

#include <QCoreApplication>

#include "controls/date_time_text.h"

namespace app {

std::string RepairTimeQty(std::string text) {
    if (text.size() == std::char_traits<char>::length("00:00:00")) text = "000 " + text;
    if (text.size() != std::char_traits<char>::length("000 00:00:00")) text = kFallbackTimeQty;
    return text;
}

StartFields ParseStartTime(const std::string& text) {
    controls::DateTimeFields f;
    f.year = 2000, f.month = 1, f.day = 1, f.hour = 0, f.minute = 0, f.second = 0;
    controls::ScanDateTimeMode2(text, f);
    return {f.year, f.month, f.day, f.hour, f.minute, f.second};
}

QString FreeSpaceText(std::optional<std::uint64_t> freeBytes) {
    if (!freeBytes) return QCoreApplication::translate("CConverterDlg", "Ошибка");
    // Printed as a 64-bit count: a 32-bit one turns negative above 2 TiB.
    return QCoreApplication::translate("CConverterDlg", "Доступно %1 Мб")
        .arg(static_cast<qulonglong>(*freeBytes >> 20));
}

}  // namespace app
