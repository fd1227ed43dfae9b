#include "viewer/trace_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "plot/axis_ticks.h"
#include "plot/sample_envelope.h"
#include "ui/text_8bit.h"

namespace plot {

namespace {

constexpr int kLeftMargin = 80;
constexpr int kRightMargin = 8;
constexpr int kTopMargin = 4;
constexpr int kBottomMargin = 40;  // the marks' labels, then what the axis is
constexpr int kBandGap = 6;

const QColor kTraceColour(20, 40, 120);
const QColor kNotConvertedColour(130, 130, 130);
const QColor kEventColour(210, 30, 30);
const QColor kGridColour(225, 225, 225);
const QColor kFrameColour(120, 120, 120);

// Draws text with its baseline at (x, y) and notes where it went.
void Label(QPainter& painter, int x, int y, const QString& text, std::vector<DrawnLabel>& drawn) {
    const QFontMetrics metrics(painter.font());
    painter.drawText(x, y, text);
    drawn.push_back(
        {QRect(x, y - metrics.ascent(), metrics.horizontalAdvance(text), metrics.height()), text});
}

void PaintTimeAxis(QPainter& painter, const TraceFrame& frame, double t0, double t1,
                   const TraceTexts& texts, std::vector<DrawnLabel>& drawn) {
    const QRect& plot = frame.plot;
    const std::vector<Tick> ticks = TimeTicks(t0, t1, plot.width(), 90, TimeLabels::Seconds);
    const QFontMetrics metrics(painter.font());
    int labelsEnd = -1000;  // right edge of the last label drawn
    for (const Tick& tick : ticks) {
        const int x = plot.left() + static_cast<int>(std::lround(tick.x));
        painter.setPen(kGridColour);
        for (const QRect& band : frame.bands) painter.drawLine(x, band.top(), x, band.bottom());
        painter.setPen(kFrameColour);
        painter.drawLine(x, plot.bottom(), x, plot.bottom() + 4);
        const QString label = QString::fromStdString(tick.label);
        const int w = metrics.horizontalAdvance(label);
        painter.setPen(Qt::black);
        const int lx = std::clamp(x - w / 2, plot.left(), std::max(plot.left(), plot.right() - w));
        if (lx < labelsEnd + 8) continue;  // the first mark, pushed right, would overlap
        Label(painter, lx, plot.bottom() + 6 + metrics.ascent(), label, drawn);
        labelsEnd = lx + w;
    }
    // Marks say only the clock: the line under them says whose clock, and the date.
    painter.setPen(Qt::black);
    Label(painter, plot.left(), plot.bottom() + 8 + metrics.height() + metrics.ascent(),
          texts.timeAxis.arg(QString::fromStdString(DateTimeText(t0, t1 - t0 < 10 ? 2 : 0))),
          drawn);
}

// The event of a triggered recording, on every band it falls in view of.
void PaintEvent(QPainter& painter, const TraceFrame& frame, double t0, double t1, double event,
                const TraceTexts& texts, std::vector<DrawnLabel>& drawn) {
    if (!(event >= t0 && event < t1)) return;
    const QRect& plot = frame.plot;
    const int x =
        plot.left() + static_cast<int>(std::lround((event - t0) / (t1 - t0) * plot.width()));
    painter.setPen(QPen(kEventColour, 2));
    for (const QRect& band : frame.bands) painter.drawLine(x, band.top(), x, band.bottom());
    const QFontMetrics metrics(painter.font());
    const QString label = texts.event.arg(QString::fromStdString(ClockText(event, 2)));
    const int w = metrics.horizontalAdvance(label);
    // Right of the mark, or left of it near the right edge; in the top band,
    // below where the channel's name sits.
    const int lx = x + 4 + w <= plot.right() ? x + 4 : x - 4 - w;
    const int y = frame.bands.front().top() + 2 * metrics.height() + 4;
    painter.fillRect(lx - 1, y - metrics.ascent() - 1, w + 2, metrics.height() + 2, Qt::white);
    painter.setPen(kEventColour);
    Label(painter, lx, y, label, drawn);
}

void PaintBand(QPainter& painter, const QRect& band, const PlotChannel& channel, double rate,
               double first, double last, const TraceTexts& texts, std::vector<DrawnLabel>& drawn) {
    const std::vector<ColumnRange> columns =
        ColumnEnvelope(channel.samples, rate, first, last, band.width());
    int lo = 32767, hi = -32768;
    for (const ColumnRange& c : columns)
        if (c.count) {
            lo = std::min<int>(lo, c.min);
            hi = std::max<int>(hi, c.max);
        }
    const QFontMetrics metrics(painter.font());
    painter.setPen(kFrameColour);
    painter.drawRect(band.adjusted(0, 0, -1, -1));
    // The name last, on a patch of its own, so that the trace does not run through it.
    const auto paintName = [&] {
        QString name = app::FromText8(channel.name);
        if (channel.converted)
            name += QStringLiteral(" \u2014 ") +
                    (*channel.converted ? texts.converted : texts.notConverted);
        painter.fillRect(band.left() + 1, band.top() + 1, metrics.horizontalAdvance(name) + 6,
                         metrics.height() + 2, Qt::white);
        painter.setPen(Qt::black);
        Label(painter, band.left() + 4, band.top() + 2 + metrics.ascent(), name, drawn);
    };
    if (lo > hi) {
        painter.setPen(Qt::black);
        painter.drawText(band, Qt::AlignCenter, texts.noData);
        paintName();
        return;
    }
    if (lo == hi) {
        --lo;
        ++hi;
    }
    const double top = band.top() + 2, height = band.height() - 4;
    const auto y = [&](double v) { return top + (hi - v) / (hi - lo) * height; };

    painter.setPen(Qt::black);
    for (const Tick& tick : AmplitudeTicks(lo, hi, height, 24)) {
        const int ty = static_cast<int>(std::lround(y(tick.value)));
        painter.setPen(kFrameColour);
        painter.drawLine(band.left() - 4, ty, band.left(), ty);
        painter.setPen(Qt::black);
        const QString label = QString::fromStdString(tick.label);
        Label(painter, band.left() - 6 - metrics.horizontalAdvance(label),
              ty + metrics.ascent() / 2 - 1, label, drawn);
    }

    // A channel no trace holds yet is drawn apart from those converted.
    painter.setPen(channel.converted && !*channel.converted ? kNotConvertedColour : kTraceColour);
    bool joined = false;
    double lastY = 0;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const ColumnRange& r = columns[c];
        if (!r.count) continue;
        const double x = band.left() + static_cast<double>(c) + 0.5;
        if (joined) painter.drawLine(QPointF(x - 1, lastY), QPointF(x, y(r.first)));
        painter.drawLine(QPointF(x, y(r.min)), QPointF(x, y(r.max)));
        lastY = y(r.last);
        joined = true;
    }
    paintName();
}

}  // namespace

