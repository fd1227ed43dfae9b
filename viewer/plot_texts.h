// The texts of the plots and of kelvaron-plot, in the interface language.
#pragma once

#include <QString>

#include "plot/recording_source.h"
#include "viewer/trace_painter.h"

namespace app {

// Why `path` could not be drawn; names the file and, once known, the station.
QString LoadFailureText(const QString& path, plot::LoadFailure failure);
plot::TraceTexts TraceTextsInLanguage();
// kPlotTitle above a plot: station, DD.MM.YYYY hh:mm:ss, rate.
QString RecordingTitle(const plot::PlotRecording& recording);

}  // namespace app
