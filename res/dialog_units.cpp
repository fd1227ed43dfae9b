#include "res/dialog_units.h"

#include <QFontMetrics>
#include <cstdint>
#include <cstdlib>

namespace res {

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const std::int64_t num = static_cast<std::int64_t>(a) * b;
    std::int64_t q = num / c;
    const std::int64_t r = num % c;
    // Round half away from zero.
    if (2 * std::llabs(r) >= std::llabs(static_cast<std::int64_t>(c)))
        q += ((num < 0) != (c < 0)) ? -1 : 1;
    return static_cast<int>(q);
}

DialogBaseUnits BaseUnitsFromMetrics(int widthOfLetters, int height) {
    // Average width of the 52 letters, rounded: (w / 26 + 1) / 2.
    return {(widthOfLetters / 26 + 1) / 2, height};
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return BaseUnitsFromMetrics(width, metrics.height());
}

QRect DialogUnitsToPixels(const DialogBaseUnits& units, int x, int y, int cx, int cy) {
    // Position and size are converted each on its own, as dialogs are created.
    return QRect(MulDiv(x, units.cx, 4), MulDiv(y, units.cy, 8), MulDiv(cx, units.cx, 4),
                 MulDiv(cy, units.cy, 8));
}

QSize DialogUnitsToPixels(const DialogBaseUnits& units, int cx, int cy) {
    return QSize(MulDiv(cx, units.cx, 4), MulDiv(cy, units.cy, 8));
}

QFont DialogFont(const char* faceName, int pointSize) {
    QFont font(QString::fromLatin1(faceName), pointSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace res
