// The station's recordings as bars over a day/hours axis on the recorder's
// clock: the dialog's time window shaded, gaps marked, overlapping recordings
// on lanes of their own, converted ones in their own colour.
#pragma once

#include <QPainter>
#include <QWidget>
#include <vector>

#include "app/plot/timeline_layout.h"

namespace app {

class TimelineView : public QWidget {
    Q_OBJECT

public:
    explicit TimelineView(QWidget* parent = nullptr);

    void SetRecordings(std::vector<plot::TimelineRecording> recordings);
    void SetWindow(double start, double length);
    void SetSelected(int recording);
    int Selected() const { return selected_; }
    const plot::TimelineLayout& Layout() const { return layout_; }

    QSize sizeHint() const override;

signals:
    void recordingClicked(int recording);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect BarArea() const;
    QRect LaneRect(int lane) const;
    void Relayout();
    void PaintLegend(QPainter& p, int top);

    std::vector<plot::TimelineRecording> recordings_;
    plot::TimeSpan span_{0, 86400};
    double windowStart_ = 0, windowLength_ = 0;
    plot::TimelineLayout layout_;
    int selected_ = -1;
};

}  // namespace app
