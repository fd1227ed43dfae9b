// Dialog units -> pixels. A dialog unit is a quarter of the dialog font's
// average character width horizontally and an eighth of its height
// vertically, so a template keeps its proportions under any font.
#pragma once

#include <QFont>
#include <QRect>

namespace res {

struct DialogBaseUnits {
    int cx = 0;  // average character width, pixels
    int cy = 0;  // character height, pixels
};

// a * b / c rounded half away from zero, as the window system's MulDiv; -1 when c is 0.
int MulDiv(int a, int b, int c);

// Base units from the width of the 52 Latin letters A-Z a-z and the font height.
DialogBaseUnits BaseUnitsFromMetrics(int widthOfLetters, int height);
// Base units of a font (measured with QFontMetrics).
DialogBaseUnits BaseUnitsOf(const QFont& font);

// The rectangle (x, y, cx, cy) in dialog units, in pixels.
QRect DialogUnitsToPixels(const DialogBaseUnits& units, int x, int y, int cx, int cy);
QSize DialogUnitsToPixels(const DialogBaseUnits& units, int cx, int cy);

// The dialog font of a template: its face when installed, else the
// platform's sans-serif face, at the template's point size.
QFont DialogFont(const char* faceName, int pointSize);

}  // namespace res
