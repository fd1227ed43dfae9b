#include "app/viewer_launch.h"

#include <QAbstractItemView>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "app/viewer_host.h"
#include "app/window_placement.h"
#include "viewer/recording_viewer.h"

namespace app {

namespace {

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
void RelistOnceTheRunIsOver(QPointer<CRecordingViewer> viewer, QPointer<ViewerHost> host) {
    if (!viewer || !host) return;
    if (!host->IsRunActive()) {
        viewer->Relist();
        return;
    }
    QTimer::singleShot(50, viewer, [viewer, host] { RelistOnceTheRunIsOver(viewer, host); });
}

// Beside the dialog, not over the fields it mirrors.
void PlaceViewer(QWidget& viewer, QWidget& dialog) {
    const QScreen* screen = dialog.screen();
    if (!screen) return;
    // Frames count: the window manager's borders take room too.
    const QRect frame = viewer.frameGeometry();
    const QSize border = frame.size() - viewer.size();
    const Placement p =
        PlaceBeside(dialog.frameGeometry(), frame.size(),
                    viewer.minimumSizeHint().width() + border.width(), screen->availableGeometry());
    if (p.dialogAt != dialog.frameGeometry().topLeft()) dialog.move(p.dialogAt);
    viewer.resize(p.window.size() - border);
    viewer.move(p.window.topLeft());
}

CRecordingViewer* ViewerOf(QWidget* parent, const std::string& station) {
    if (!parent) return nullptr;
    for (CRecordingViewer* v : parent->findChildren<CRecordingViewer*>(Qt::FindDirectChildrenOnly))
        if (v->Station() == station && v->isVisible()) return v;
    return nullptr;
}

}  // namespace

void KeepSelectionOnRightClick(QAbstractItemView& view) {
    view.viewport()->installEventFilter(new RightClickFilter(&view));
}

QKeySequence ViewRecordingsShortcut() { return QKeySequence(Qt::Key_F3); }

CRecordingViewer* OpenRecordingViewer(ViewerHost& host, QWidget* parent) {
    const std::vector<std::string> stations = host.SelectedStations();
    if (stations.size() != 1) return nullptr;
    const std::string& station = stations.front();
    // One viewer per station: asked again, the open one comes forward.
    if (CRecordingViewer* open = ViewerOf(parent, station)) {
        open->showNormal();
        open->raise();
        open->activateWindow();
        return open;
    }
    const ViewerHost::TimeWindow window = host.Window();
    const QPointer<ViewerHost> guard(&host);
    auto* viewer = new CRecordingViewer(
        station, host.SourceDirectory(station), window.start, window.length,
        [guard](const std::string& station) -> std::unique_ptr<plot::ConvertedTraces> {
            if (guard) return guard->CataloguedTraces(station);
            return std::make_unique<plot::CataloguedTracePaths>(std::vector<std::string>());
        },
        parent);
    QObject::connect(&host, &ViewerHost::windowChanged, viewer, [viewer, guard] {
        const ViewerHost::TimeWindow w = guard->Window();
        viewer->SetWindow(w.start, w.length);
    });
    // A run may have converted some of them.
    QObject::connect(&host, &ViewerHost::runEnded, viewer,
                     [viewer, guard] { RelistOnceTheRunIsOver(viewer, guard); });
    if (parent) PlaceViewer(*viewer, *parent->window());
    viewer->show();
    return viewer;
}

}  // namespace app
