// The dialog without a catalogue query: settings, station list, buttons that
// have nothing to do, leaving, the status bar and the About box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <filesystem>
#include <thread>

#include "app/about_dlg.h"
#include "app/channel_list.h"
#include "engine/drivers.h"
#include "formats/recorder/recorder_text.h"
#include "res/dialog_units.h"
#include "tests/app/dialogs/dialog_environment.h"

namespace {

using app_testing::DialogEnvironment;

QString FieldText(CConverterDlg& d, int id) {
    return static_cast<QLineEdit*>(d.GetDlgItem(id))->text();
}

app::ChannelListView* Channels(CConverterDlg& d) {
    return static_cast<app::ChannelListView*>(d.GetDlgItem(1024));
}

void Click(CConverterDlg& d, int id) { QTest::mouseClick(d.GetDlgItem(id), Qt::LeftButton); }

TEST(DialogSettings, WithoutKelvaronIniTheListIsEmptyAndTheButtonsDoNothing) {
    DialogEnvironment env;
    CConverterDlg& d = env.OpenDialog();
    EXPECT_TRUE(app_testing::StationTexts(d).isEmpty());
    EXPECT_EQ(FieldText(d, 1016), QStringLiteral("00:00:00 01/01/2000"));
    EXPECT_EQ(FieldText(d, 1017), QStringLiteral("000 00:30:00"));
    EXPECT_TRUE(static_cast<QCheckBox*>(d.GetDlgItem(1023))->isEnabled() == false);

    for (int id : {1025, 1026, 1, 1020}) {
        Click(d, id);
        EXPECT_FALSE(d.IsRunActive()) << id;
    }
    EXPECT_TRUE(env.fileDialogDirs.empty());
    EXPECT_TRUE(env.messages.empty());
    EXPECT_EQ(Channels(d)->GetItemCount(), 0);
    EXPECT_TRUE(d.isVisible());
    for (int id : {1, 2, 1020, 1025, 1026, 1024, 1000, 1016, 1017})
        EXPECT_TRUE(d.GetDlgItem(id)->isEnabled()) << id;
}

TEST(DialogSettings, EmptyStationKeysAreSkippedAndTheListIsSorted) {
    DialogEnvironment env;
    env.WriteKelvaronIni("[KELVARON]\nNSTA=3\nSTA0=zeta\nSTA1=\nSTA2=Alpha\n");
    CConverterDlg& d = env.OpenDialog();
    EXPECT_EQ(app_testing::StationTexts(d), (QStringList{"Alpha", "zeta"}));
}

TEST(DialogSettings, SeveralStationsStartAllSelectedWithAnEmptyChannelList) {
    DialogEnvironment env;
    env.WriteKelvaronIni("[kelvaron]\nnsta=3\nSTA0=KRV\nSTA1=ARU\nSTA2=OBN\n");
    CConverterDlg& d = env.OpenDialog();
    EXPECT_EQ(app_testing::SelectedStationTexts(d), (QStringList{"ARU", "KRV", "OBN"}));
    EXPECT_EQ(Channels(d)->GetItemCount(), 0);
    EXPECT_TRUE(env.messages.empty());

    Click(d, 1026);  // "Отм. выбор"
    EXPECT_TRUE(app_testing::SelectedStationTexts(d).isEmpty());
    Click(d, 1025);  // "Все"
    EXPECT_EQ(app_testing::SelectedStationTexts(d).size(), 3);
}

TEST(DialogSettings, StationNamesInCodePage1251AreShownAsCyrillic) {
    DialogEnvironment env;
    env.WriteKelvaronIni("[KELVARON]\nNSTA=2\nSTA0=\xCE\xC1\xCD\nSTA1=\xD0\x9A\xD0\xA0\xD0\x92\n");
    CConverterDlg& d = env.OpenDialog();
    EXPECT_EQ(app_testing::StationTexts(d),
              (QStringList{QStringLiteral("КРВ"), QStringLiteral("ОБН")}));
    // A run gets the names as the settings file spells them.
    const std::vector<std::string> selected = d.BuildRequest(engine::RunMode::Window).stations;
    EXPECT_EQ(selected, (std::vector<std::string>{"\xD0\x9A\xD0\xA0\xD0\x92", "\xCE\xC1\xCD"}));
}

TEST(DialogSettings, TimeQtyIsRepairedWhenLoaded) {
    const std::pair<const char*, const char*> cases[] = {
        {"01:00:00", "000 01:00:00"},
        {"1 01:00:00", "001 00:00:00"},
        {"002 00:00:00", "002 00:00:00"},
    };
    for (const auto& [stored, shown] : cases) {
        DialogEnvironment env;
        env.WriteKelvaronIni(std::string("[KELVARON]\nTIMEQTY=") + stored + "\n");
        CConverterDlg& d = env.OpenDialog();
        EXPECT_EQ(FieldText(d, 1017), QString::fromLatin1(shown)) << stored;
        EXPECT_EQ(d.BuildRequest(engine::RunMode::Window).windowLength,
                  engine::ParseDurationSeconds(shown))
            << stored;
    }
}

TEST(DialogSettings, AStartTimeWithoutDateFallsOnTheFirstOfJanuary2000) {
    DialogEnvironment env;
    env.WriteKelvaronIni("[KELVARON]\nTIME=12:30:00\n");
    CConverterDlg& d = env.OpenDialog();
    EXPECT_EQ(FieldText(d, 1016), QStringLiteral("12:30:00 01/01/2000"));
    const platform::CalendarFields t = d.StartFieldDateTime();
    EXPECT_EQ(t.year, 2000);
    EXPECT_EQ(t.day, 1);
    EXPECT_EQ(t.hour, 12);
    EXPECT_EQ(t.minute, 30);
}

TEST(DialogSettings, LeavingWritesTheFieldTextsEvenWhenTheStartIsInvalid) {
    DialogEnvironment env;
    env.WriteKelvaronIni(
        "; the operator's settings\n[KELVARON]\nNSTA=0\nTIME=12:00:00 29/02/2007\nTIMEQTY=5\n");
    CConverterDlg& d = env.OpenDialog();
    Click(d, 2);  // "Выход"
    EXPECT_FALSE(d.isVisible());
    const std::string ini = env.KelvaronIni();
    EXPECT_NE(ini.find("TIME=12:00:00 29/02/2007\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("TIMEQTY=001 00:00:00\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("; the operator's settings\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("NSTA=0\n"), std::string::npos) << ini;
}

TEST(DialogSettings, EscapeAndTheWindowCloseSaveTheTypedWindow) {
    for (const bool byEscape : {true, false}) {
        DialogEnvironment env;
        CConverterDlg& d = env.OpenDialog();
        auto* start = static_cast<QLineEdit*>(d.GetDlgItem(1016));
        start->setFocus();
        start->setCursorPosition(0);
        QTest::keyClicks(start, "2345");
        ASSERT_EQ(start->text(), QStringLiteral("23:45:00 01/01/2000"));
        if (byEscape)
            QTest::keyClick(&d, Qt::Key_Escape);
        else
            d.close();
        EXPECT_FALSE(d.isVisible());
        EXPECT_NE(env.KelvaronIni().find("TIME=23:45:00 01/01/2000"), std::string::npos)
            << env.KelvaronIni();
        EXPECT_NE(env.KelvaronIni().find("TIMEQTY=000 00:30:00"), std::string::npos);
    }
}

TEST(DialogSettings, DialogHasTheTemplatesTextsAndProportions) {
    DialogEnvironment env;
    CConverterDlg& d = env.OpenDialog();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("kelvaron"));
    const std::pair<int, const char*> buttons[] = {
        {1, "Конвертировать"}, {1020, "Конв. файл"}, {2, "Выход"},
        {1025, "Все"},         {1026, "Отм. выбор"},
    };
    for (const auto& [id, text] : buttons)
        EXPECT_EQ(static_cast<QAbstractButton*>(d.GetDlgItem(id))->text(), QString::fromUtf8(text));
    EXPECT_EQ(static_cast<QAbstractButton*>(d.GetDlgItem(1023))->text(),
              QStringLiteral("Используется коэффициент усиления "));
    EXPECT_EQ(d.findChild<QGroupBox*>()->title(), QStringLiteral("Каналы"));
    // 353 x 227 dialog units in the dialog font's units.
    EXPECT_EQ(d.size(), res::DialogUnitsToPixels(res::BaseUnitsOf(d.font()), 353, 227));
    // Columns: "Канал" and "отс./с.", each half the list's client width.
    app::ChannelListView* list = Channels(d);
    const int half = list->ClientWidth() / 2;
    EXPECT_EQ(list->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Канал"));
    EXPECT_EQ(list->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("отс./с."));
    EXPECT_EQ(list->GetColumnWidth(0), half);
    EXPECT_EQ(list->GetColumnWidth(1), half);
    // The station list lies left of the channel group, the buttons right of it.
    EXPECT_LT(d.GetDlgItem(1000)->geometry().right(), d.findChild<QGroupBox*>()->geometry().left());
    EXPECT_GT(d.GetDlgItem(1)->geometry().left(), d.findChild<QGroupBox*>()->geometry().right());
}

TEST(DialogSettings, FreeSpacePaneShowsTheDataVolumeOrAnError) {
    DialogEnvironment env;
    CConverterDlg& d = env.OpenDialog();
    EXPECT_TRUE(d.FreeSpaceText().startsWith(QStringLiteral("Доступно ")))
        << d.FreeSpaceText().toStdString();
    EXPECT_TRUE(d.FreeSpaceText().endsWith(QStringLiteral(" Мб")));
    std::filesystem::remove(env.dataDir());
    d.RefreshFreeSpace();
    EXPECT_EQ(d.FreeSpaceText(), QStringLiteral("Ошибка"));
}

TEST(DialogSettings, RefreshFromAWorkerThreadReplacesTheTextOnTheDialogsThread) {
    DialogEnvironment env;
    CConverterDlg& d = env.OpenDialog();
    std::filesystem::remove(env.dataDir());
    std::atomic<bool> done{false};
    std::thread worker([&] {
        d.RefreshFreeSpace();
        d.ShowCurrentFile("rec001.dat");
        done = true;
    });
    ASSERT_TRUE(app_testing::WaitFor([&] { return done.load(); }));
    worker.join();
    EXPECT_EQ(d.FreeSpaceText(), QStringLiteral("Ошибка"));
    EXPECT_EQ(d.CurrentFileText(), QStringLiteral("rec001.dat"));
}

TEST(DialogSettings, F1AndTheContextMenuOfferTheAboutBox) {
    DialogEnvironment env;
    CConverterDlg& d = env.OpenDialog();
    QString title, text;
    QTimer::singleShot(0, [&] {
        if (auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget())) {
            title = about->windowTitle();
            for (QLabel* l : about->findChildren<QLabel*>())
                if (!l->text().isEmpty()) text = l->text();
            about->accept();
        }
    });
    QTest::keyClick(&d, Qt::Key_F1);
    EXPECT_EQ(title, QStringLiteral("About kelvaron"));
    EXPECT_EQ(text, QStringLiteral("kelvaron 2.0"));

    QStringList entries;
    QTimer::singleShot(0, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* a : menu->actions()) entries << a->text();
            menu->close();
        }
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), d.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&d, &event);
    EXPECT_EQ(entries, QStringList{QStringLiteral("&About kelvaron...")});
}

}  // namespace
