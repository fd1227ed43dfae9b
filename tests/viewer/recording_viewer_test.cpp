// The viewer drawn offscreen on generated recordings: the timeline, one
// recording's channels with labelled axes, its header facts, a click.
#include "viewer/recording_viewer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QToolTip>
#include <filesystem>
#include <fstream>

#include "formats/recorder/recorder_text.h"
#include "plot/converted_channels.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"
#include "viewer/plot_texts.h"
#include "viewer/timeline_view.h"
#include "viewer/trace_painter.h"
#include "viewer/trace_view.h"

namespace {

using testing_support::MakeRecording;
using testing_support::RecordingPlan;

const QColor kConvertedTrace(20, 40, 120);
const QColor kNotConvertedTrace(130, 130, 130);
const QColor kEventMark(210, 30, 30);

// Pixels of `colour` inside r.
int PixelsOf(const QImage& image, const QRect& r, const QColor& colour) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixelColor(x, y) == colour) ++n;
    return n;
}

std::unique_ptr<plot::ConvertedTraces> Held(std::vector<std::string> paths) {
    return std::make_unique<plot::CataloguedTracePaths>(std::move(paths));
}

// Pixels that are not the white background inside r.
int InkPixels(const QImage& image, const QRect& r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixelColor(x, y).lightness() < 128) ++n;
    return n;
}

