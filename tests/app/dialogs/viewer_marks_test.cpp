// The viewer opened from the dialog on a catalogue that keeps the record of
// recordings, on every back end: its marks are the record's (the channels a
// recording wrote, a recording that failed), not FILELIST's guess by path.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "catalog/catalogue.h"
#include "catalog/file_list.h"
#include "catalog/recording_record.h"
#include "catalog/schema_install.h"
#include "engine/recorded_entries.h"
#include "formats/recorder/recorder_text.h"
#include "tests/app/dialogs/dialog_environment.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/recorder_generator.h"
#include "viewer/recording_viewer.h"
#include "viewer/timeline_view.h"

namespace {

using plot::Conversion;

class ViewerMarks : public testing_support::CatalogueTest {};

TEST_P(ViewerMarks, ComeFromTheRecordOfRecordingsNotFromFilelist) {
    ASSERT_TRUE(catalog::UpgradeCatalogueSchema(theDatabase).upgraded);
    app_testing::DialogEnvironment env(backend().Login());
    const std::string dir = env.dir().File("krv");
    std::filesystem::create_directory(dir);
    const double day = ParseRecorderDate("29.11.2007");
    const struct {
        const char* name;
        const char* time;
        catalog::RecordingOutcome outcome;  // Seen: no record
        std::vector<std::string> written;   // by the record
        const char* message;
    } recordings[] = {
        {"converted.rec", "14:00:00", catalog::RecordingOutcome::Incomplete, {"SHN"}, ""},
        {"failed.rec",
         "14:10:00",
         catalog::RecordingOutcome::Failed,
         {},
         "Ошибка открытия файла /141000-29112007.SHZ"},
        {"waiting.rec", "14:20:00", catalog::RecordingOutcome::Seen, {}, ""},
    };
    for (const auto& r : recordings) {
        testing_support::RecordingPlan plan;
        plan.station = "KRV";
        plan.time = r.time;
        plan.dataSec = "600";  // the three fill the window one after another
        plan.data.records = 600;
        const std::string path = dir + "/" + r.name;
        testing_support::MakeRecording(plan).WriteTo(path);
        const double start = day + 14 * 3600 + 60 * std::atoi(r.time + 3);
        const std::string hour =
            std::string("KRV/1429112007/14") + (r.time + 3)[0] + (r.time + 3)[1] + "00-29112007.";
        // FILELIST holds every channel of the first two: a guess by path
        // would mark both converted whole.
        if (r.outcome != catalog::RecordingOutcome::Seen)
            for (const char* channel : {"SHZ", "SHN", "SHE"})
                RegisterTraceFile(theDatabase, "KRV", start, 600, channel, 100, 1, hour + channel);
        if (r.outcome == catalog::RecordingOutcome::Seen) continue;
        catalog::RecordingRecord record;
        record.sourcePath = engine::RecordPath(path);
        record.station = "KRV";
        record.startTime = start;
        record.spanSeconds = 600;
        record.outcome = r.outcome;
        record.message = r.message;
        record.host = "here";
        for (const std::string& channel : r.written)
            record.traces.push_back({channel, hour + channel});
        catalog::WriteRecordingRecord(theDatabase, record);
    }
    env.WriteKelvaronIni(
        "[KELVARON]\nNSTA=1\nSTA0=KRV\nTIME=14:00:00 29/11/2007\nTIMEQTY=000 00:30:00\n"
        "[KRV]\nDIR=" +
        dir + "\n");
    CConverterDlg& d = env.OpenDialog();
    auto* list = static_cast<QListWidget*>(d.GetDlgItem(1000));
    list->clearSelection();
    list->item(0)->setSelected(true);
    CRecordingViewer* viewer = d.OpenRecordingViewer();
    ASSERT_TRUE(viewer);
    ASSERT_TRUE(app_testing::WaitFor([&] { return viewer->IsListed(); }));
    ASSERT_EQ(viewer->Entries().size(), 3u);

    const struct {
        Conversion state;
        std::vector<bool> channels;  // SHZ SHN SHE
    } expected[] = {
        {Conversion::Partly, {false, true, false}},
        {Conversion::Failed, {false, false, false}},
        {Conversion::None, {false, false, false}},
    };
    int failedIndex = -1;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string& name = viewer->Entries()[i].name;
        std::size_t k = 0;
        while (k < 3 && name != recordings[k].name) ++k;
        ASSERT_LT(k, 3u) << name;
        SCOPED_TRACE(name);
        EXPECT_EQ(viewer->Conversions()[i].state, expected[k].state);
        EXPECT_EQ(viewer->Conversions()[i].channels, expected[k].channels);
        EXPECT_EQ(viewer->Timeline()->Layout().bars[i].conversion, expected[k].state);
        if (k == 1) failedIndex = static_cast<int>(i);
    }
    EXPECT_TRUE(viewer->StatusText().contains(
        QStringLiteral("Записей: 3, из них конвертировано: 0, частично: 1, "
                       "не конвертировано из-за ошибок: 1")))
        << viewer->StatusText().toStdString();

    viewer->SelectRecording(failedIndex);
    ASSERT_TRUE(app_testing::WaitFor([&] { return !viewer->IsLoading(); }));
    EXPECT_TRUE(viewer->HeaderFacts().contains(QStringLiteral(
        "Не конвертирована из-за ошибок: Ошибка открытия файла /141000-29112007.SHZ")))
        << viewer->HeaderFacts().toStdString();
    viewer->close();
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(ViewerMarks);

}  // namespace
