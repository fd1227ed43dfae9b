#include "viewer/timeline_view.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "platform/operator_texts.h"
#include "plot/axis_ticks.h"
#include "viewer/plot_texts.h"

namespace app {

namespace {

constexpr int kMargin = 8;
constexpr int kLaneHeight = 22;
constexpr int kAxisHeight = 20;
constexpr int kLegendHeight = 20;  // a row; the clock's caption has a row of its own
                                   // under the legend's rows, as many as the width needs
constexpr int kGapStrip = 4;       // the gaps' strip under the lanes

const QColor kWindowShade(255, 228, 140);
const QColor kWindowEdge(200, 140, 0);
const QColor kGapColour(230, 120, 120);
const QColor kRecordingColour(110, 140, 190);
const QColor kConvertedColour(90, 170, 100);
const QColor kPartlyColour(200, 190, 70);
const QColor kFailedColour(160, 80, 170);
const QColor kMismatchColour(60, 60, 60);
const QColor kOverlapColour(200, 40, 40);
const QColor kSelectedColour(20, 20, 20);

QColor BarColour(plot::Conversion c) {
    switch (c) {
        case plot::Conversion::Whole:
            return kConvertedColour;
        case plot::Conversion::Partly:
            return kPartlyColour;
        case plot::Conversion::Failed:
            return kFailedColour;
        case plot::Conversion::None:
            break;
    }
    return kRecordingColour;
}

}  // namespace

TimelineView::TimelineView(QWidget* parent) : QWidget(parent) {
    m_lanes = new QScrollBar(Qt::Vertical, this);
    m_lanes->hide();
    connect(m_lanes, &QScrollBar::valueChanged, this, [this] { update(); });
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(sizeHint().height());
    setMouseTracking(false);
}

QSize TimelineView::sizeHint() const {
    // Bounded: however many lanes the recordings need, only kShownLanes show.
    const int shown = plot::ShownLanes(layout_.lanes, kShownLanes, 0).count;
    return {800, kAxisHeight + (LegendRows() + 1) * kLegendHeight + kLaneHeight * shown +
                     kGapStrip + 2 * kMargin};
}

void TimelineView::SetRecordings(std::vector<plot::TimelineRecording> recordings,
                                 std::vector<QString> tips) {
    recordings_ = std::move(recordings);
    tips_ = std::move(tips);
    notice_.clear();
    const double fallback = windowLength_ > 0 ? windowStart_ : 0;
    const plot::TimeSpan days = plot::CoveredDays(recordings_, fallback);
    if (days.t0 != span_.t0 || days.t1 != span_.t1) view_ = days;  // a listing again keeps the zoom
    span_ = days;
    selected_ = -1;
    Relayout();
}

void TimelineView::SetNotice(const QString& notice) {
    notice_ = notice;
    recordings_.clear();
    tips_.clear();
    selected_ = -1;
    Relayout();
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

plot::LaneWindow TimelineView::ShownLanes() const {
    return plot::ShownLanes(layout_.lanes, kShownLanes, m_lanes->value());
}

void TimelineView::ShowLaneOf(int recording) {
    if (recording < 0 || recording >= static_cast<int>(layout_.bars.size())) return;
    const int lane = layout_.bars[static_cast<std::size_t>(recording)].lane;
    const plot::LaneWindow shown = ShownLanes();
    if (lane < shown.first) m_lanes->setValue(lane);
    if (lane >= shown.first + shown.count) m_lanes->setValue(lane - shown.count + 1);
}

QRect TimelineView::BarArea() const {
    const int scroll = m_lanes->isVisible() ? m_lanes->width() : 0;
    return rect().adjusted(kMargin, kMargin, -kMargin - scroll,
                           -kMargin - kAxisHeight - (LegendRows() + 1) * kLegendHeight - kGapStrip);
}

QRect TimelineView::LaneRect(int row) const {
    const QRect area = BarArea();
    return {area.left(), area.top() + row * kLaneHeight, area.width(), kLaneHeight - 4};
}

void TimelineView::Relayout() {
    const plot::LaneWindow before = ShownLanes();
    layout_ = plot::LayOutTimeline(recordings_, view_.t0, view_.t1, BarArea().width(), windowStart_,
                                   windowLength_);
    const plot::LaneWindow shown = plot::ShownLanes(layout_.lanes, kShownLanes, before.first);
    const bool scrolls = layout_.lanes > shown.count;
    m_lanes->setRange(0, layout_.lanes - shown.count);
    m_lanes->setPageStep(shown.count);
    m_lanes->setGeometry(width() - kMargin - m_lanes->sizeHint().width(), kMargin,
                         m_lanes->sizeHint().width(), shown.count * kLaneHeight);
    if (m_lanes->isVisible() != scrolls) {
        m_lanes->setVisible(scrolls);
        // The bar area's width changed with it.
        layout_ = plot::LayOutTimeline(recordings_, view_.t0, view_.t1, BarArea().width(),
                                       windowStart_, windowLength_);
    }
    setFixedHeight(sizeHint().height());
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
    const plot::LaneWindow shown = ShownLanes();
    const QRect lanes(area.left(), area.top(), area.width(), shown.count * kLaneHeight);
    // The dialog's time window behind the bars, so that their colours stay
    // the legend's; its edges over them.
    const QRectF window(area.left() + layout_.windowX0, lanes.top() - 2,
                        std::max(1.0, layout_.windowX1 - layout_.windowX0), lanes.height() + 2);
    if (layout_.windowVisible) p.fillRect(window, kWindowShade);
    if (!notice_.isEmpty()) {
        p.setPen(palette().color(QPalette::Text));
        p.drawText(lanes, Qt::AlignCenter | Qt::TextWordWrap, notice_);
    } else {
        PaintBars(p, area);
    }
    if (layout_.windowVisible) {
        p.save();
        p.setClipRect(area.adjusted(0, -2, 0, 0));
        p.setPen(QPen(kWindowEdge, 2));
        p.drawLine(window.topLeft(), window.bottomLeft());
        p.drawLine(window.topRight(), window.bottomRight());
        p.restore();
    }
    PaintAxis(p, area);
    PaintLegend(p, area.bottom() + kGapStrip + kAxisHeight + 2);
}

void TimelineView::PaintBars(QPainter& p, const QRect& area) {
    const plot::LaneWindow shown = ShownLanes();
    p.save();
    // Nothing leaks into the margins, however far a bar reaches.
    p.setClipRect(QRect(area.left(), area.top() - 2, area.width(),
                        shown.count * kLaneHeight + kGapStrip + 4));
    // Gaps as a strip under the lanes: time between recordings that none covers.
    const int gapY = area.top() + shown.count * kLaneHeight;
    for (const plot::TimelineGap& gap : layout_.gaps)
        p.fillRect(QRectF(area.left() + gap.x0, gapY, std::max(1.0, gap.x1 - gap.x0), kGapStrip),
                   kGapColour);
    for (const plot::TimelineBar& bar : layout_.bars) {
        const int row = bar.lane - shown.first;
        if (!bar.visible || row < 0 || row >= shown.count) continue;
        const QRect lane = LaneRect(row);
        // Whole pixel columns: the first column of each bar stays background,
        // the separator between neighbours.
        const QRect r(area.left() + bar.fill0, lane.top(), bar.fill1 - bar.fill0, lane.height());
        p.fillRect(r, BarColour(bar.conversion));
        if (bar.lengthMismatch) p.fillRect(r, QBrush(kMismatchColour, Qt::BDiagPattern));
        if (bar.overlaps) {
            p.setPen(QPen(kOverlapColour, 2));
            p.drawRect(QRectF(r).adjusted(1, 1, -1, -1));
        }
        if (static_cast<int>(bar.recording) == selected_) {
            p.setPen(QPen(kSelectedColour, 2));
            p.drawRect(r.adjusted(0, -1, 0, 1));
        }
    }
    p.restore();
}

void TimelineView::PaintAxis(QPainter& p, const QRect& area) {
    p.setPen(palette().color(QPalette::Text));
    const int axisY = area.bottom() + kGapStrip + 1;
    p.drawLine(area.left(), axisY, area.right(), axisY);
    const QFontMetrics metrics(font());
    int labelsEnd = -1000;  // right edge of the last label drawn
    for (const plot::Tick& tick :
         plot::TimeTicks(view_.t0, view_.t1, area.width(), 56, plot::TimeLabels::HoursMinutes)) {
        const int x = area.left() + static_cast<int>(std::lround(tick.x));
        p.drawLine(x, axisY, x, axisY + 4);
        const QString label = QString::fromStdString(tick.label);
        const int w = metrics.horizontalAdvance(label);
        const int lx = std::clamp(x - w / 2, 0, std::max(0, width() - w));
        if (lx < labelsEnd + 8) continue;
        p.drawText(lx, axisY + 5 + metrics.ascent(), label);
        labelsEnd = lx + w;
    }
}

namespace {

struct LegendEntry {
    QColor colour;
    QString text;
};

// A swatch, a small space, the text; entries kLegendGap apart.
constexpr int kSwatchSpace = 16;
constexpr int kLegendGap = 14;

std::vector<LegendEntry> LegendEntries() {
    return {
        {kRecordingColour, TimelineView::tr(platform::texts::kLegendRecording)},
        {kConvertedColour, TimelineView::tr(platform::texts::kLegendConverted)},
        {kPartlyColour, TimelineView::tr(platform::texts::kLegendPartly)},
        {kFailedColour, TimelineView::tr(platform::texts::kLegendFailed)},
        {kOverlapColour, TimelineView::tr(platform::texts::kLegendOverlap)},
        {kGapColour, TimelineView::tr(platform::texts::kLegendGap)},
        {kWindowShade, TimelineView::tr(platform::texts::kLegendWindow)},
        {kMismatchColour, TimelineView::tr(platform::texts::kLegendMismatch)},
    };
}

}  // namespace

std::vector<plot::LegendPlace> TimelineView::LegendPlaces() const {
    const QFontMetrics metrics(font());
    std::vector<int> widths;
    for (const LegendEntry& e : LegendEntries())
        widths.push_back(kSwatchSpace + metrics.horizontalAdvance(e.text));
    return plot::WrapLegend(widths, width() - 2 * kMargin, kLegendGap);
}

int TimelineView::LegendRows() const {
    const std::vector<plot::LegendPlace> places = LegendPlaces();
    return places.empty() ? 0 : places.back().row + 1;
}

void TimelineView::PaintLegend(QPainter& p, int top) {
    const QFontMetrics metrics(font());
    const std::vector<LegendEntry> entries = LegendEntries();
    const std::vector<plot::LegendPlace> places = LegendPlaces();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int x = kMargin + places[i].x;
        const int y = top + places[i].row * kLegendHeight;
        const QRect swatch(x, y + 3, 12, 10);
        if (entries[i].colour == kMismatchColour) {
            p.fillRect(swatch, kRecordingColour);
            p.fillRect(swatch, QBrush(entries[i].colour, Qt::BDiagPattern));
        } else {
            p.fillRect(swatch, entries[i].colour);
        }
        p.setPen(palette().color(QPalette::Text));
        p.drawText(x + kSwatchSpace, y + 3 + metrics.ascent() - 1, entries[i].text);
    }
    // Whose clock the axis keeps, and the date at its start.
    p.drawText(kMargin, top + LegendRows() * kLegendHeight + 3 + metrics.ascent() - 1,
               TimeAxisText(view_.t0));
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

void TimelineView::ZoomToWindow() {
    if (windowLength_ <= 0) return;
    // The window may reach past the recordings' days: the view widens to it.
    span_ = {std::min(span_.t0, std::floor(windowStart_ / 86400) * 86400),
             std::max(span_.t1, std::ceil((windowStart_ + windowLength_) / 86400) * 86400)};
    SetView(windowStart_, windowStart_ + windowLength_);
}

void TimelineView::ShowWholeDays() {
    span_ = plot::CoveredDays(recordings_, windowLength_ > 0 ? windowStart_ : 0);
    SetView(span_.t0, span_.t1);
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

int TimelineView::RecordingAtPixel(QPointF pos) const {
    const QRect area = BarArea();
    const plot::LaneWindow shown = ShownLanes();
    const int row = static_cast<int>(std::floor((pos.y() - area.top()) / kLaneHeight));
    if (row < 0 || row >= shown.count) return -1;
    return plot::RecordingAt(layout_, pos.x() - area.left(), shown.first + row);
}

bool TimelineView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int hit = RecordingAtPixel(help->pos());
        if (hit >= 0 && hit < static_cast<int>(tips_.size()))
            QToolTip::showText(help->globalPos(), tips_[static_cast<std::size_t>(hit)], this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void TimelineView::ClickAt(QPointF pos) {
    const int hit = RecordingAtPixel(pos);
    if (hit < 0) return;
    SetSelected(hit);
    emit recordingClicked(hit);
}

}  // namespace app