TEST(RecordingViewer, DrawsTheStationsDayAndOneRecordingsChannels) {
    testing_support::TempDir dir;
    RecordingPlan first;
    first.time = "14:00:00";
    first.dataSec = "40";
    first.data.records = 40;
    first.data.rate16 = 50;
    MakeRecording(first).WriteTo(dir.File("first.rec"));
    RecordingPlan second = first;
    second.time = "14:00:30";  // overlaps the first by 10 s
    second.type = "TRIGGER";
    MakeRecording(second)
        .Set("EVENT", "CH#", "1")
        .Set("EVENT", "DATE_CH1", "29.11.2007")
        .Set("EVENT", "TIME_CH1", "14:00:41.5")
        .WriteTo(dir.File("second.rec"));
    RecordingPlan foreign = first;
    foreign.station = "STA2";
    MakeRecording(foreign).WriteTo(dir.File("foreign.rec"));

    const double day = ParseRecorderDate("29.11.2007");
    std::vector<std::string> catalogued = {"STA1/1429112007/140030-29112007.SHZ"};
    CRecordingViewer viewer("STA1", dir.path() + "/", day + 14 * 3600, 1800,
                            [&](const std::string&) { return Held(catalogued); });
    viewer.resize(900, 600);
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewer.IsListed(); }, 20000));

    ASSERT_EQ(viewer.Entries().size(), 2u);
    // The other station's file is not counted as a recording, but said.
    EXPECT_TRUE(viewer.StatusText().endsWith(QStringLiteral("; других файлов в каталоге: 1")))
        << viewer.StatusText().toStdString();
    const plot::TimelineLayout& timeline = viewer.Timeline()->Layout();
    ASSERT_EQ(timeline.bars.size(), 2u);
    int firstIndex = -1;
    for (std::size_t i = 0; i < 2; ++i) {
        const bool isSecond = viewer.Entries()[i].name == "second.rec";
        if (!isSecond) firstIndex = static_cast<int>(i);
        // One of the second's three channels has its trace.
        EXPECT_EQ(timeline.bars[i].conversion,
                  isSecond ? plot::Conversion::Partly : plot::Conversion::None);
        EXPECT_TRUE(timeline.bars[i].overlaps);
        EXPECT_EQ(timeline.bars[i].lane, isSecond ? 1 : 0);
    }
    EXPECT_TRUE(timeline.windowVisible);
    // A bar's tooltip: its file, start and length.
    {
        app::TimelineView& line = *viewer.Timeline();
        const plot::TimelineBar& bar = timeline.bars[static_cast<std::size_t>(firstIndex)];
        const QPoint at(line.BarArea().left() + (bar.fill0 + bar.fill1) / 2,
                        line.BarArea().top() + 5);
        QHelpEvent help(QEvent::ToolTip, at, line.mapToGlobal(at));
        QApplication::sendEvent(&line, &help);
        EXPECT_EQ(QToolTip::text().toStdString(),
                  "first.rec\nНачало: 14:00:00 29/11/2007\nДлительность: 40 с");
    }
    // The timeline zooms in around the pointer, down to where the 40 s bars
    // are wide; the time under the pointer stays put.
    app::TimelineView& line = *viewer.Timeline();
    const double left = 8;  // the bar area's margin
    const double zoomAt = left + timeline.bars[0].x0;
    const double before = line.View().t0 + (zoomAt - left) * (line.View().t1 - line.View().t0) /
                                               (line.width() - 2 * left);
    line.Zoom(1.0 / 50, zoomAt);
    const plot::TimeSpan view = line.View();
    EXPECT_NEAR(view.t1 - view.t0, 86400.0 / 50, 1e-6);
    EXPECT_NEAR(view.t0 + (zoomAt - left) * (view.t1 - view.t0) / (line.width() - 2 * left), before,
                1e-6);
    EXPECT_NEAR(line.Layout().bars[0].x1 - line.Layout().bars[0].x0,
                40 / (view.t1 - view.t0) * (line.width() - 2 * left), 1e-6);

    viewer.SelectRecording(firstIndex);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !viewer.IsLoading(); }, 20000));
    app::TraceView& traces = *viewer.Traces();
    const QImage picture = traces.grab().toImage();

    const plot::TraceFrame frame = plot::LayOutTraceFrame(traces.rect(), 3);
    ASSERT_EQ(frame.bands.size(), 3u);
    // Nothing of it converted yet: every channel drawn as not converted.
    for (const QRect& band : frame.bands) {
        EXPECT_GT(PixelsOf(picture, band, kNotConvertedTrace), band.width());
        EXPECT_EQ(PixelsOf(picture, band, kConvertedTrace), 0);
    }

    // Time marks in hh:mm:ss from the recording's start on, amplitude marks
    // and channel names: each one drawn where the painter says.
    QStringList texts;
    for (const plot::DrawnLabel& label : traces.Labels()) {
        texts << label.text;
        EXPECT_GT(InkPixels(picture, label.rect), 3) << label.text.toStdString();
    }
    EXPECT_TRUE(texts.contains(QStringLiteral("14:00:00")));
    EXPECT_TRUE(texts.contains(QStringLiteral("время регистратора, ось от 14:00:00 29/11/2007")));
    EXPECT_TRUE(texts.contains(QStringLiteral("SHZ \u2014 не конвертирован")));
    EXPECT_TRUE(texts.contains(QStringLiteral("14:00:30")));

    int amplitudeMarks = 0;
    for (const QString& text : texts) {
        bool number = false;
        text.toInt(&number);
        amplitudeMarks += number ? 1 : 0;
    }
    EXPECT_GE(amplitudeMarks, 6);  // at least two per channel

    const QString facts = viewer.HeaderFacts();
    EXPECT_TRUE(facts.contains(QStringLiteral("Станция: STA1")));
    EXPECT_TRUE(facts.contains(QStringLiteral("Начало: 14:00:00 29/11/2007")));
    EXPECT_TRUE(facts.contains(QStringLiteral("Длительность: 40 с")));
    EXPECT_TRUE(facts.contains(QStringLiteral("Не конвертированы: SHZ, SHN, SHE")));
    EXPECT_TRUE(facts.contains(QStringLiteral("Частота: 50.000")));
    EXPECT_TRUE(facts.contains(QStringLiteral("Каналы: SHZ, SHN, SHE")));

    // A click on the middle band, a quarter into the plot: the sample there.
    const QRect band = frame.bands[1];
    const QPoint at(band.left() + band.width() / 4, band.center().y());
    const auto sample = traces.SampleAt(at);
    ASSERT_TRUE(sample);
    QTest::mouseClick(&traces, Qt::LeftButton, {}, at);
    EXPECT_TRUE(viewer.SampleText().startsWith(QStringLiteral("SHN  14:00:09.96")))
        << viewer.SampleText().toStdString();
    EXPECT_EQ(sample->channel, 1);
    const double seconds = sample->time - (day + 14 * 3600);
    EXPECT_NEAR(seconds, 10, 0.1);
    const int index = static_cast<int>(std::lround(seconds * 50));
    EXPECT_EQ(sample->value, testing_support::SampleValue(1, index / 50, index % 50));

    // After a run the marks are read again; the recording on show stays
    // selected, its converted channel drawn as such, the readout kept.
    catalogued.push_back("STA1/1429112007/140000-29112007.SHN");
    viewer.Relist();
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewer.IsListed(); }, 20000));
    EXPECT_EQ(viewer.Timeline()->Layout().bars[static_cast<std::size_t>(firstIndex)].conversion,
              plot::Conversion::Partly);
    EXPECT_EQ(viewer.Timeline()->Selected(), firstIndex);
    EXPECT_FALSE(viewer.SampleText().isEmpty());
    const QImage marked = traces.grab().toImage();
    for (std::size_t b = 0; b < 3; ++b) {
        SCOPED_TRACE(b);
        EXPECT_EQ(PixelsOf(marked, frame.bands[b], kConvertedTrace) > 0, b == 1);
    }
    EXPECT_TRUE(viewer.HeaderFacts().contains(QStringLiteral("Конвертированы: SHN")));

    // The wheel zooms in around the pointer.
    const double span = traces.ViewEnd() - traces.ViewStart();
    traces.Zoom(0.5, at.x());
    EXPECT_NEAR(traces.ViewEnd() - traces.ViewStart(), span / 2, 1e-6);
    const auto same = traces.SampleAt(at);
    ASSERT_TRUE(same);
    EXPECT_NEAR(same->time, sample->time, 0.05);

    // The next recording: the readout of the last one goes, and its event is
    // marked on every channel.
    viewer.StepRecording(+1);
    EXPECT_TRUE(viewer.SampleText().isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !viewer.IsLoading(); }, 20000));
    ASSERT_EQ(viewer.Timeline()->Selected(), 1 - firstIndex);
    const QImage second_ = traces.grab().toImage();
    const double eventAt = (11.5 + 0.5 / 50) / (traces.ViewEnd() - traces.ViewStart());
    const int eventX = frame.plot.left() + static_cast<int>(eventAt * frame.plot.width());
    for (const QRect& band : frame.bands)
        EXPECT_GT(PixelsOf(second_, QRect(eventX - 2, band.top(), 5, band.height()), kEventMark),
                  band.height());
    bool eventLabel = false;
    for (const plot::DrawnLabel& label : traces.Labels())
        eventLabel |= label.text == QStringLiteral("событие 14:00:41.50");
    EXPECT_TRUE(eventLabel);
    // kelvaron-plot's title: the file and the event, besides station and start.
    const QString title = app::RecordingTitle(*traces.Recording());
    EXPECT_TRUE(title.startsWith(QStringLiteral("second.rec   STA1   14:00:30 29/11/2007")))
        << title.toStdString();
    EXPECT_TRUE(title.endsWith(QStringLiteral("событие 14:00:41.50 29/11/2007")))
        << title.toStdString();
}

