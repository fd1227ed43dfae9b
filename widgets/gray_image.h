// The grey copy of an icon picture, shown while the mouse is away from a button.
#pragma once

#include <QImage>
#include <cstdint>

namespace widgets {

// Luminance as the buttons have always computed it: in double precision,
// green and blue first, truncated, low 8 bits kept. Black stays black.
std::uint8_t GrayLevel(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

// Every pixel's colour replaced by its grey level; alpha (the icon's mask) is
// kept. The result is ARGB32 (not premultiplied); a null source gives null.
QImage MakeGrayImage(const QImage& source);

}  // namespace widgets
