#include "plot/recording_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "archive/trace_conversion.h"
#include "formats/recorder/recorder_text.h"
#include "formats/tvx/tvx_header.h"
#include "plot/converted_marks.h"
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
    EXPECT_EQ(plot::LoadRecording(dir.File("missing.rec")).failure, plot::LoadFailure::CannotOpen);
}

TEST(ListStationRecordings, ListsTheStationsRecordingsFromTheirHeaders) {
    testing_support::TempDir dir;
    RecordingPlan a;
    a.time = "10:00:00";
    a.dataSec = "3600";
    MakeRecording(a).WriteTo(dir.File("a.rec"));
    RecordingPlan other = a;
    other.station = "sta1";  // the scan compares exactly, as the window run does
    MakeRecording(other).WriteTo(dir.File("b.rec"));
    dir.Write("notes.txt", "no header here");
    std::filesystem::create_directory(dir.File("sub"));

    const auto listed = plot::ListStationRecordings(dir.path() + "/", "STA1");
    ASSERT_TRUE(listed);
    ASSERT_EQ(listed->size(), 1u);
    EXPECT_EQ((*listed)[0].name, "a.rec");
    EXPECT_EQ((*listed)[0].dataSeconds, 3600);
    EXPECT_DOUBLE_EQ((*listed)[0].start,
                     ParseRecorderDate("29.11.2007") + ParseRecorderTime("10:00:00"));
    EXPECT_FALSE(plot::ListStationRecordings(dir.File("none/"), "STA1"));

    // Converted: the catalogue holds a trace of that start, for any channel.
    const std::vector<std::string> paths = {"STA1/1029112007/100000-29112007.SHZ",
                                            "STA1/1129112007/110000-29112007.SHZ"};
    EXPECT_EQ(app::ConvertedMarks("STA1", *listed, paths), std::vector<bool>{true});
    EXPECT_EQ(app::ConvertedMarks("STA1", *listed, {paths[1]}), std::vector<bool>{false});
    EXPECT_EQ(app::ConvertedMarks("STA2", *listed, paths), std::vector<bool>{false});
}

}  // namespace