TraceFrame LayOutTraceFrame(const QRect& area, int channels) {
    TraceFrame frame;
    frame.plot = area.adjusted(kLeftMargin, kTopMargin, -kRightMargin, -kBottomMargin);
    if (channels <= 0 || frame.plot.height() <= 0) return frame;
    const int band = std::max(1, (frame.plot.height() - kBandGap * (channels - 1)) / channels);
    for (int i = 0; i < channels; ++i)
        frame.bands.emplace_back(frame.plot.left(), frame.plot.top() + i * (band + kBandGap),
                                 frame.plot.width(), band);
    return frame;
}

std::vector<DrawnLabel> PaintTraces(QPainter& painter, const QRect& area,
                                    const PlotRecording& recording,
                                    const std::vector<int>& channels, double t0, double t1,
                                    const TraceTexts& texts) {
    std::vector<DrawnLabel> drawn;
    const TraceFrame frame = LayOutTraceFrame(area, static_cast<int>(channels.size()));
    if (frame.plot.width() <= 0 || frame.bands.empty()) return drawn;
    painter.save();
    PaintTimeAxis(painter, frame, t0, t1, texts, drawn);
    for (std::size_t i = 0; i < channels.size(); ++i) {
        const int c = channels[i];
        if (c < 0 || c >= static_cast<int>(recording.channels.size())) continue;
        PaintBand(painter, frame.bands[i], recording.channels[c], recording.rate,
                  t0 - recording.start, t1 - recording.start, texts, drawn);
    }
    if (recording.eventTime) PaintEvent(painter, frame, t0, t1, *recording.eventTime, texts, drawn);
    // What the amplitude marks are, once, upright along the left edge.
    const QFontMetrics metrics(painter.font());
    painter.setPen(Qt::black);
    painter.save();
    painter.translate(area.left() + 2 + metrics.ascent(), frame.plot.center().y());
    painter.rotate(-90);
    const int w = metrics.horizontalAdvance(texts.counts);
    painter.drawText(-w / 2, 0, texts.counts);
    painter.restore();
    drawn.push_back({QRect(area.left() + 2, frame.plot.center().y() - w / 2, metrics.height(), w),
                     texts.counts});
    painter.restore();
    return drawn;
}

}  // namespace plot
