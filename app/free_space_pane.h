// Status pane 1: drawn by the dialog (a disk picture and the free space).
#pragma once

#include <QWidget>
#include <functional>

namespace app {

class FreeSpacePane : public QWidget {
    Q_OBJECT
public:
    using DrawFn = std::function<void(QPainter&, const QRect&)>;
    FreeSpacePane(DrawFn draw, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DrawFn draw_;
};

}  // namespace app
