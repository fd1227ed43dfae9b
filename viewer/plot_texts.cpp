#include "viewer/plot_texts.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "formats/recorder/recorder_messages.h"
#include "platform/message_catalogue.h"
#include "platform/operator_texts.h"
#include "platform/system_reason.h"
#include "plot/axis_ticks.h"
#include "ui/text_8bit.h"

namespace app {

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("plot", text); }

namespace texts = platform::texts;

QString RunMessage(engine::FileRefusal refusal, const QString& path) {
    return FromText8(platform::TranslateMessage(engine::RefusalMessage(refusal, ToText8(path))));
}

}  // namespace

QString LoadFailureText(const QString& path, const plot::LoadResult& result) {
    switch (result.failure) {
        case plot::LoadFailure::None:
            break;
        // Said as a file run says it of a picked file.
        case plot::LoadFailure::CannotOpen:
            return RunMessage(engine::FileRefusal::Unreadable, path) + QStringLiteral(": ") +
                   FromText8(platform::TranslateMessage(platform::SystemReason(result.error)));
        case plot::LoadFailure::NotARecording:
            return RunMessage(engine::FileRefusal::NotARecording, path);
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
    return {Tr(texts::kPlotSamplesAxis), Tr(texts::kPlotNoData),    Tr(texts::kPlotTimeAxis),
            Tr(texts::kPlotEvent),       Tr(texts::kPlotConverted), Tr(texts::kPlotNotConverted)};
}

QString TimeText(double t, int decimals) {
    return QString::fromStdString(plot::DateTimeText(t, decimals));
}

QString TimeAxisText(double t0) { return Tr(texts::kPlotTimeAxis).arg(TimeText(t0)); }

QString RecordingTitle(const plot::PlotRecording& recording) {
    QString title =
        Tr(texts::kPlotTitle)
            .arg(QFileInfo(FromText8(recording.path)).fileName(), FromText8(recording.station),
                 TimeText(recording.start), QString::number(recording.rate, 'f', 3));
    if (recording.eventTime)
        title += Tr(texts::kPlotTitleEvent).arg(TimeText(*recording.eventTime, 2));
    return title;
}

}  // namespace app
