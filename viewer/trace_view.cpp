#include "viewer/trace_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "platform/operator_texts.h"
#include "ui/text_8bit.h"
#include "viewer/plot_texts.h"
#include "viewer/trace_painter.h"

namespace app {

namespace {

constexpr double kZoomStep = 1.25;  // per wheel notch
constexpr int kDragThreshold = 3;   // pixels before a press becomes a drag

}  // namespace

TraceView::TraceView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(400, 240);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TraceView::SetRecording(std::shared_ptr<const plot::PlotRecording> recording) {
    recording_ = std::move(recording);
    channels_.clear();
    // A readout of the recording that was on show would pass for this one's.
    marked_.reset();
    emit sampleClicked(QString());
    if (recording_) {
        for (int i = 0; i < static_cast<int>(recording_->channels.size()); ++i)
            channels_.push_back(i);
        t0_ = recording_->start;
        t1_ = FullEnd();
    }
    update();
}

void TraceView::RefreshRecording(std::shared_ptr<const plot::PlotRecording> recording) {
    recording_ = std::move(recording);
    update();
}

double TraceView::FullEnd() const {
    if (!recording_) return 1;
    std::size_t longest = 0;
    for (const plot::PlotChannel& c : recording_->channels)
        longest = std::max(longest, c.samples.size());
    const double seconds = recording_->rate > 0 ? longest / recording_->rate : 0;
    return recording_->start + std::max(seconds, 1.0);
}

void TraceView::SetView(double t0, double t1) {
    if (!recording_ || !(t1 > t0)) return;
    const double full0 = recording_->start, full1 = FullEnd();
    // Not narrower than ten samples, not wider than the recording.
    const double minSpan = recording_->rate > 0 ? 10 / recording_->rate : 0.01;
    double span = std::clamp(t1 - t0, std::min(minSpan, full1 - full0), full1 - full0);
    const double centre = (t0 + t1) / 2;
    double start = std::clamp(centre - span / 2, full0, full1 - span);
    t0_ = start;
    t1_ = start + span;
    update();
}

double TraceView::TimeAt(double x) const {
    const plot::TraceFrame frame = plot::LayOutTraceFrame(rect(), 1);
    const double w = std::max(1, frame.plot.width());
    return t0_ + (x - frame.plot.left()) / w * (t1_ - t0_);
}

void TraceView::Zoom(double factor, double x) {
    const double anchor = TimeAt(x);
    const double t0 = anchor - (anchor - t0_) * factor;
    const double t1 = anchor + (t1_ - anchor) * factor;
    // SetView keeps the centre; pin the anchor by shifting after the clamp.
    SetView(t0, t1);
    const double shift = anchor - TimeAt(x);
    if (std::abs(shift) > 0) SetView(t0_ + shift, t1_ + shift);
}

std::optional<TraceView::Sample> TraceView::SampleAt(QPoint pos) const {
    if (!recording_ || !(recording_->rate > 0)) return std::nullopt;
    const plot::TraceFrame frame =
        plot::LayOutTraceFrame(rect(), static_cast<int>(channels_.size()));
    for (std::size_t b = 0; b < frame.bands.size(); ++b) {
        if (!frame.bands[b].contains(pos)) continue;
        const plot::PlotChannel& c = recording_->channels[static_cast<std::size_t>(channels_[b])];
        const double t = TimeAt(pos.x());
        const auto i =
            static_cast<std::int64_t>(std::llround((t - recording_->start) * recording_->rate));
        if (i < 0 || i >= static_cast<std::int64_t>(c.samples.size())) return std::nullopt;
        return Sample{channels_[b], recording_->start + i / recording_->rate,
                      c.samples[static_cast<std::size_t>(i)]};
    }
    return std::nullopt;
}

void TraceView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    labels_.clear();
    if (!recording_) {
        p.setPen(palette().color(QPalette::PlaceholderText));
        p.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap,
                   tr(platform::texts::kTraceHint));
        return;
    }
    labels_ =
        plot::PaintTraces(p, rect(), *recording_, channels_, t0_, t1_, TraceTextsInLanguage());
    if (marked_ && marked_->time >= t0_ && marked_->time < t1_) {
        const plot::TraceFrame frame = plot::LayOutTraceFrame(rect(), 1);
        const int x = frame.plot.left() +
                      static_cast<int>((marked_->time - t0_) / (t1_ - t0_) * frame.plot.width());
        p.setPen(QPen(QColor(200, 40, 40), 1, Qt::DashLine));
        p.drawLine(x, frame.plot.top(), x, frame.plot.bottom());
    }
}

void TraceView::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0) Zoom(std::pow(kZoomStep, -notches), event->position().x());
    event->accept();
}

void TraceView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = event->position().toPoint();
    pressedT0_ = t0_;
    dragged_ = false;
}

void TraceView::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_) return;
    const int dx = event->position().toPoint().x() - pressed_->x();
    if (!dragged_ && std::abs(dx) < kDragThreshold) return;
    dragged_ = true;
    const plot::TraceFrame frame = plot::LayOutTraceFrame(rect(), 1);
    const double span = t1_ - t0_;
    const double start = pressedT0_ - dx * span / std::max(1, frame.plot.width());
    SetView(start, start + span);
}

void TraceView::mouseReleaseEvent(QMouseEvent* event) {
    if (!pressed_) return;
    const bool click = !dragged_;
    pressed_.reset();
    if (!click) return;
    marked_ = SampleAt(event->position().toPoint());
    update();
    if (!marked_) return;
    const plot::PlotChannel& c = recording_->channels[static_cast<std::size_t>(marked_->channel)];
    emit sampleClicked(
        tr(platform::texts::kClickedSample)
            .arg(FromText8(c.name), TimeText(marked_->time, 3), QString::number(marked_->value)));
}

}  // namespace app
