#include "viewer/timeline_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "platform/operator_texts.h"
#include "plot/axis_ticks.h"

namespace app {

namespace {

constexpr int kMargin = 8;
constexpr int kLaneHeight = 22;
constexpr int kAxisHeight = 20;
constexpr int kLegendHeight = 20;

const QColor kWindowShade(255, 200, 0, 90);
const QColor kWindowEdge(200, 140, 0);
const QColor kGapColour(230, 120, 120);
const QColor kRecordingColour(110, 140, 190);
const QColor kConvertedColour(90, 170, 100);
const QColor kOverlapColour(200, 40, 40);
const QColor kSelectedColour(20, 20, 20);

}  // namespace

TimelineView::TimelineView(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(kAxisHeight + kLaneHeight + 2 * kMargin);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize TimelineView::sizeHint() const {
    return {800, kAxisHeight + kLegendHeight + kLaneHeight * std::max(1, layout_.lanes) +
                     2 * kMargin + 6};
}

void TimelineView::SetRecordings(std::vector<plot::TimelineRecording> recordings) {
    recordings_ = std::move(recordings);
    const double fallback = windowLength_ > 0 ? windowStart_ : 0;
    const plot::TimeSpan days = plot::CoveredDays(recordings_, fallback);
    if (days.t0 != span_.t0 || days.t1 != span_.t1) view_ = days;  // a listing again keeps the zoom
    span_ = days;
    selected_ = -1;
    Relayout();
    setFixedHeight(sizeHint().height());
}

void TimelineView::SetWindow(double start, double length) {
    windowStart_ = start;
    windowLength_ = length;
    if (recordings_.empty()) view_ = span_ = plot::CoveredDays(recordings_, start);
    Relayout();
}

void TimelineView::SetSelected(int recording) {
    selected_ = recording;
    update();
}

QRect TimelineView::BarArea() const {
    return rect().adjusted(kMargin, kMargin, -kMargin, -kMargin - kAxisHeight - kLegendHeight);
}

QRect TimelineView::LaneRect(int lane) const {
    const QRect area = BarArea();
    return {area.left(), area.top() + lane * kLaneHeight, area.width(), kLaneHeight - 4};
}

void TimelineView::Relayout() {
    layout_ = plot::LayOutTimeline(recordings_, view_.t0, view_.t1, BarArea().width(), windowStart_,
                                   windowLength_);
    update();
}

void TimelineView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Relayout();
}

void TimelineView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    const QRect area = BarArea();
    const int left = area.left();
    // Gaps as a red strip under the lanes: time no recording covers.
    for (const plot::TimelineGap& gap : layout_.gaps)
        p.fillRect(QRectF(left + gap.x0, area.bottom() - 3, std::max(1.0, gap.x1 - gap.x0), 4),
                   kGapColour);
    for (const plot::TimelineBar& bar : layout_.bars) {
        const QRect lane = LaneRect(bar.lane);
        const QRectF r(left + bar.x0, lane.top(), std::max(1.0, bar.x1 - bar.x0), lane.height());
        p.fillRect(r, bar.converted ? kConvertedColour : kRecordingColour);
        // Where one recording ends and the next begins.
        p.setPen(palette().color(QPalette::Base));
        p.drawLine(r.topLeft(), r.bottomLeft());
        if (bar.overlaps) {
            p.setPen(QPen(kOverlapColour, 2));
            p.drawRect(r.adjusted(1, 1, -1, -1));
        }
        if (static_cast<int>(bar.recording) == selected_) {
            p.setPen(QPen(kSelectedColour, 2));
            p.drawRect(r.adjusted(0, -1, 0, 1));
        }
    }
    // The dialog's time window over the bars.
    if (layout_.windowVisible) {
        const QRectF window(left + layout_.windowX0, area.top() - 2,
                            std::max(1.0, layout_.windowX1 - layout_.windowX0), area.height() + 4);
        p.fillRect(window, kWindowShade);
        p.setPen(kWindowEdge);
        p.drawRect(window);
    }
    // Day/hours axis.
    p.setPen(palette().color(QPalette::Text));
    const int axisY = area.bottom() + 2;
    p.drawLine(left, axisY, area.right(), axisY);
    const QFontMetrics metrics(font());
    int labelsEnd = -1000;  // right edge of the last label drawn
    for (const plot::Tick& tick :
         plot::TimeTicks(view_.t0, view_.t1, area.width(), 56, plot::TimeLabels::HoursMinutes)) {
        const int x = left + static_cast<int>(std::lround(tick.x));
        p.drawLine(x, axisY, x, axisY + 4);
        const QString label = QString::fromStdString(tick.label);
        const int w = metrics.horizontalAdvance(label);
        const int lx = std::clamp(x - w / 2, 0, std::max(0, width() - w));
        if (lx < labelsEnd + 8) continue;
        p.drawText(lx, axisY + 5 + metrics.ascent(), label);
        labelsEnd = lx + w;
    }
    PaintLegend(p, axisY + kAxisHeight);
}

