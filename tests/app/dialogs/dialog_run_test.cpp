// Conversion runs started from the dialog, on every catalogue back end:
// trace files and rows, the control lock, the status text, file mode through
// the file dialog, and closing the window in the middle of a run.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

#include "app/channel_list.h"
#include "app/run_report_window.h"
#include "tests/app/dialogs/dialog_environment.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/catalogue_queries.h"
#include "tests/support/recorder_generator.h"

namespace {

namespace fs = std::filesystem;
using app_testing::DialogEnvironment;
using testing_support::CountRows;
using testing_support::MakeRecording;
using testing_support::QueryCatalogue;
using testing_support::RecordingPlan;

constexpr int kLockedControls[] = {1, 2, 1020, 1025, 1026, 1024, 1000, 1016, 1017};

class DialogRunTest : public testing_support::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        env_ = std::make_unique<DialogEnvironment>(backend().Login());
        for (const char* sta : {"KRV", "ARU", "common"}) fs::create_directories(SourceDir(sta));
    }
    void TearDown() override {
        env_.reset();  // the dialog waits for its worker, if one is left
        CatalogueTest::TearDown();
    }

    std::string SourceDir(const std::string& sta) const { return env_->dir().File("src/" + sta); }

    // A recording of sta starting at hh:mm:ss on 29.11.2007 (4 s, SHZ SHN SHE).
    std::string Record(const std::string& sta, const std::string& name, int hh, int mm, int ss) {
        RecordingPlan plan;
        plan.station = sta;
        char time[16];
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", hh, mm, ss);
        plan.time = time;
        return MakeRecording(plan).WriteTo(SourceDir(sta) + "/" + name);
    }

    // Sixty recordings of KRV, one every ten seconds from 14:10: a run long enough to be
    // stopped or closed in the middle.
    void RecordAnHourOfKrv() {
        for (int i = 0; i < 60; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "r%02d.rec", i);
            Record("KRV", name, 14, 10 + i / 6, (i % 6) * 10);
        }
    }

    void WriteSettings(const std::string& stations, const std::string& extra = "") {
        env_->WriteKelvaronIni("[KELVARON]\n" + stations +
                               "TIME=14:00:00 29/11/2007\nTIMEQTY=000 01:00:00\n" +
                               "DIR=" + SourceDir("common") + "\n[KRV]\nDIR=" + SourceDir("KRV") +
                               "\n[ARU]\nDIR=" + SourceDir("ARU") + "\n" + extra);
    }

    // Paths of the trace files below the data directory, relative to it.
    std::set<std::string> TraceFiles() const {
        std::set<std::string> files;
        // Asked while a run writes too: a temporary may be renamed away
        // between being listed and being looked at, so nothing here asks
        // the file system about an entry again.
        const std::string dir = fs::path(env_->dataDir()).lexically_normal().string();
        std::error_code error;
        for (const auto& e : fs::recursive_directory_iterator(dir))
            if (e.is_regular_file(error))
                files.insert(e.path().lexically_normal().lexically_relative(dir).string());
        return files;
    }
    std::set<std::string> CatalogPaths() const {
        std::set<std::string> paths;
        for (const auto& row :
             QueryCatalogue("SELECT CPATH FROM FILELIST", {catalog::SqlType::Text}))
            paths.insert(std::get<std::string>(row[0]));
        return paths;
    }
    bool RunEnded() {
        return app_testing::WaitFor([this] { return !env_->dialog().IsRunActive(); });
    }

    static std::uintmax_t TraceSize() {
        return 512 + testing_support::ChannelSampleBytes(RecordingPlan{}.data, 0).size();
    }

    std::unique_ptr<DialogEnvironment> env_;
};

