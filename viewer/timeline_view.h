// The station's recordings as bars over a day/hours axis on the recorder's
// clock: the dialog's time window shaded behind them, gaps between them
// marked, overlapping recordings on lanes of their own (a few shown at a
// time, the rest a scroll away), converted ones in their own colours. The
// wheel zooms in time (down to ten minutes), a drag pans.
#pragma once

#include <QPainter>
#include <QWidget>
#include <optional>
#include <vector>

#include "plot/timeline_layout.h"

class QScrollBar;

namespace app {

class TimelineView : public QWidget {
    Q_OBJECT

public:
    // Lanes shown at once; more scroll.
    static constexpr int kShownLanes = 6;

    explicit TimelineView(QWidget* parent = nullptr);

    // tips: one tooltip per recording, for its bar.
    void SetRecordings(std::vector<plot::TimelineRecording> recordings, std::vector<QString> tips);
    // Shown over the lanes instead of bars and gaps ("" for none): the day
    // cannot be told when the directory cannot be read.
    void SetNotice(const QString& notice);
    void SetWindow(double start, double length);
    void SetSelected(int recording);
    int Selected() const { return selected_; }
    const plot::TimelineLayout& Layout() const { return layout_; }
    double WindowLength() const { return windowLength_; }
    // The shown span in epoch seconds; Zoom keeps the time at pixel x in place.
    plot::TimeSpan View() const { return view_; }
    void Zoom(double factor, double x);
    // The dialog's time window fills the width; the days of the recordings do.
    void ZoomToWindow();
    void ShowWholeDays();
    // The lanes on show.
    plot::LaneWindow ShownLanes() const;
    // Scrolls the lanes so that the recording's bar is on show.
    void ShowLaneOf(int recording);
    // The bar area, in widget pixels.
    QRect BarArea() const;

    QSize sizeHint() const override;

signals:
    void recordingClicked(int recording);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect LaneRect(int row) const;
    void Relayout();
    void PaintBars(QPainter& p, const QRect& area);
    void PaintAxis(QPainter& p, const QRect& area);
    void PaintLegend(QPainter& p, int top);
    // The legend wraps onto as many rows as the view's width needs.
    std::vector<plot::LegendPlace> LegendPlaces() const;
    int LegendRows() const;
    void SetView(double t0, double t1);
    int RecordingAtPixel(QPointF pos) const;
    void ClickAt(QPointF pos);

    std::vector<plot::TimelineRecording> recordings_;
    std::vector<QString> tips_;
    QString notice_;
    plot::TimeSpan span_{0, 86400};  // the days the recordings cover
    plot::TimeSpan view_{0, 86400};  // the part of them shown
    std::optional<QPointF> pressed_;
    double pressedT0_ = 0;
    bool dragged_ = false;
    double windowStart_ = 0, windowLength_ = 0;
    plot::TimelineLayout layout_;
    int selected_ = -1;
    QScrollBar* m_lanes = nullptr;
};

}  // namespace app
