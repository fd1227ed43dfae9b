// The station list's context menu: the viewer's item, and a right click that
// leaves the selection alone.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "controls/mask_edit.h"
#include "res/resource_ids.h"
#include "tests/app/dialogs/dialog_environment.h"
#include "tests/support/recorder_generator.h"
#include "viewer/recording_viewer.h"
#include "viewer/timeline_view.h"

namespace {

TEST(StationMenu, RightClickOffersTheViewerAndKeepsTheSelection) {
    app_testing::DialogEnvironment env;
    testing_support::RecordingPlan plan;
    plan.station = "ARU";
    std::filesystem::create_directory(env.dir().File("aru"));
    testing_support::MakeRecording(plan).WriteTo(env.dir().File("aru/one.rec"));
    env.WriteKelvaronIni(
        "[KELVARON]\nNSTA=2\nSTA0=KRV\nSTA1=ARU\n[ARU]\nDIR=" + env.dir().File("aru") + "\n");
    CConverterDlg& d = env.OpenDialog();
    auto* list = static_cast<QListWidget*>(d.GetDlgItem(1000));
    list->clearSelection();
    list->item(0)->setSelected(true);  // ARU alone; its channel list is not needed here
    env.messages.clear();

    struct Seen {
        QString text;
        bool enabled = false;
        QKeySequence shortcut;
    };
    std::vector<Seen> seen;
    const auto rightClick = [&](int row) {
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            for (const QAction* a : menu->actions())
                seen.push_back({a->text(), a->isEnabled(), a->shortcut()});
            menu->close();
        });
        // The button as the operator presses it, then the menu request that the
        // window system sends after it.
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, at);
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list->viewport(), &request);
    };

    rightClick(1);  // on KRV, not selected
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text.toStdString(), "Просмотр записей…");
    EXPECT_TRUE(seen[0].enabled);
    EXPECT_EQ(seen[0].shortcut, QKeySequence(Qt::Key_F3));
    EXPECT_TRUE(list->item(0)->isSelected());
    EXPECT_FALSE(list->item(1)->isSelected());
    EXPECT_TRUE(env.messages.empty());

    // The shortcut opens the viewer on ARU's directory.
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    QTest::keyClick(&d, Qt::Key_F3);
    auto* viewer = d.findChild<CRecordingViewer*>();
    ASSERT_TRUE(viewer);
    EXPECT_TRUE(viewer->isWindow());
    ASSERT_TRUE(app_testing::WaitFor([&] { return viewer->IsListed(); }));
    ASSERT_EQ(viewer->Entries().size(), 1u);
    EXPECT_EQ(viewer->Entries()[0].name, "one.rec");
    // Its shaded window follows the dialog's duration field as it changes.
    auto* duration = static_cast<CMaskEdit*>(d.GetDlgItem(res::kIdDurationField));
    duration->SetMaskedText("001 02:00:00");
    EXPECT_EQ(viewer->Timeline()->WindowLength(), 86400 + 7200);
    // One viewer per station: asked again, the open one comes forward.
    EXPECT_EQ(d.OpenRecordingViewer(), viewer);
    EXPECT_EQ(d.findChildren<CRecordingViewer*>().size(), 1);
    // Escape closes it.
    viewer->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
    QTest::keyClick(viewer, Qt::Key_Escape);
    EXPECT_FALSE(viewer->isVisible());

    // KRV has no DIR: its viewer says so, and lists no directory (not "/").
    list->clearSelection();
    list->item(1)->setSelected(true);
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    QTest::keyClick(&d, Qt::Key_F3);
    CRecordingViewer* krv = nullptr;
    for (CRecordingViewer* v : d.findChildren<CRecordingViewer*>())
        if (v->Station() == "KRV") krv = v;
    ASSERT_TRUE(krv);
    EXPECT_TRUE(krv->IsListed());
    EXPECT_EQ(krv->RunningReaders(), 0);
    EXPECT_EQ(krv->StatusText().toStdString(),
              "Для станции KRV не задан каталог исходных файлов (DIR)");
    EXPECT_TRUE(krv->Timeline()->Layout().gaps.empty());
    krv->close();
    list->item(0)->setSelected(true);

    // two stations: nothing to view
    seen.clear();
    rightClick(0);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_FALSE(seen[0].enabled);
}

}  // namespace
