#include "app/state_image_list.h"

#include <QPainter>

#include "res/resource_table.h"

namespace app {

bool StateImageList::Create(const QPixmap& strip, int size, QColor transparent) {
    images_.clear();
    size_ = 0;
    if (strip.isNull() || size <= 0 || strip.height() < size) return false;
    const QPixmap masked = res::WithTransparentColour(strip, transparent);
    for (int x = 0; x + size <= strip.width(); x += size)
        images_.push_back(masked.copy(x, 0, size, size));
    size_ = size;
    return !images_.empty();
}

void StateImageList::Draw(QPainter& painter, int index, QPoint at, bool selected,
                          QColor highlight) const {
    if (index < 0 || index >= Count()) return;
    if (!selected) {
        painter.drawPixmap(at, images_[index]);
        return;
    }
    // Half the highlight over the picture's own pixels only.
    QPixmap blended = images_[index];
    {
        QPainter p(&blended);
        p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        highlight.setAlpha(128);
        p.fillRect(blended.rect(), highlight);
    }
    painter.drawPixmap(at, blended);
}

}  // namespace app
