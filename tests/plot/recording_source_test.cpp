#include "plot/recording_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "archive/trace_conversion.h"
#include "formats/recorder/recorder_text.h"
#include "formats/tvx/tvx_header.h"
#include "plot/converted_channels.h"
#include "plot/timeline_layout.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::MakeRecording;
using testing_support::RecordingPlan;

std::string AsBytes(const std::vector<std::int16_t>& samples) {
    std::string out(samples.size() * 2, '\0');
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const auto v = static_cast<std::uint16_t>(samples[i]);
        out[2 * i] = static_cast<char>(v & 0xFF);
        out[2 * i + 1] = static_cast<char>(v >> 8);
    }
    return out;
}

std::string TraceHeaderBytes(const std::string& station) {
    char block[kTraceHeaderSize];
    BuildTraceHeader(block, station, "SHZ", 1196346645.0, 0.0, 100.0);
    return std::string(block, sizeof block);
}

RecordingPlan PlanWithUnnamedChannel() {
    RecordingPlan plan;
    plan.channels = {{1, "SHZ"}, {2, ""}, {3, "SHE"}};
    plan.data.rate16 = 0;
    plan.data.rate32 = 100000000;  // 100.0000000001 samples per second
    plan.data.records = 5;
    plan.data.trailingBytes = 100;
    return plan;
}

// The picture must show what the trace files will hold: the same samples as
// the writer takes, under the same names, and a written trace file reads back
// as the channel it came from.
TEST(LoadRecording, ChannelsAreTheSamplesTheWriterWrites) {
    testing_support::TempDir dir;
    const RecordingPlan plan = PlanWithUnnamedChannel();
    const std::string path = MakeRecording(plan).WriteTo(dir.File("a.rec"));

    const plot::LoadResult loaded = plot::LoadRecording(path);
    ASSERT_TRUE(loaded.recording);
    const plot::PlotRecording& r = *loaded.recording;
    EXPECT_FALSE(r.traceFile);
    EXPECT_EQ(r.station, "STA1");
    EXPECT_DOUBLE_EQ(r.start, ParseRecorderDate("29.11.2007") + ParseRecorderTime("14:30:45"));
    EXPECT_EQ(r.dataSeconds, 4);
    EXPECT_DOUBLE_EQ(r.rate, testing_support::LayoutRate(plan.data));
    ASSERT_EQ(r.channels.size(), 2u);  // the unnamed channel is not converted
    const struct {
        const char* name;
        int number, position;
    } want[] = {{"SHZ", 1, 0}, {"SHE", 3, 2}};
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(want[i].name);
        EXPECT_EQ(r.channels[i].name, want[i].name);
        EXPECT_EQ(r.channels[i].number, want[i].number);
        EXPECT_EQ(AsBytes(r.channels[i].samples),
                  testing_support::ChannelSampleBytes(plan.data, want[i].position));
    }

    engine::ChannelTrace trace;
    const std::string bytes = MakeRecording(plan).data();
    trace.data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    trace.dataSize = static_cast<std::int64_t>(bytes.size());
    trace.start = r.start;
    trace.channel = "SHE";
    trace.station = "STA1";
    trace.channelPosition = 2;
    trace.recordSeconds = plan.data.recordSeconds;
    trace.channelCount = plan.data.channels;
    const engine::TraceFileRow row = engine::WriteTraceFile(trace, {dir.path(), true});

    const plot::LoadResult back = plot::LoadRecording(dir.File(row.catalogPath));
    ASSERT_TRUE(back.recording);
    EXPECT_TRUE(back.recording->traceFile);
    EXPECT_EQ(back.recording->station, "STA1");
    EXPECT_DOUBLE_EQ(back.recording->start, r.start);  // whole seconds here
    EXPECT_NEAR(back.recording->rate, r.rate, 1e-6);
    ASSERT_EQ(back.recording->channels.size(), 1u);
    EXPECT_EQ(back.recording->channels[0].name, "SHE");
    EXPECT_EQ(back.recording->channels[0].samples, r.channels[1].samples);
}

TEST(LoadRecording, RefusalsNameTheirCause) {
    testing_support::TempDir dir;
    const struct {
        const char* what;
        std::string bytes;
        plot::LoadFailure failure;
    } cases[] = {
        {"no station name", MakeRecording({}).Remove("SYSTEM", "NAME").Bytes(),
         plot::LoadFailure::NoStation},
        {"no recorder header at all",
         std::string("\x7f"
                     "ELF junk\0\1\2 NAME=STA1\n",
                     20),
         plot::LoadFailure::NotARecording},
        {"no start date", MakeRecording({}).Remove("FILE", "DATE_INT").Bytes(),
         plot::LoadFailure::NoStartTime},
        {"data offset beyond the end", MakeRecording({}).SetOffsetText("99999999").Bytes(),
         plot::LoadFailure::BadDataOffset},
        {"trace header not of the writer's shape",
         std::string("[TVX4.0]\r\nData offset=512\r\n") + std::string(512, ' '),
         plot::LoadFailure::NotATraceHeader},
        {"trace file without a station", TraceHeaderBytes(""), plot::LoadFailure::NoStation},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const plot::LoadResult r = plot::LoadRecording(dir.Write("x.rec", c.bytes));
        EXPECT_FALSE(r.recording);
        EXPECT_EQ(r.failure, c.failure);
    }
    const plot::LoadResult missing = plot::LoadRecording(dir.File("missing.rec"));
    EXPECT_EQ(missing.failure, plot::LoadFailure::CannotOpen);
    EXPECT_EQ(missing.error, ENOENT);
}

