// The channel list's check-box images: equal square images cut from one
// bitmap strip, with one colour of the strip made transparent.
#pragma once

#include <QColor>
#include <QPixmap>
#include <vector>

class QPainter;

namespace app {

class StateImageList {
public:
    // Cuts the strip into size x size images; false when it cannot.
    bool Create(const QPixmap& strip, int size, QColor transparent);
    int Count() const { return static_cast<int>(images_.size()); }
    int ImageWidth() const { return size_; }
    // selected: drawn blended with the highlight colour, as a selected row shows it.
    void Draw(QPainter& painter, int index, QPoint at, bool selected, QColor highlight) const;

private:
    std::vector<QPixmap> images_;
    int size_ = 0;
};

}  // namespace app