// The operator's own keys and buttons, pressed on the real widgets: Page Down
// and Page Up step through the recordings in time order, whatever order the
// directory lists them in; "Окно конвертации" fills the width with the
// dialog's window and "Весь день" shows the recordings' day again.
TEST(RecordingViewer, PageKeysStepInTimeAndTheZoomButtonsSetTheView) {
    testing_support::TempDir dir;
    for (const char* time : {"14:20:00", "14:00:00", "14:10:00"}) {
        RecordingPlan plan;
        plan.time = time;
        plan.dataSec = "60";
        plan.data.records = 60;
        MakeRecording(plan).WriteTo(dir.File(std::string("at") + time[3] + time[4] + ".rec"));
    }
    const double day = ParseRecorderDate("29.11.2007");
    const double windowStart = day + 14 * 3600 + 300;
    CRecordingViewer viewer("STA1", dir.path() + "/", windowStart, 1800, nullptr);
    viewer.resize(900, 600);
    viewer.show();
    viewer.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&viewer));
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewer.IsListed(); }, 20000));
    ASSERT_EQ(viewer.Entries().size(), 3u);

    const auto shown = [&] {
        const int i = viewer.Timeline()->Selected();
        return i < 0 ? std::string("none") : viewer.Entries()[static_cast<std::size_t>(i)].name;
    };
    const struct {
        Qt::Key key;
        const char* selected;
    } steps[] = {
        {Qt::Key_PageDown, "at00.rec"}, {Qt::Key_PageDown, "at10.rec"},
        {Qt::Key_PageDown, "at20.rec"}, {Qt::Key_PageDown, "at20.rec"},
        {Qt::Key_PageUp, "at10.rec"},   {Qt::Key_PageUp, "at00.rec"},
        {Qt::Key_PageUp, "at00.rec"},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        QTest::keyClick(&viewer, steps[i].key);
        EXPECT_EQ(shown(), steps[i].selected) << "step " << i;
        ASSERT_TRUE(QTest::qWaitFor([&] { return !viewer.IsLoading(); }, 20000));
    }

    const auto press = [&](const char* caption) {
        for (QPushButton* b : viewer.findChildren<QPushButton*>())
            if (b->text() == QString::fromUtf8(caption)) {
                QTest::mouseClick(b, Qt::LeftButton);
                return true;
            }
        return false;
    };
    app::TimelineView& line = *viewer.Timeline();
    ASSERT_TRUE(press("Окно конвертации"));
    EXPECT_DOUBLE_EQ(line.View().t0, windowStart);
    EXPECT_DOUBLE_EQ(line.View().t1, windowStart + 1800);
    ASSERT_TRUE(press("Весь день"));
    EXPECT_DOUBLE_EQ(line.View().t0, day);
    EXPECT_DOUBLE_EQ(line.View().t1, day + 86400);
}

