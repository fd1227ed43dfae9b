// kelvaron-screenshot: renders the dialog offscreen into a PNG, for the README
// and for looking at the dialog without a display. Works like kelvaron (same
// ./kelvaron.ini, tvx.ini and catalogue) and shows no window.
//
//   kelvaron-screenshot OUT.png [--station NAME] [--run] [--viewer FILE]
//
// --station: only that station selected, its channels listed.
// --viewer: the recording viewer opened on the station (as its menu item
// opens it) with the recording FILE of its directory clicked; the picture
// shows the dialog and the viewer side by side.
// --run: the convert button pressed; the picture is taken while a file is in
// work, then the run is stopped as closing the window stops it.
#include <QApplication>
#include <QListWidget>
#include <QPainter>
#include <QTest>
#include <cstdio>
#include <string>

#include "app/converter_app.h"
#include "app/converter_dlg.h"
#include "app/ui_hooks.h"
#include "app/viewer_launch.h"
#include "catalog/catalogue.h"
#include "engine/drivers.h"
#include "ui/interface_translation.h"
#include "viewer/recording_viewer.h"

namespace {

class ConsoleMessages : public platform::MessageSink {
public:
    void ShowMessage(const std::string& text, const std::string& caption,
                     platform::MessageIcon) override {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
};

int Usage() {
    std::fprintf(stderr,
                 "usage: kelvaron-screenshot OUT.png [--station NAME] [--run] [--viewer FILE]\n");
    return 2;
}

// Waits for the listing, clicks the recording named `file` and waits for it.
bool ShowRecording(CRecordingViewer& viewer, const QString& file) {
    viewer.resize(1100, 560);
    (void)QTest::qWaitForWindowExposed(&viewer);
    if (!QTest::qWaitFor([&] { return viewer.IsListed(); }, 30000)) return false;
    const auto& entries = viewer.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (QString::fromStdString(entries[i].name) != file) continue;
        viewer.SelectRecording(static_cast<int>(i));
        return QTest::qWaitFor([&] { return !viewer.IsLoading(); }, 30000) &&
               !viewer.HeaderFacts().isEmpty();
    }
    return false;
}

QImage SideBySide(const QImage& left, const QImage& right) {
    constexpr int kGap = 12;
    QImage both(left.width() + kGap + right.width(), std::max(left.height(), right.height()),
                QImage::Format_RGB32);
    both.fill(QColor(200, 200, 200));
    QPainter p(&both);
    p.drawImage(0, 0, left);
    p.drawImage(left.width() + kGap, 0, right);
    return both;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelvaron"));
    app::InstallInterfaceTranslators(application);

    if (argc < 2) return Usage();
    const QString out = QString::fromLocal8Bit(argv[1]);
    QString station;
    bool run = false;
    QString viewerFile;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--station" && i + 1 < argc)
            station = QString::fromLocal8Bit(argv[++i]);
        else if (arg == "--run")
            run = true;
        else if (arg == "--viewer" && i + 1 < argc)
            viewerFile = QString::fromLocal8Bit(argv[++i]);
        else
            return Usage();
    }

    // Message boxes would wait for an operator: print them instead.
    app::SetMessageBoxHandler([](QWidget*, const QString& text, const QString& caption,
                                 platform::MessageIcon, const QString&) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    });
    ConsoleMessages messages;
    if (!OpenCatalogue(theDatabase, messages)) return 1;

    int status = 0;
    {
        CConverterDlg dialog(theDatabase);
        dialog.show();
        (void)QTest::qWaitForWindowExposed(&dialog);
        if (!station.isEmpty()) {
            auto* list = static_cast<QListWidget*>(dialog.GetDlgItem(1000));
            const QList<QListWidgetItem*> found = list->findItems(station, Qt::MatchExactly);
            if (found.isEmpty()) {
                std::fprintf(stderr, "no station %s in kelvaron.ini\n", qPrintable(station));
                status = 1;
            } else {
                list->setCurrentItem(found.first(), QItemSelectionModel::ClearAndSelect);
            }
        }
        if (run) {
            dialog.OnOK();
            (void)QTest::qWaitFor(
                [&] { return !dialog.CurrentFileText().isEmpty() || !dialog.IsRunActive(); },
                30000);
        }
        QTest::qWait(50);  // let pending paints land
        QImage picture = dialog.grab().toImage();
        if (!viewerFile.isEmpty()) {
            CRecordingViewer* viewer = dialog.OpenRecordingViewer();
            if (!viewer || !ShowRecording(*viewer, viewerFile)) {
                std::fprintf(stderr, "cannot show %s in the viewer\n", qPrintable(viewerFile));
                status = 1;
            } else {
                picture = SideBySide(picture, viewer->grab().toImage());
            }
        }
        if (!picture.save(out)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
            status = 1;
        }
        dialog.close();
    }
    theDatabase.Close();
    return status;
}
