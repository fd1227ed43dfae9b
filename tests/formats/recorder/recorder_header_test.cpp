#include "formats/recorder/recorder_header.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <optional>
#include <string>

#include "formats/date_time.h"
#include "formats/recorder/recorder_text.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::MakeRecording;
using testing_support::RecorderFile;
using testing_support::RecordingPlan;
using testing_support::TempDir;

TEST(RecorderGenerator, OffsetToDataPointsAtTheDataBlock) {
    TempDir dir;
    RecordingPlan plan;
    plan.data.records = 3;
    plan.data.trailingBytes = 17;
    const RecorderFile file = MakeRecording(plan);
    const std::string bytes = file.Bytes();
    platform::IniFile header(file.WriteTo(dir.File("r.dat")));
    const engine::StreamHeader stream = engine::ReadStreamHeader(header);
    ASSERT_GT(stream.dataOffset, 0);
    EXPECT_EQ(bytes.substr(static_cast<std::size_t>(stream.dataOffset)), file.data());
    EXPECT_EQ(file.data().size(), 3u * (256 + 2 * 3 * 100) + 17);
    // The first record header carries the rate at byte 28.
    EXPECT_EQ(static_cast<unsigned char>(file.data()[28]), 100);
}

TEST(ChannelGainFactor, FollowsTheGroupsInOrder) {
    TempDir dir;
    struct Case {
        const char* what;
        std::function<void(RecorderFile&)> groups;
        std::int32_t channel, factor;
    } cases[] = {
        {"no groups", [](RecorderFile&) {}, 1, 1},
        {"listed second",
         [](RecorderFile& f) { f.Set("GROUP2", "CH#", "4,5,6").Set("GROUP2", "GAIN", "3"); }, 5, 8},
        {"in no group: last group with both keys",
         [](RecorderFile& f) { f.Set("GROUP2", "CH#", "4,5,6").Set("GROUP2", "GAIN", "3"); }, 9, 8},
        {"fourth item is not looked at",
         [](RecorderFile& f) {
             f.Set("GROUP1", "CH#", "4,5,6,7").Set("GROUP1", "GAIN", "3");
             f.Set("GROUP2", "CH#", "1").Set("GROUP2", "GAIN", "5");
         },
         7, 32},
        {"found in the first group",
         [](RecorderFile& f) {
             f.Set("GROUP1", "CH#", "4,5,6,7").Set("GROUP1", "GAIN", "3");
             f.Set("GROUP2", "CH#", "1").Set("GROUP2", "GAIN", "5");
         },
         5, 8},
        {"group without GAIN is skipped",
         [](RecorderFile& f) {
             f.Set("GROUP1", "CH#", "1");
             f.Set("GROUP2", "CH#", "2").Set("GROUP2", "GAIN", "2");
         },
         1, 4},
        {"group without CH# is skipped",
         [](RecorderFile& f) {
             f.Set("GROUP1", "GAIN", "6");
             f.Set("GROUP3", "CH#", "2").Set("GROUP3", "GAIN", "1");
         },
         1, 2},
        {"a seventh group is not read",
         [](RecorderFile& f) { f.Set("GROUP7", "CH#", "1").Set("GROUP7", "GAIN", "4"); }, 1, 1},
        {"negative exponent",
         [](RecorderFile& f) { f.Set("GROUP1", "CH#", "1").Set("GROUP1", "GAIN", "-1"); }, 1, 0},
        {"exponent 31 saturates",
         [](RecorderFile& f) { f.Set("GROUP1", "CH#", "1").Set("GROUP1", "GAIN", "31"); }, 1,
         INT_MAX},
        {"exponent beyond 32 bits saturates",
         [](RecorderFile& f) { f.Set("GROUP1", "CH#", "1").Set("GROUP1", "GAIN", "99999999999"); },
         1, INT_MAX},
        {"blanks inside list items",
         [](RecorderFile& f) {
             f.Set("GROUP1", "CH#", " 1 2 ,3").Set("GROUP1", "GAIN", "2");
             f.Set("GROUP2", "CH#", "9").Set("GROUP2", "GAIN", "0");
         },
         12, 4},
    };
    for (const Case& c : cases) {
        RecorderFile file = MakeRecording(RecordingPlan{});
        c.groups(file);
        const std::string path = file.WriteTo(dir.File("g.dat"));
        platform::IniFile header(path);
        EXPECT_EQ(ChannelGainFactor(c.channel, header), c.factor) << c.what;
    }
}

