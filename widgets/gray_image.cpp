#include "widgets/gray_image.h"

namespace widgets {

std::uint8_t GrayLevel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    if (red == 0 && green == 0 && blue == 0) return 0;
    // The order of the terms matters for the last bit of the truncation.
    const double gray = (0.587 * green + 0.114 * blue) + 0.299 * red;
    return static_cast<std::uint8_t>(static_cast<int>(gray) & 0xFF);
}

QImage MakeGrayImage(const QImage& source) {
    if (source.isNull()) return {};
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) return {};
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            const int gray = GrayLevel(static_cast<std::uint8_t>(qRed(pixel)),
                                       static_cast<std::uint8_t>(qGreen(pixel)),
                                       static_cast<std::uint8_t>(qBlue(pixel)));
            line[x] = qRgba(gray, gray, gray, qAlpha(pixel));
        }
    }
    return image;
}

}  // namespace widgets
