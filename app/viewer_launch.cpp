#include "app/viewer_launch.h"

#include <QAbstractItemView>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "app/viewer_host.h"
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

// Beside the dialog, not over the fields it mirrors: right of it where the
// screen has room, else left of it, else as far right as the screen allows.
void PlaceBeside(QWidget& viewer, const QWidget& dialog) {
    const QScreen* screen = dialog.screen();
    if (!screen) return;
    const QRect free = screen->availableGeometry();
    const QRect beside = dialog.frameGeometry();
    QSize size = viewer.size().boundedTo(free.size());
    viewer.resize(size);
    const QRect frame = viewer.frameGeometry();
    const int extraW = frame.width() - viewer.width(), extraH = frame.height() - viewer.height();
    int x = beside.right() + 1;
    if (x + size.width() + extraW > free.right() + 1) {
        const int left = beside.left() - size.width() - extraW;
        x = left >= free.left() ? left : free.right() + 1 - size.width() - extraW;
    }
    const int y = std::clamp(beside.top(), free.top(),
                             std::max(free.top(), free.bottom() + 1 - size.height() - extraH));
    viewer.move(std::max(x, free.left()), y);
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
            return std::make_unique<plot::CataloguedTracePaths>(
                guard ? guard->CataloguedTraces(station) : std::vector<std::string>());
        },
        parent);
    QObject::connect(&host, &ViewerHost::windowChanged, viewer, [viewer, guard] {
        const ViewerHost::TimeWindow w = guard->Window();
        viewer->SetWindow(w.start, w.length);
    });
    // A run may have converted some of them.
    QObject::connect(&host, &ViewerHost::runEnded, viewer,
                     [viewer, guard] { RelistOnceTheRunIsOver(viewer, guard); });
    if (parent) PlaceBeside(*viewer, *parent->window());
    viewer->show();
    return viewer;
}

}  // namespace app