TEST_P(DialogRunTest, TimeWindowRunWritesTracesLocksTheControlsAndClearsTheStatus) {
    Record("KRV", "a.rec", 14, 30, 45);
    Record("KRV", "b.rec", 14, 59, 58);   // overlaps the window's last seconds
    Record("KRV", "c.rec", 13, 59, 57);   // ends inside the window
    Record("KRV", "late.rec", 15, 0, 0);  // begins at the window's end
    env_->dir().Write("src/KRV/notes.txt", "not a recording\n");
    WriteSettings("NSTA=2\nSTA0=KRV\nSTA1=ARU\n");
    app_testing::SpyDialog& d = env_->OpenDialog();

    QTest::mouseClick(d.GetDlgItem(1), Qt::LeftButton);
    ASSERT_TRUE(RunEnded());
    ASSERT_TRUE(app_testing::WaitFor([&] { return d.GetDlgItem(1)->isEnabled(); }));

    const std::set<std::string> files = TraceFiles();
    EXPECT_EQ(files.size(), 9u);
    EXPECT_EQ(CatalogPaths(), files);
    EXPECT_EQ(CountRows("FILELIST", "STA = 'KRV'"), 9);
    for (const std::string& f : files)
        EXPECT_EQ(fs::file_size(env_->dataDir() + "/" + f), TraceSize()) << f;

    // The nine controls locked in their order first, all unlocked at the end.
    const auto log = d.EnableLog();
    ASSERT_GE(log.size(), 18u);
    for (std::size_t i = 0; i < 9; ++i)
        EXPECT_EQ(log[i], std::make_pair(kLockedControls[i], false)) << i;
    for (int id : kLockedControls) EXPECT_TRUE(d.GetDlgItem(id)->isEnabled()) << id;
    EXPECT_FALSE(d.GetDlgItem(1023)->isEnabled());
    // Pane 0 says what the run did: the notes and the late recording were passed over.
    EXPECT_TRUE(d.CurrentFileText().startsWith(QStringLiteral(
        "Просмотрено 5, конвертировано 3, пропущено 2 (вне окна 1, нет имени, даты или "
        "времени 1); трасс записано 9")))
        << d.CurrentFileText().toStdString();
    EXPECT_TRUE(d.FreeSpaceText().startsWith(QStringLiteral("Доступно ")));
    EXPECT_FALSE(d.findChild<QProgressBar*>()->isVisible());
    EXPECT_TRUE(env_->messages.empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_P(DialogRunTest, OnlyTheTickedChannelsOfTheListedStationAreConverted) {
    testing_support::ExecuteOnCatalogue(
        "INSERT INTO sitechan (sta, chan, sps) VALUES ('KRV', 'SHZ', 100)");
    testing_support::ExecuteOnCatalogue(
        "INSERT INTO sitechan (sta, chan, sps) VALUES ('KRV', 'SHN', 100)");
    testing_support::ExecuteOnCatalogue(
        "INSERT INTO sitechan (sta, chan, sps) VALUES ('KRV', 'SHE', 100)");
    Record("KRV", "a.rec", 14, 30, 45);
    WriteSettings("NSTA=2\nSTA0=KRV\nSTA1=ARU\n");
    CConverterDlg& d = env_->OpenDialog();
    app_testing::ClickStation(d, 1);  // KRV alone: its three channels
    auto* list = static_cast<app::ChannelListView*>(d.GetDlgItem(1024));
    ASSERT_EQ(list->GetItemCount(), 3);
    ASSERT_EQ(list->GetItemText(1, 0), QStringLiteral("SHN"));
    const QRect shn = list->visualRect(list->model()->index(1, 0));
    app::ToggleChannelCheck(*list, QPoint(shn.left() + 8, shn.center().y()));
    ASSERT_FALSE(d.IsChannelItemChecked(1));

    QTest::mouseClick(d.GetDlgItem(1), Qt::LeftButton);
    ASSERT_TRUE(RunEnded());
    std::set<std::string> extensions;
    for (const std::string& f : TraceFiles()) extensions.insert(fs::path(f).extension().string());
    EXPECT_EQ(extensions, (std::set<std::string>{".SHE", ".SHZ"}));
}

// A station and channels named in Cyrillic in the recording and kelvaron.ini
// (code page 1251 or UTF-8): UTF-8 in the catalogue and the file system, the
// recording's own bytes in the trace header.
TEST_P(DialogRunTest, CyrillicNamesReachTheListTheFilesAndTheRowsInTheirEncodings) {
    const std::string stationUtf8 = "\xD0\x9A\xD0\xA0\xD0\x92";                // КРВ
    const std::string zUtf8 = "\xD0\xA1\xD0\x97", nUtf8 = "\xD0\xA1\xD0\xA1";  // СЗ СС
    for (const std::string& chan : {zUtf8, nUtf8})
        testing_support::ExecuteOnCatalogue(
            "INSERT INTO sitechan (sta, chan, sps) VALUES (?, ?, 100)", {stationUtf8, chan});
    struct Spelling {
        const char* name;
        std::string station, z, n;
    } const spellings[] = {
        {"cp1251", "\xCA\xD0\xC2", "\xD1\xC7", "\xD1\xD1"},
        {"utf-8", stationUtf8, zUtf8, nUtf8},
    };
    for (const Spelling& s : spellings) {
        SCOPED_TRACE(s.name);
        fs::remove_all(env_->dataDir());
        fs::create_directories(env_->dataDir());
        testing_support::ExecuteOnCatalogue("DELETE FROM FILELIST");
        RecordingPlan plan;
        plan.station = s.station;
        plan.channels = {{1, s.z}, {2, s.n}, {3, "SHE"}};
        MakeRecording(plan).WriteTo(SourceDir("common") + "/a.rec");
        WriteSettings("NSTA=2\nSTA0=" + s.station + "\nSTA1=ARU\n");
        CConverterDlg& d = env_->OpenDialog();
        app_testing::ClickStation(d, 1);
        auto* list = static_cast<app::ChannelListView*>(d.GetDlgItem(1024));
        ASSERT_EQ(list->GetItemCount(), 2);
        EXPECT_EQ(list->GetItemText(0, 0), QStringLiteral("СС"));
        EXPECT_EQ(list->GetItemText(1, 0), QStringLiteral("СЗ"));

        QTest::mouseClick(d.GetDlgItem(1), Qt::LeftButton);
        ASSERT_TRUE(RunEnded());
        EXPECT_TRUE(env_->messages.empty());
        const std::string dir = stationUtf8 + "/1429112007/143045-29112007.";
        EXPECT_EQ(TraceFiles(), (std::set<std::string>{dir + zUtf8, dir + nUtf8}));
        EXPECT_EQ(CatalogPaths(), TraceFiles());
        EXPECT_EQ(CountRows("FILELIST", "STA=? and CH=?", {stationUtf8, zUtf8}), 1);
        const std::string header =
            testing_support::ReadFileBytes(env_->dataDir() + "/" + dir + zUtf8);
        EXPECT_NE(header.find("Station=" + s.station + "\r\nChannel=" + s.z + "\r\n"),
                  std::string::npos)
            << header.substr(0, 200);
        env_->CloseDialog();
    }
}

TEST_P(DialogRunTest, AnInvalidStartStartsNoRun) {
    Record("KRV", "a.rec", 14, 30, 45);
    WriteSettings("NSTA=2\nSTA0=KRV\nSTA1=ARU\n");
    CConverterDlg& d = env_->OpenDialog();
    auto* start = static_cast<QLineEdit*>(d.GetDlgItem(1016));
    start->setFocus();
    start->setCursorPosition(0);
    QTest::keyClicks(start, "25");  // hour 25
    QTest::mouseClick(d.GetDlgItem(1), Qt::LeftButton);
    QTest::mouseClick(d.GetDlgItem(1020), Qt::LeftButton);
    EXPECT_FALSE(d.IsRunActive());
    ASSERT_EQ(env_->messages.size(), 2u);
    EXPECT_EQ(env_->messages[0].text, "Введено ошибочное время");
    EXPECT_TRUE(env_->fileDialogDirs.empty());
    EXPECT_TRUE(TraceFiles().empty());
}

TEST_P(DialogRunTest, FileRunConvertsPickedFilesOfSelectedStationsOnly) {
    const std::string krv = Record("KRV", "a.rec", 14, 30, 45);
    const std::string other = Record("common", "obn.rec", 14, 30, 45);
    const std::string nameless = env_->dir().Write("src/common/nameless.rec", "[SYSTEM]\nTYPE=1\n");
    // obn.rec names station "common", which the list does not hold.
    WriteSettings("NSTA=2\nSTA0=KRV\nSTA1=ARU\n");
    CConverterDlg& d = env_->OpenDialog();
    env_->filesToPick = QStringList{QString::fromStdString(krv), QString::fromStdString(other),
                                    QString::fromStdString(nameless)};

    QTest::mouseClick(d.GetDlgItem(1020), Qt::LeftButton);
    ASSERT_TRUE(RunEnded());
    // The current entry is ARU (first in the list), which has a DIR of its own.
    ASSERT_EQ(env_->fileDialogDirs.size(), 1u);
    EXPECT_EQ(env_->fileDialogDirs[0].toStdString(), SourceDir("ARU") + "/");

    EXPECT_EQ(TraceFiles().size(), 3u);
    EXPECT_EQ(CountRows("FILELIST"), 3);
    ASSERT_EQ(env_->messages.size(), 2u);
    EXPECT_EQ(env_->messages[0].text,
              "Имя станции в файле '" + other + "' не совпадает с выбранным(и)");
    EXPECT_EQ(env_->messages[0].caption, "Ошибка");
    EXPECT_EQ(env_->messages[0].icon, platform::MessageIcon::Error);
    EXPECT_EQ(env_->messages[1].text, "В файле нет имени станции");
    ASSERT_TRUE(app_testing::WaitFor([&] { return d.GetDlgItem(1)->isEnabled(); }));
    for (int id : kLockedControls) EXPECT_TRUE(d.GetDlgItem(id)->isEnabled()) << id;
    EXPECT_TRUE(d.CurrentFileText().startsWith(
        QStringLiteral("Просмотрено 3, конвертировано 1, пропущено 2")))
        << d.CurrentFileText().toStdString();
    // Until the next action.
    app_testing::ClickStation(d, 0);
    EXPECT_EQ(d.CurrentFileText(), QString());
}

TEST_P(DialogRunTest, FileRunForTheCurrentButUnselectedEntryUsesItsDirectory) {
    WriteSettings("NSTA=2\nSTA0=KRV\nSTA1=ARU\n");
    CConverterDlg& d = env_->OpenDialog();
    QTest::mouseClick(d.GetDlgItem(1026), Qt::LeftButton);  // nothing selected
    env_->filesToPick = std::nullopt;                       // and the operator cancels
    QTest::mouseClick(d.GetDlgItem(1020), Qt::LeftButton);
    ASSERT_TRUE(RunEnded());
    ASSERT_EQ(env_->fileDialogDirs.size(), 1u);
    EXPECT_EQ(env_->fileDialogDirs[0].toStdString(), SourceDir("ARU") + "/");
    EXPECT_TRUE(TraceFiles().empty());
    ASSERT_TRUE(app_testing::WaitFor([&] { return d.GetDlgItem(1020)->isEnabled(); }));
}

TEST_P(DialogRunTest, ClosingDuringARunWaitsForItAndLeavesNoPartialFile) {
    RecordAnHourOfKrv();
    WriteSettings("NSTA=2\nSTA0=KRV\nSTA1=ARU\n");
    CConverterDlg& d = env_->OpenDialog();
    QTest::mouseClick(d.GetDlgItem(1), Qt::LeftButton);
    ASSERT_TRUE(app_testing::WaitFor([&] { return !TraceFiles().empty(); }));
    ASSERT_TRUE(d.IsRunActive()) << "the run ended before the window could be closed";
    // The status bar shows how far the run is: entries of KRV, the second of two stations.
    const auto* bar = d.findChild<QProgressBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    // The worker's events are carried out as the dialog's loop gets to them.
    EXPECT_TRUE(app_testing::WaitFor(
        [&] { return bar->format().endsWith(QStringLiteral("/60, станция 2/2")); }, 5000))
        << bar->format().toStdString();

    d.close();  // asks, then returns once the run has stopped
    ASSERT_EQ(env_->questions.size(), 1u);
    EXPECT_EQ(env_->questions[0].text, "Идёт конвертирование. Остановить его и выйти?");

    EXPECT_FALSE(d.IsRunActive());
    EXPECT_FALSE(d.isVisible());
    const std::set<std::string> files = TraceFiles();
    EXPECT_LT(files.size(), 180u);
    EXPECT_EQ(CatalogPaths(), files);  // every file has its row, and no stray file
    for (const std::string& f : files)
        EXPECT_EQ(fs::file_size(env_->dataDir() + "/" + f), TraceSize()) << f;
    const std::string ini = env_->KelvaronIni();
    EXPECT_NE(ini.find("TIME=14:00:00 29/11/2007"), std::string::npos) << ini;
    EXPECT_NE(ini.find("TIMEQTY=000 01:00:00"), std::string::npos) << ini;
}

TEST_P(DialogRunTest, StopEndsTheRunAfterTheTraceInHandAndKeepsTheDialogUsable) {
    RecordAnHourOfKrv();
    WriteSettings("NSTA=1\nSTA0=KRV\n");
    CConverterDlg& d = env_->OpenDialog();
    app_testing::ClickStation(d, 0);
    auto* stop = d.findChild<QToolButton*>(QStringLiteral("stopRun"));
    ASSERT_NE(stop, nullptr);
    EXPECT_FALSE(stop->isVisible());
    QTest::mouseClick(d.GetDlgItem(1), Qt::LeftButton);
    ASSERT_TRUE(app_testing::WaitFor([&] { return !TraceFiles().empty(); }));
    ASSERT_TRUE(d.IsRunActive()) << "the run ended before it could be stopped";
    EXPECT_TRUE(stop->isVisible());
    // Escape asks first: a No lets the run go on.
    env_->stopWhenAsked = false;
    QTest::keyClick(&d, Qt::Key_Escape);
    ASSERT_EQ(env_->questions.size(), 1u);
    EXPECT_EQ(env_->questions[0].text, "Остановить конвертирование после текущей трассы?");
    EXPECT_TRUE(d.IsRunActive());
    QTest::mouseClick(stop, Qt::LeftButton);
    ASSERT_TRUE(RunEnded());

    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(stop->isVisible());
    for (int id : kLockedControls) EXPECT_TRUE(d.GetDlgItem(id)->isEnabled()) << id;
    const std::set<std::string> files = TraceFiles();
    EXPECT_LT(files.size(), 180u);
    EXPECT_EQ(CatalogPaths(), files);  // every file has its row, and no stray file
    for (const std::string& f : files)
        EXPECT_EQ(fs::file_size(env_->dataDir() + "/" + f), TraceSize()) << f;
    EXPECT_TRUE(d.CurrentFileText().startsWith(QStringLiteral("Остановлено. ")))
        << d.CurrentFileText().toStdString();
    EXPECT_TRUE(
        d.findChild<QLabel*>(QStringLiteral("101"))->toolTip().startsWith(d.CurrentFileText()));
    // The report tells each recording and, below it, each trace file it wrote.
    const app::RunReportWindow* report = d.OpenRunReport();
    ASSERT_NE(report, nullptr);
    const QString text = report->Text();
    EXPECT_TRUE(text.startsWith(d.CurrentFileText() + "\n"));
    EXPECT_EQ(text.count(QStringLiteral("\n  записан ")), static_cast<int>(files.size()))
        << text.toStdString();
    for (const std::string& f : files)
        EXPECT_TRUE(text.contains(QString::fromStdString("\n  записан " + f + "\n")) ||
                    text.endsWith(QString::fromStdString("\n  записан " + f)))
            << f << "\n"
            << text.toStdString();

    // The dialog takes the next run: it converts what the stopped one left.
    QTest::mouseClick(d.GetDlgItem(1), Qt::LeftButton);
    ASSERT_TRUE(RunEnded());
    EXPECT_EQ(TraceFiles().size(), 180u);
    EXPECT_TRUE(d.CurrentFileText().startsWith(QStringLiteral("Просмотрено 60, конвертировано 60")))
        << d.CurrentFileText().toStdString();
}

TEST_P(DialogRunTest, AStationWhoseSourceDirectoryIsMissingIsNamedInABox) {
    WriteSettings("NSTA=1\nSTA0=GONE\n", "[GONE]\nDIR=" + SourceDir("gone") + "\n");
    CConverterDlg& d = env_->OpenDialog();
    app_testing::ClickStation(d, 0);
    QTest::mouseClick(d.GetDlgItem(1), Qt::LeftButton);
    ASSERT_TRUE(RunEnded());
    ASSERT_EQ(env_->messages.size(), 1u);
    EXPECT_EQ(env_->messages[0].text,
              "каталог '" + SourceDir("gone") + "/' станции GONE недоступен");
    EXPECT_EQ(env_->messages[0].caption, "Ошибка");
    EXPECT_TRUE(d.CurrentFileText().startsWith(QStringLiteral("недоступных каталогов станций 1. ")))
        << d.CurrentFileText().toStdString();
}

TEST_P(DialogRunTest, ARepeatedTraceFailureOffersToStopTheRun) {
    Record("KRV", "a.rec", 14, 30, 45);
    Record("KRV", "b.rec", 14, 40, 0);
    // The station's directory cannot be made where a plain file stands.
    const std::string blocker = env_->dataDir() + "/KRV";
    std::ofstream(blocker).put('x');
    WriteSettings("NSTA=1\nSTA0=KRV\n");
    CConverterDlg& d = env_->OpenDialog();
    app_testing::ClickStation(d, 0);
    QTest::mouseClick(d.GetDlgItem(1), Qt::LeftButton);
    ASSERT_TRUE(RunEnded());
    // One box for the first failure, then the question instead of a box per channel.
    ASSERT_EQ(env_->messages.size(), 1u);
    EXPECT_EQ(env_->messages[0].text.rfind("Ошибка открытия файла /", 0), 0u);
    // The detail: the trace file's full path, the system's reason, then the recording.
    EXPECT_EQ(env_->messages[0].detail.rfind(env_->dataDir() + "/KRV/1429112007/", 0), 0u)
        << env_->messages[0].detail;
    EXPECT_NE(env_->messages[0].detail.find(": не является каталогом; Станция KRV, файл " +
                                            SourceDir("KRV") + "/"),
              std::string::npos)
        << env_->messages[0].detail;
    ASSERT_EQ(env_->questions.size(), 1u);
    EXPECT_TRUE(d.CurrentFileText().startsWith(QStringLiteral("Остановлено; Ошибок трасс ")))
        << d.CurrentFileText().toStdString();
    EXPECT_EQ(TraceFiles(), std::set<std::string>{"KRV"});
}

TEST_P(DialogRunTest, NoDataDirectoryRefusesARunBeforeItStarts) {
    Record("KRV", "a.rec", 14, 30, 45);
    testing_support::WriteTvxIni(env_->dir().File("tvx.ini"), backend().Login(), "");
    WriteSettings("NSTA=1\nSTA0=KRV\n");
    CConverterDlg& d = env_->OpenDialog();
    app_testing::ClickStation(d, 0);
    QTest::mouseClick(d.GetDlgItem(1), Qt::LeftButton);
    QTest::mouseClick(d.GetDlgItem(1020), Qt::LeftButton);
    EXPECT_FALSE(d.IsRunActive());
    ASSERT_EQ(env_->messages.size(), 2u);
    EXPECT_EQ(env_->messages[0].text,
              "В файле " + env_->dir().File("tvx.ini") + " не задан каталог данных ([DATA] DIR)");
    EXPECT_TRUE(env_->fileDialogDirs.empty());
    for (int id : kLockedControls) EXPECT_TRUE(d.GetDlgItem(id)->isEnabled()) << id;
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(DialogRunTest);

}  // namespace
