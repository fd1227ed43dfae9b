// The texts of the plots and of kelvaron-plot, in the interface language.
#pragma once

#include <QString>

#include "plot/recording_source.h"
#include "viewer/trace_painter.h"

namespace app {

// Why `path` could not be drawn; names the file, and the system's reason
// when it could not be read.
QString LoadFailureText(const QString& path, const plot::LoadResult& result);
plot::TraceTexts TraceTextsInLanguage();
// kPlotTitle above a plot: file name, station, start, rate, and the event of
// a triggered recording.
QString RecordingTitle(const plot::PlotRecording& recording);
// What a time axis is, from its first moment on.
QString TimeAxisText(double t0);
// A time on the recorder's clock as the dialog writes it.
QString TimeText(double t, int decimals = 0);

}  // namespace app
