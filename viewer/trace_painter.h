// Draws a recording's channels one above the other, each as its min/max
// envelope per pixel column, with a time axis (hh:mm:ss, its first moment
// with the date) and an amplitude axis in counts, the event of a triggered
// recording marked on every channel. The viewer and kelvaron-plot share it.
#pragma once

#include <QRect>
#include <QString>
#include <vector>

#include "plot/recording_source.h"

class QPainter;

namespace plot {

struct TraceFrame {
    QRect plot;                // where the samples go, all bands together
    std::vector<QRect> bands;  // one per channel drawn, top to bottom
};

// The rectangles of `channels` bands inside `area`, leaving room for the axes.
TraceFrame LayOutTraceFrame(const QRect& area, int channels);

struct TraceTexts {
    QString counts;        // what the amplitude axis shows
    QString noData;        // a band without samples in view
    QString timeAxis;      // what the time axis shows; %1: its first moment
    QString event;         // the event mark; %1: its time
    QString converted;     // after a channel's name, when its trace is held
    QString notConverted;  // ... when it is not
};

// A text the painter put on an axis (time marks, amplitude marks, names).
struct DrawnLabel {
    QRect rect;
    QString text;
};

// Draws recording.channels[i] for every i in `channels` over the epoch
// seconds [t0, t1). The background is the painter's device as it is.
// Returns the labels it drew.
std::vector<DrawnLabel> PaintTraces(QPainter& painter, const QRect& area,
                                    const PlotRecording& recording,
                                    const std::vector<int>& channels, double t0, double t1,
                                    const TraceTexts& texts);

}  // namespace plot