// A directory that cannot be listed is said so; the day is not drawn as one gap.
TEST(RecordingViewer, AnUnreadableDirectoryIsSaidNotDrawnAsAGap) {
    testing_support::TempDir dir;
    const std::string missing = dir.File("gone") + "/";
    CRecordingViewer viewer("STA1", missing, 0, 3600, nullptr);
    viewer.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewer.IsListed(); }, 20000));
    EXPECT_EQ(viewer.StatusText().toStdString(),
              "Каталог '" + missing + "' станции STA1 недоступен");
    EXPECT_TRUE(viewer.Timeline()->Layout().gaps.empty());
    EXPECT_TRUE(viewer.Timeline()->Layout().bars.empty());
}

int ThreadsOfThisProcess() {
    int n = 0;
    for ([[maybe_unused]] const auto& task : std::filesystem::directory_iterator("/proc/self/task"))
        ++n;
    return n;
}

// Closing the viewer while a reader is still at work (the listing of a full
// directory, the load of a long recording): the viewer waits for it, so no
// thread is left behind and nothing reaches the widgets that have gone.
TEST(RecordingViewer, ClosingItWhileItReadsLeavesNoThreadBehind) {
    testing_support::TempDir dir;
    RecordingPlan plan;
    plan.dataSec = "20000";
    plan.data.records = 20000;  // some 17 MB: its load takes a while
    MakeRecording(plan).WriteTo(dir.File("long.rec"));
    RecordingPlan small;
    small.station = "STA2";
    const std::string smallBytes = MakeRecording(small).Bytes();
    // Enough of them that the listing is still under way when the window closes,
    // on a machine busy with other work too.
    for (int i = 0; i < 2000; ++i) {
        std::ofstream(dir.File("s" + std::to_string(i) + ".rec"), std::ios::binary) << smallBytes;
    }
    {
        // Threads the window system starts once, on a first window, are not the viewer's.
        testing_support::TempDir empty;
        CRecordingViewer warmUp("STA1", empty.path() + "/", 0, 60, nullptr);
        warmUp.show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return warmUp.IsListed(); }, 20000));
    }
    const int before = ThreadsOfThisProcess();

    auto* listing = new CRecordingViewer("STA1", dir.path() + "/", 0, 60, nullptr);
    listing->show();
    EXPECT_EQ(listing->RunningReaders(), 1);
    listing->close();  // deletes it later, as the operator's close does
    QTest::qWait(20);
    EXPECT_EQ(ThreadsOfThisProcess(), before) << "while listing";

    auto* loading = new CRecordingViewer("STA1", dir.path() + "/", 0, 60, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return loading->IsListed(); }, 20000));
    ASSERT_EQ(loading->Entries().size(), 1u);
    loading->SelectRecording(0);
    EXPECT_TRUE(loading->IsLoading());
    delete loading;
    EXPECT_EQ(ThreadsOfThisProcess(), before) << "while loading";
    QTest::qWait(50);  // a result still queued for either would arrive here
}

}  // namespace
