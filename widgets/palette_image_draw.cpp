// Drawing side of CPaletteImage: the cached indexed QImage and its blit.
#include <QPainter>
#include <cstring>

#include "widgets/palette_image.h"

namespace widgets {

const QImage& CPaletteImage::Image() const {
    if (IsEmpty()) {
        m_image = QImage();
        return m_image;
    }
    if (m_image.isNull()) {
        m_image = QImage(Width(), Height(), QImage::Format_Indexed8);
        if (m_image.isNull()) return m_image;
        m_pixelsChanged = true;
        m_paletteChanged = true;
    }
    if (m_paletteChanged) {
        QList<QRgb> table(m_paletteSize);
        for (int i = 0; i < m_paletteSize; ++i) {
            const PaletteColor c = PaletteEntry(i);
            table[i] = qRgb(c.red, c.green, c.blue);
        }
        m_image.setColorTable(table);
        m_paletteChanged = false;
    }
    if (m_pixelsChanged) {
        // The block holds the bottom row first; QImage wants the top row first.
        for (int y = 0; y < Height(); ++y) {
            const std::uint8_t* row =
                PixelBytes() + static_cast<std::size_t>(Height() - 1 - y) * m_rowLength;
            std::memcpy(m_image.scanLine(y), row, static_cast<std::size_t>(Width()));
        }
        m_pixelsChanged = false;
    }
    return m_image;
}

void CPaletteImage::Draw(QPainter& dc, int x, int y) {
    const QImage& image = Image();
    if (image.isNull()) return;
    dc.drawImage(QPoint(x, y), image);
}

}  // namespace widgets
