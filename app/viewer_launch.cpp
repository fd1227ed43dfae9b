#include "app/viewer_launch.h"

#include <QAbstractItemView>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>

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

}  // namespace

void KeepSelectionOnRightClick(QAbstractItemView& view) {
    view.viewport()->installEventFilter(new RightClickFilter(&view));
}

QKeySequence ViewRecordingsShortcut() { return QKeySequence(Qt::Key_F3); }

CRecordingViewer* OpenRecordingViewer(ViewerHost& host, QWidget* parent) {
    const std::vector<std::string> stations = host.SelectedStations();
    if (stations.size() != 1) return nullptr;
    const std::string& station = stations.front();
    const ViewerHost::TimeWindow window = host.Window();
    const QPointer<ViewerHost> guard(&host);
    auto* viewer = new CRecordingViewer(
        station, host.SourceDirectory(station), window.start, window.length,
        [guard](const std::string& station) {
            return guard ? guard->CataloguedTraces(station) : std::vector<std::string>();
        },
        parent);
    QObject::connect(&host, &ViewerHost::windowChanged, viewer, [viewer, guard] {
        const ViewerHost::TimeWindow w = guard->Window();
        viewer->SetWindow(w.start, w.length);
    });
    // A run may have converted some of them.
    QObject::connect(&host, &ViewerHost::runEnded, viewer,
                     [viewer, guard] { RelistOnceTheRunIsOver(viewer, guard); });
    viewer->show();
    return viewer;
}

}  // namespace app
