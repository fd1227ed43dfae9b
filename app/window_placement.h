// Where a window opened from the dialog goes so that it hides none of the
// dialog: beside it, on the side with room, narrowed or with the dialog moved
// to the screen's edge when neither side has room enough. Rectangles only.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace app {

struct Placement {
    QRect window;     // the new window's frame
    QPoint dialogAt;  // the dialog frame's top-left: where it is unless it has to move
};

// dialog: the dialog's frame; size: the new window's frame size; minWidth:
// the narrowest it is of use at; screen: the screen's free area.
Placement PlaceBeside(const QRect& dialog, QSize size, int minWidth, const QRect& screen);

}  // namespace app
