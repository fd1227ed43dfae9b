// The station's recordings as bars over a day/hours axis on the recorder's
// clock: the dialog's time window shaded, gaps marked, overlapping recordings
// on lanes of their own, converted ones in their own colour. The wheel zooms
// in time (down to ten minutes), a drag pans.
#pragma once

#include <QPainter>
#include <QWidget>
#include <optional>
#include <vector>

#include "plot/timeline_layout.h"

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
    double WindowLength() const { return windowLength_; }
    // The shown span in epoch seconds; Zoom keeps the time at pixel x in place.
    plot::TimeSpan View() const { return view_; }
    void Zoom(double factor, double x);

    QSize sizeHint() const override;

signals:
    void recordingClicked(int recording);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect BarArea() const;
    QRect LaneRect(int lane) const;
    void Relayout();
    void PaintLegend(QPainter& p, int top);

    std::vector<plot::TimelineRecording> recordings_;
    void SetView(double t0, double t1);
    void ClickAt(QPointF pos);

    plot::TimeSpan span_{0, 86400};  // the days the recordings cover
    plot::TimeSpan view_{0, 86400};  // the part of them shown
    std::optional<QPointF> pressed_;
    double pressedT0_ = 0;
    bool dragged_ = false;
    double windowStart_ = 0, windowLength_ = 0;
    plot::TimelineLayout layout_;
    int selected_ = -1;
};

}  // namespace app
