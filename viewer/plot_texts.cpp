#include "viewer/plot_texts.h"

#include <QCoreApplication>

#include "plot/axis_ticks.h"
#include "ui/text_8bit.h"

namespace app {

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("plot", text); }

}  // namespace

QString LoadFailureText(const QString& path, plot::LoadFailure failure) {
    switch (failure) {
        case plot::LoadFailure::None:
            break;
        case plot::LoadFailure::CannotOpen:
            return Tr("Файл '%1' не читается").arg(path);
        case plot::LoadFailure::NoStation:
            return Tr("В файле '%1' нет имени станции").arg(path);
        case plot::LoadFailure::NoStartTime:
            return Tr("В файле '%1' нет времени начала записи").arg(path);
        case plot::LoadFailure::BadDataOffset:
            return Tr("В файле '%1' начало данных лежит за концом файла").arg(path);
        case plot::LoadFailure::OutOfMemory:
            return Tr("Данные файла '%1' не помещаются в памяти").arg(path);
        case plot::LoadFailure::NotATraceHeader:
            return Tr("Заголовок файла '%1' не в формате TVX 4.0").arg(path);
    }
    return {};
}

plot::TraceTexts TraceTextsInLanguage() { return {Tr("отсчёты"), Tr("нет данных")}; }

QString RecordingTitle(const plot::PlotRecording& recording) {
    return Tr("%1   %2   %3 отс./с.")
        .arg(FromText8(recording.station),
             QString::fromStdString(plot::DateTimeText(recording.start)),
             QString::number(recording.rate, 'f', 3));
}

}  // namespace app