// Every entry of the directory is either one of the station's recordings,
// with what the timeline needs of it, or counted out with its reason.
TEST(ListStationRecordings, ListsTheStationsRecordingsAndWhyTheRestWasLeftOut) {
    testing_support::TempDir dir;
    RecordingPlan a;
    a.time = "10:00:00";
    a.dataSec = "3600";
    a.channels = {{1, "SHZ"}, {2, ""}, {3, "SHE"}};
    a.data.recordSeconds = 10;
    a.data.rate16 = 2;
    a.data.records = 360;
    MakeRecording(a).WriteTo(dir.File("a.rec"));
    RecordingPlan shortHeader = a;  // says half an hour over a full hour of samples
    shortHeader.time = "11:00:00";
    shortHeader.dataSec = "1800";
    MakeRecording(shortHeader).WriteTo(dir.File("half.rec"));
    RecordingPlan other = a;
    other.station = "sta1";  // the scan compares exactly, as the window run does
    MakeRecording(other).WriteTo(dir.File("b.rec"));
    dir.Write("notes.txt", "no header here");
    dir.Write("nostart.rec", MakeRecording(a).Remove("FILE", "DATE_INT").Bytes());
    std::filesystem::create_directory(dir.File("sub"));

    const auto listed = plot::ListStationRecordings(dir.path() + "/", "STA1");
    ASSERT_TRUE(listed);
    std::vector<plot::RecordingEntry> recordings = listed->recordings;
    std::sort(recordings.begin(), recordings.end(),
              [](const auto& x, const auto& y) { return x.name < y.name; });
    ASSERT_EQ(recordings.size(), 2u);
    const struct {
        const char* name;
        const char* time;
        int dataSeconds;
        bool disagree;
    } want[] = {{"a.rec", "10:00:00", 3600, false}, {"half.rec", "11:00:00", 1800, true}};
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(want[i].name);
        const plot::RecordingEntry& e = recordings[i];
        EXPECT_EQ(e.name, want[i].name);
        EXPECT_DOUBLE_EQ(e.start,
                         ParseRecorderDate("29.11.2007") + ParseRecorderTime(want[i].time));
        EXPECT_EQ(e.dataSeconds, want[i].dataSeconds);
        EXPECT_EQ(e.channels, (std::vector<std::string>{"SHZ", "SHE"}));
        EXPECT_DOUBLE_EQ(e.samplesSeconds, 3600);
        EXPECT_EQ(
            plot::LengthsDisagree({e.start, e.dataSeconds, e.samplesSeconds, e.recordSeconds, {}}),
            want[i].disagree);
    }

    using Reason = plot::LeftOutEntry::Reason;
    std::vector<std::pair<std::string, Reason>> leftOut;
    for (const plot::LeftOutEntry& e : listed->leftOut) leftOut.emplace_back(e.name, e.reason);
    std::sort(leftOut.begin(), leftOut.end());
    EXPECT_EQ(leftOut,
              (std::vector<std::pair<std::string, Reason>>{{"b.rec", Reason::OtherStation},
                                                           {"nostart.rec", Reason::NoStart},
                                                           {"notes.txt", Reason::NotARecording},
                                                           {"sub", Reason::NotAFile}}));
    EXPECT_FALSE(plot::ListStationRecordings(dir.File("none/"), "STA1"));
}

// A recording is converted when every channel it names has its trace row,
// partly when some have; rows of another start, station or channel do not count.
TEST(ConversionOf, ChannelByChannelFromTheCataloguePaths) {
    const double start = ParseRecorderDate("29.11.2007") + ParseRecorderTime("10:00:00");
    const std::vector<std::string> channels = {"SHZ", "SHN", "SHE"};
    const struct {
        const char* what;
        std::vector<std::string> paths;
        plot::Conversion state;
        std::vector<bool> held;
    } cases[] = {
        {"no rows", {}, plot::Conversion::None, {false, false, false}},
        {"one channel unticked",
         {"STA1/1029112007/100000-29112007.SHE", "STA1/1029112007/100000-29112007.SHZ"},
         plot::Conversion::Partly,
         {true, false, true}},
        {"every channel",
         {"STA1/1029112007/100000-29112007.SHN", "STA1/1029112007/100000-29112007.SHZ",
          "STA1/1029112007/100000-29112007.SHE"},
         plot::Conversion::Whole,
         {true, true, true}},
        {"another second, station or channel",
         {"STA1/1029112007/100001-29112007.SHZ", "STA2/1029112007/100000-29112007.SHZ",
          "STA1/1029112007/100000-29112007.BHZ", "STA1/1029112007/100000-29112007.SH"},
         plot::Conversion::None,
         {false, false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const plot::RecordingConversion got =
            plot::ConversionOf(plot::CataloguedTracePaths(c.paths), "STA1", start, channels);
        EXPECT_EQ(got.state, c.state);
        EXPECT_EQ(got.channels, c.held);
    }
}

}  // namespace
