#include "app/free_space_pane.h"

#include <QPainter>

namespace app {

FreeSpacePane::FreeSpacePane(DrawFn draw, QWidget* parent)
    : QWidget(parent), draw_(std::move(draw)) {
    setMinimumHeight(16);
}

void FreeSpacePane::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    draw_(painter, rect());
}

}  // namespace app
