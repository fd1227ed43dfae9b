#include "viewer/plot_texts.h"

#include <QCoreApplication>

#include "platform/operator_texts.h"
#include "plot/axis_ticks.h"
#include "ui/text_8bit.h"

namespace app {

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("plot", text); }

namespace texts = platform::texts;

}  // namespace

QString LoadFailureText(const QString& path, plot::LoadFailure failure) {
    switch (failure) {
        case plot::LoadFailure::None:
            break;
        case plot::LoadFailure::CannotOpen:
            return Tr(texts::kPlotCannotOpen).arg(path);
        case plot::LoadFailure::NoStation:
            return Tr(texts::kPlotNoStation).arg(path);
        case plot::LoadFailure::NoStartTime:
            return Tr(texts::kPlotNoStartTime).arg(path);
        case plot::LoadFailure::BadDataOffset:
            return Tr(texts::kPlotBadDataOffset).arg(path);
        case plot::LoadFailure::OutOfMemory:
            return Tr(texts::kPlotOutOfMemory).arg(path);
        case plot::LoadFailure::NotATraceHeader:
            return Tr(texts::kPlotNotATraceHeader).arg(path);
    }
    return {};
}

plot::TraceTexts TraceTextsInLanguage() {
    return {Tr(texts::kPlotSamplesAxis), Tr(texts::kPlotNoData)};
}

QString RecordingTitle(const plot::PlotRecording& recording) {
    return Tr(texts::kPlotTitle)
        .arg(FromText8(recording.station),
             QString::fromStdString(plot::DateTimeText(recording.start)),
             QString::number(recording.rate, 'f', 3));
}

}  // namespace app
