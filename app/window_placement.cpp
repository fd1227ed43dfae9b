#include "app/window_placement.h"

#include <algorithm>

namespace app {

Placement PlaceBeside(const QRect& dialog, QSize size, int minWidth, const QRect& screen) {
    size = size.boundedTo(screen.size());
    minWidth = std::min(minWidth, screen.width());
    Placement p{{}, dialog.topLeft()};
    const int top = std::clamp(dialog.top(), screen.top(),
                               std::max(screen.top(), screen.bottom() + 1 - size.height()));
    const int right = screen.right() - dialog.right();  // room right of the dialog
    const int left = dialog.left() - screen.left();
    if (right >= size.width()) {
        p.window = QRect(QPoint(dialog.right() + 1, top), size);
    } else if (left >= size.width()) {
        p.window = QRect(QPoint(dialog.left() - size.width(), top), size);
    } else if (std::max(left, right) >= minWidth) {
        // Narrower, on the roomier side.
        const int width = std::max(left, right);
        const int x = right >= left ? dialog.right() + 1 : screen.left();
        p.window = QRect(x, top, width, size.height());
    } else {
        // The dialog goes to the screen's left edge; the window takes the
        // rest, and covers the dialog's right part only where even that is
        // narrower than of use.
        p.dialogAt = QPoint(screen.left(), dialog.top());
        const int x = screen.left() + dialog.width();
        const int width = std::max(minWidth, std::min(size.width(), screen.right() + 1 - x));
        p.window = QRect(std::min(x, screen.right() + 1 - width), top, width, size.height());
    }
    return p;
}

}  // namespace app