TEST(ReadEventTime, TakesTheNamedChannelsTriggerTime) {
    TempDir dir;
    struct Case {
        const char* what;
        std::function<void(RecorderFile&)> event;
        std::optional<double> expected;
    } cases[] = {
        {"date and time of the channel",
         [](RecorderFile& f) {
             f.Set("EVENT", "CH#", "2")
                 .Set("EVENT", "DATE_CH2", "07.03.2006")
                 .Set("EVENT", "TIME_CH2", "00:00:01.5");
             f.Set("EVENT", "DATE_CH1", "01.01.2001").Set("EVENT", "TIME_CH1", "11:00:00");
         },
         EpochFromCalendar(2006, 3, 7, 0, 0, 0) + 1.5},
        {"channel number read like atoi",
         [](RecorderFile& f) {
             f.Set("EVENT", "CH#", " 2x")
                 .Set("EVENT", "DATE_CH2", "07.03.2006")
                 .Set("EVENT", "TIME_CH2", "10:00:00");
         },
         EpochFromCalendar(2006, 3, 7, 10, 0, 0)},
        {"no EVENT section", [](RecorderFile&) {}, std::nullopt},
        {"empty CH#",
         [](RecorderFile& f) { f.Set("EVENT", "CH#", "").Set("EVENT", "DATE_CH0", "07.03.2006"); },
         std::nullopt},
        {"date missing",
         [](RecorderFile& f) { f.Set("EVENT", "CH#", "2").Set("EVENT", "TIME_CH2", "10:00:00"); },
         std::nullopt},
        {"time missing",
         [](RecorderFile& f) { f.Set("EVENT", "CH#", "2").Set("EVENT", "DATE_CH2", "07.03.2006"); },
         std::nullopt},
    };
    for (const Case& c : cases) {
        RecorderFile file = MakeRecording(RecordingPlan{});
        c.event(file);
        platform::IniFile header(file.WriteTo(dir.File("e.dat")));
        EXPECT_EQ(engine::ReadEventTime(header), c.expected) << c.what;
    }
}

TEST(ReadStreamHeader, ReadsTheStreamThatFileStreamNames) {
    TempDir dir;
    RecordingPlan plan;
    plan.stream = 1;
    RecorderFile file = MakeRecording(plan);
    file.Set("STREAM0", "N_CH", "9").Set("STREAM0", "TYPE", "TRIGGER").Set("STREAM0", "CH#", "7,8");
    file.Set("STREAM1", "TYPE", "Trigger");
    file.SetOffsetText("5000000000");
    platform::IniFile header(file.WriteTo(dir.File("s.dat")));
    const engine::StreamHeader stream = engine::ReadStreamHeader(header);
    EXPECT_EQ(stream.channelCount, 3);
    EXPECT_EQ(stream.channelList, "1,2,3");
    EXPECT_EQ(stream.recordSeconds, 1);
    EXPECT_FALSE(stream.trigger) << "TRIGGER is matched with its letter case";
    EXPECT_EQ(stream.dataOffset, 5000000000LL);
}

TEST(ReadRecordingSpan, NeedsDateAndTime) {
    TempDir dir;
    RecordingPlan plan;
    plan.date = "29.11.2007";
    plan.time = "14:30:45.5";
    plan.dataSec = "3600";
    platform::IniFile full(MakeRecording(plan).WriteTo(dir.File("a.dat")));
    const auto span = engine::ReadRecordingSpan(full);
    ASSERT_TRUE(span);
    EXPECT_EQ(span->start, EpochFromCalendar(2007, 11, 29, 14, 30, 45.5f));
    EXPECT_EQ(span->dataSeconds, 3600);

    plan.dataSec.reset();
    platform::IniFile noLength(MakeRecording(plan).WriteTo(dir.File("b.dat")));
    ASSERT_TRUE(engine::ReadRecordingSpan(noLength));
    EXPECT_EQ(engine::ReadRecordingSpan(noLength)->dataSeconds, 0);

    RecorderFile noTime = MakeRecording(plan);
    noTime.Set("FILE", "TIME_INT", "");
    platform::IniFile header(noTime.WriteTo(dir.File("c.dat")));
    EXPECT_FALSE(engine::ReadRecordingSpan(header));
}

TEST(ListedChannels, TakesAtMostTheChannelCount) {
    EXPECT_EQ(engine::ListedChannels("1,2,3", 2), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(engine::ListedChannels("1,2", 5), (std::vector<std::int32_t>{1, 2}));
    EXPECT_TRUE(engine::ListedChannels("1,2,3", 0).empty());
    EXPECT_TRUE(engine::ListedChannels("1,2,3", -4).empty());
    EXPECT_TRUE(engine::ListedChannels("", INT_MAX).empty());
}

}  // namespace