void TimelineView::PaintLegend(QPainter& p, int top) {
    const QFontMetrics metrics(font());
    const std::pair<QColor, QString> items[] = {
        {kRecordingColour, tr(platform::texts::kLegendRecording)},
        {kConvertedColour, tr(platform::texts::kLegendConverted)},
        {kOverlapColour, tr(platform::texts::kLegendOverlap)},
        {kGapColour, tr(platform::texts::kLegendGap)},
        {kWindowShade, tr(platform::texts::kLegendWindow)},
    };
    int x = kMargin;
    for (const auto& [colour, text] : items) {
        p.fillRect(x, top + 3, 12, 10, colour);
        p.setPen(palette().color(QPalette::Text));
        p.drawText(x + 16, top + 3 + metrics.ascent() - 1, text);
        x += 16 + metrics.horizontalAdvance(text) + 16;
    }
}

void TimelineView::SetView(double t0, double t1) {
    constexpr double kNarrowest = 600;
    const double full = span_.t1 - span_.t0;
    const double span = std::clamp(t1 - t0, std::min(kNarrowest, full), full);
    const double start = std::clamp((t0 + t1 - span) / 2, span_.t0, span_.t1 - span);
    view_ = {start, start + span};
    Relayout();
}

void TimelineView::Zoom(double factor, double x) {
    const double perPixel = (view_.t1 - view_.t0) / std::max(1, BarArea().width());
    const double anchor = view_.t0 + (x - BarArea().left()) * perPixel;
    SetView(anchor - (anchor - view_.t0) * factor, anchor + (view_.t1 - anchor) * factor);
}

void TimelineView::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0) Zoom(std::pow(1.25, -notches), event->position().x());
    event->accept();
}

void TimelineView::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_) return;
    const double dx = event->position().x() - pressed_->x();
    if (!dragged_ && std::abs(dx) < 3) return;
    dragged_ = true;
    const double span = view_.t1 - view_.t0;
    const double start = pressedT0_ - dx * span / std::max(1, BarArea().width());
    SetView(start, start + span);
}

void TimelineView::mouseReleaseEvent(QMouseEvent* event) {
    if (!pressed_) return;
    const bool click = !dragged_;
    pressed_.reset();
    if (click) ClickAt(event->position());
}

void TimelineView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = event->position();
    pressedT0_ = view_.t0;
    dragged_ = false;
}

void TimelineView::ClickAt(QPointF pos) {
    const QRect area = BarArea();
    const int lane = static_cast<int>(std::floor((pos.y() - area.top()) / kLaneHeight));
    const int hit = plot::RecordingAt(layout_, pos.x() - area.left(), lane);
    if (hit < 0) return;
    SetSelected(hit);
    emit recordingClicked(hit);
}

}  // namespace app
