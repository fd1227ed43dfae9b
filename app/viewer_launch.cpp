#include "app/viewer_launch.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <stdexcept>

#include "app/converter_dlg.h"
#include "catalog/file_list_paths.h"
#include "engine/drivers.h"
#include "formats/date_time.h"
#include "formats/recorder/recorder_text.h"
#include "platform/kelvaron_settings.h"
#include "platform/operator_texts.h"
#include "res/resource_ids.h"
#include "ui/text_8bit.h"
#include "viewer/recording_viewer.h"

namespace app {

namespace {

struct Window {
    double start = 0, length = 0;
};

// The window as a run would take it from the fields.
Window DialogWindow(const CConverterDlg& dialog) {
    const engine::RunRequest request = dialog.BuildRequest(engine::RunMode::Window);
    return {request.windowStart, request.windowLength};
}

// Asked on the dialog's thread, once a listing has arrived.
std::vector<std::string> CataloguedTraces(const CConverterDlg& dialog, const std::string& station) {
    // The connection is the run's while a run lasts.
    if (dialog.IsRunActive())
        throw std::runtime_error(ToText8(
            QCoreApplication::translate("CRecordingViewer", platform::texts::kRunInProgress)));
    return ListStationTracePaths(station);
}

class RightClickFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
                // The context menu event still follows: the window sends it itself.
                return static_cast<QMouseEvent*>(event)->button() == Qt::RightButton;
            default:
                return QObject::eventFilter(watched, event);
        }
    }
};

// The end of a run is announced while its worker is still on the way out,
// and the catalogue is the run's until it has gone.
void RelistOnceTheRunIsOver(QPointer<CRecordingViewer> viewer, const CConverterDlg& dialog) {
    if (!viewer) return;
    if (!dialog.IsRunActive()) {
        viewer->Relist();
        return;
    }
    QTimer::singleShot(50, viewer, [viewer, &dialog] { RelistOnceTheRunIsOver(viewer, dialog); });
}

}  // namespace

void KeepSelectionOnRightClick(QAbstractItemView& view) {
    view.viewport()->installEventFilter(new RightClickFilter(&view));
}

QKeySequence ViewRecordingsShortcut() { return QKeySequence(Qt::Key_F3); }

CRecordingViewer* OpenRecordingViewer(CConverterDlg& dialog) {
    const std::vector<std::string> stations = dialog.BuildRequest(engine::RunMode::Window).stations;
    if (stations.size() != 1) return nullptr;
    const std::string& station = stations.front();
    const Window window = DialogWindow(dialog);
    auto* viewer = new CRecordingViewer(
        station, platform::SourceDirectory(station, platform::kSourceDirectoryChars), window.start,
        window.length,
        [&dialog](const std::string& station) { return CataloguedTraces(dialog, station); },
        &dialog);
    for (int id : {res::kIdStartField, res::kIdDurationField}) {
        auto* edit = qobject_cast<QLineEdit*>(dialog.GetDlgItem(id));
        if (!edit) continue;
        QObject::connect(edit, &QLineEdit::textChanged, viewer, [viewer, &dialog] {
            const Window w = DialogWindow(dialog);
            viewer->SetWindow(w.start, w.length);
        });
    }
    // A run may have converted some of them.
    QObject::connect(&dialog, &CConverterDlg::runEnded, viewer,
                     [viewer, &dialog] { RelistOnceTheRunIsOver(viewer, dialog); });
    viewer->show();
    return viewer;
}

}  // namespace app
