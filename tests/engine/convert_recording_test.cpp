#include "engine/convert_recording.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "archive/trace_errors.h"
#include "archive/trace_writer.h"
#include "catalog/database_error.h"
#include "engine/drivers.h"
#include "formats/date_time.h"
#include "formats/recorder/recorder_header.h"
#include "tests/engine/engine_fakes.h"
#include "tests/support/process_reads.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace {

using engine_test::FakeObserver;
using engine_test::FakeOutputs;
using testing_support::BytesReadByProcess;
using testing_support::MakeRecording;
using testing_support::RecorderFile;
using testing_support::RecordingPlan;
using testing_support::TempDir;
using Strings = std::vector<std::string>;

class ConvertRecordingTest : public ::testing::Test {
protected:
    int Convert(const RecorderFile& file, const std::string& station = "STA1") {
        platform::IniFile header(file.WriteTo(dir.File("rec.dat")));
        return Convert(station, header);
    }
    // 1 when converted, 0 when skipped.
    int Convert(const std::string& station, platform::IniFile& header) {
        engine::RunContext run(request, front, outputs, stop.get_token());
        return engine::ConvertRecording(station, header, run).converted ? 1 : 0;
    }
    static RecorderFile Triggered(RecordingPlan plan = {}) {
        plan.type = "TRIGGER";
        RecorderFile file = MakeRecording(plan);
        file.Set("EVENT", "CH#", "1")
            .Set("EVENT", "DATE_CH1", "29.11.2007")
            .Set("EVENT", "TIME_CH1", "14:31:00.25");
        return file;
    }

    TempDir dir;
    engine::RunRequest request;
    std::stop_source stop;
    FakeObserver front;
    FakeOutputs outputs;
};

TEST_F(ConvertRecordingTest, EmptyChannelListConvertsEveryNamedChannelInListOrder) {
    RecordingPlan plan;
    plan.channels = {{3, "SHE"}, {1, "SHZ"}, {2, "SHN"}};
    plan.time = "14:30:45.5";
    plan.data.recordSeconds = 2;
    const RecorderFile file = MakeRecording(plan);
    EXPECT_EQ(Convert(file), 1);
    EXPECT_EQ(outputs.ChannelsWritten(), (Strings{"SHE@0", "SHZ@1", "SHN@2"}));
    for (const auto& t : outputs.traces) {
        EXPECT_EQ(t.station, "STA1");
        EXPECT_EQ(t.start, EpochFromCalendar(2007, 11, 29, 14, 30, 45.5f));
        EXPECT_EQ(t.recordSeconds, 2);
        EXPECT_EQ(t.channelCount, 3);
        EXPECT_EQ(t.gain, 1);
        EXPECT_EQ(t.dataSize, static_cast<std::int64_t>(file.data().size()));
        EXPECT_TRUE(t.data == file.data()) << "the whole data block, as it stands in the file";
    }
    EXPECT_TRUE(front.messages().empty());
}

TEST_F(ConvertRecordingTest, ChannelWithoutNameKeepsItsPosition) {
    RecordingPlan plan;
    plan.channels = {{1, "SHZ"}, {2, ""}, {3, "SHE"}};
    EXPECT_EQ(Convert(MakeRecording(plan)), 1);
    EXPECT_EQ(outputs.ChannelsWritten(), (Strings{"SHZ@0", "SHE@2"}));
}

TEST_F(ConvertRecordingTest, ChannelCountAndListLengthBoundTheWalk) {
    struct Case {
        const char* list;
        const char* count;
        Strings expected;
    } cases[] = {
        {"1,2,3", "2", {"SHZ@0", "SHN@1"}},  // items beyond N_CH are ignored
        {"1,2", "3", {"SHZ@0", "SHN@1"}},    // the walk stops at the list's end
        {"1,2,3", "99999999999", {"SHZ@0", "SHN@1", "SHE@2"}},
        {"1,2,3", "-1", {}},
        {"3,3", "2", {"SHE@0", "SHE@1"}},
        {"99999999999999999999999999999999999,3",
         "2",
         {"SHE@1"}},  // an absurd number keeps its place
    };
    for (const Case& c : cases) {
        RecordingPlan plan;
        plan.channelList = c.list;
        plan.channelCount = c.count;
        outputs.traces.clear();
        EXPECT_EQ(Convert(MakeRecording(plan)), 1) << c.list;
        EXPECT_EQ(outputs.ChannelsWritten(), c.expected) << c.list << " N_CH " << c.count;
    }
}

TEST_F(ConvertRecordingTest, ChannelListFilterTakesCheckedMatchingItems) {
    struct Case {
        const char* what;
        std::vector<engine::ChannelItem> items;
        Strings expected;
    } cases[] = {
        {"one checked", {{"SHN", true}, {"SHZ", false}}, {"SHN@1"}},
        {"list order within a channel, list order of channels",
         {{"SHE", true}, {"SHZ", true}},
         {"SHZ@0", "SHE@2"}},
        {"checked twice: converted twice", {{"SHN", true}, {"SHN", true}}, {"SHN@1", "SHN@1"}},
        {"names match with their case", {{"shn", true}, {"SHN", true}}, {"SHN@1"}},
        {"empty item text never matches", {{"", true}, {"SHE", true}}, {"SHE@2"}},
    };
    for (const Case& c : cases) {
        request.channels = c.items;
        outputs.traces.clear();
        EXPECT_EQ(Convert(MakeRecording(RecordingPlan{})), 1) << c.what;
        EXPECT_EQ(outputs.ChannelsWritten(), c.expected) << c.what;
    }
}

TEST_F(ConvertRecordingTest, ItemTextsAreComparedByTheirFirstFifteenCharacters) {
    RecordingPlan plan;
    plan.channels = {{1, "FIFTEEN_CHARS_X"}, {2, "SIXTEEN_CHARS_XY"}};
    plan.data.channels = 2;
    request.channels = {{"FIFTEEN_CHARS_X_AND_MORE", true}, {"SIXTEEN_CHARS_XY", true}};
    EXPECT_EQ(Convert(MakeRecording(plan)), 1);
    // The cut text is the channel name the writer gets; a 16-character NAME never matches.
    EXPECT_EQ(outputs.ChannelsWritten(), (Strings{"FIFTEEN_CHARS_X@0"}));
}

TEST_F(ConvertRecordingTest, NoCheckedMatchRejectsTheFileBeforeAnything) {
    request.channels = {{"SHZ", false}, {"BHZ", true}};
    EXPECT_EQ(Convert(Triggered()), 0);
    EXPECT_TRUE(outputs.traces.empty());
    EXPECT_TRUE(outputs.events.empty());
    EXPECT_TRUE(front.messages().empty());
}

TEST_F(ConvertRecordingTest, ZeroChannelCount) {
    RecordingPlan plan;
    plan.channelCount = "0";
    // List filter on: rejected, no event.
    request.channels = {{"SHZ", true}};
    EXPECT_EQ(Convert(Triggered(plan)), 0);
    EXPECT_TRUE(outputs.events.empty());
    // Filter off: the block is read and the event registered, no channel converted.
    request.channels.clear();
    EXPECT_EQ(Convert(Triggered(plan)), 1);
    EXPECT_EQ(outputs.events.size(), 1u);
    EXPECT_TRUE(outputs.traces.empty());
}

TEST_F(ConvertRecordingTest, TriggeredRecordingRegistersItsEventOnce) {
    EXPECT_EQ(Convert(Triggered()), 1);
    ASSERT_EQ(outputs.events.size(), 1u);
    EXPECT_EQ(outputs.events[0].station, "STA1");
    EXPECT_EQ(outputs.events[0].start, EpochFromCalendar(2007, 11, 29, 14, 31, 0.25f));
    EXPECT_EQ(outputs.traces.size(), 3u);
}

TEST_F(ConvertRecordingTest, TypeOtherThanExactlyTriggerIsContinuous) {
    for (const char* type : {"Trigger", "TRIGGER ", "TRIGGERED", "CONTINUOUS", ""}) {
        RecorderFile file = Triggered();
        file.Set("STREAM0", "TYPE", type);
        outputs.events.clear();
        EXPECT_EQ(Convert(file), 1) << type;
        // "TRIGGER " is trimmed like any value, so it still is TRIGGER.
        EXPECT_EQ(outputs.events.size(), std::string(type) == "TRIGGER " ? 1u : 0u) << type;
    }
}

TEST_F(ConvertRecordingTest, FileOfAnotherStationOrWithoutTimesIsRejectedSilently) {
    struct Case {
        const char* what;
        std::function<void(RecorderFile&)> change;
        std::string station;
    } cases[] = {
        {"station differs in case", [](RecorderFile&) {}, "sta1"},
        {"other station", [](RecorderFile&) {}, "STA2"},
        {"no NAME", [](RecorderFile& f) { f.Remove("SYSTEM", "NAME"); }, ""},
        {"no DATE_INT", [](RecorderFile& f) { f.Remove("FILE", "DATE_INT"); }, "STA1"},
        {"empty TIME_INT", [](RecorderFile& f) { f.Set("FILE", "TIME_INT", ""); }, "STA1"},
    };
    for (const Case& c : cases) {
        RecorderFile file = Triggered();
        c.change(file);
        EXPECT_EQ(Convert(file, c.station), 0) << c.what;
    }
    EXPECT_TRUE(outputs.traces.empty());
    EXPECT_TRUE(outputs.events.empty());
    EXPECT_TRUE(front.messages().empty());
}

TEST_F(ConvertRecordingTest, TimesThatAreNoNumberAreRefusedBeforeAnythingIsWritten) {
    const std::string path = dir.File("rec.dat");
    const std::string start = "Message:Ошибка:error:Недопустимое время начала записи в файле '";
    const std::string event = "Message:Ошибка:error:Недопустимое время события в файле '";
    const struct {
        const char *section, *key, *value;
        std::string message;  // "" when the file is converted
    } cases[] = {
        {"FILE", "TIME_INT", "05:15:nan", start},   {"FILE", "TIME_INT", "05:15:inf", start},
        {"FILE", "TIME_INT", "05:15:1e39", start},  {"EVENT", "TIME_CH1", "05:15:nan", event},
        {"EVENT", "TIME_CH1", "05:15:-inf", event}, {"EVENT", "TIME_CH1", "05:15:00", ""},
    };
    for (const auto& c : cases) {
        RecorderFile file = Triggered();
        file.Set(c.section, c.key, c.value);
        outputs.events.clear();
        outputs.traces.clear();
        const std::size_t shown = front.messages().size();
        const bool refused = !c.message.empty();
        EXPECT_EQ(Convert(file), refused ? 0 : 1) << c.value;
        EXPECT_EQ(outputs.events.empty(), refused) << c.value;
        EXPECT_EQ(outputs.traces.empty(), refused) << c.value;
        const Strings messages = front.messages();
        EXPECT_EQ(Strings(messages.begin() + static_cast<std::ptrdiff_t>(shown), messages.end()),
                  refused ? Strings{c.message + path + "'"} : Strings{})
            << c.value;
    }
}

// Refused cases give exactly their message and write nothing; the others
// convert with the start the date arithmetic has always given them.
class HeaderRefusalTest : public ConvertRecordingTest {
protected:
    struct Case {
        std::string what;
        std::function<void(RecorderFile&)> change;
        std::string message;  // %1 for the quoted path; "" when converted
        double start = 0;     // of a converted case
    };
    static std::string WithPath(std::string text, const std::string& path) {
        return text.replace(text.find("%1"), 2, "'" + path + "'");
    }
    void Check(const std::vector<Case>& cases) {
        const std::string path = dir.File("rec.dat");
        for (const Case& c : cases) {
            RecorderFile file = Triggered();
            c.change(file);
            outputs.events.clear();
            outputs.traces.clear();
            const std::size_t shown = front.messages().size();
            const bool refused = !c.message.empty();
            EXPECT_EQ(Convert(file), refused ? 0 : 1) << c.what;
            EXPECT_EQ(outputs.events.empty(), refused) << c.what;
            EXPECT_EQ(outputs.traces.empty(), refused) << c.what;
            const Strings messages = front.messages();
            EXPECT_EQ(
                Strings(messages.begin() + static_cast<std::ptrdiff_t>(shown), messages.end()),
                refused ? Strings{"Message:Ошибка:error:" + WithPath(c.message, path)} : Strings{})
                << c.what;
            if (!refused && !outputs.traces.empty()) {
                EXPECT_EQ(outputs.traces.front().start, c.start) << c.what;
            }
        }
    }
};

TEST_F(HeaderRefusalTest, DatesAndTimesNoRecorderWrites) {
    const std::string refused = "Дата или время начала записи в файле %1 невозможны";
    const auto start = [](const char* date, const char* time) {
        return
            [=](RecorderFile& f) { f.Set("FILE", "DATE_INT", date).Set("FILE", "TIME_INT", time); };
    };
    Check({
        {"00.00.0000", start("00.00.0000", "14:30:45"), refused},
        {"letters", start("ab.cd.efgh", "14:30:45"), refused},
        {"99.99.9999", start("99.99.9999", "14:30:45"), refused},
        {"month 13", start("01.13.2007", "14:30:45"), refused},
        {"day 32", start("32.11.2007", "14:30:45"), refused},
        {"day -1", start("-1.11.2007", "14:30:45"), refused},
        {"year 1899", start("29.11.1899", "14:30:45"), refused},
        {"year 2101", start("29.11.2101", "14:30:45"), refused},
        {"no year", start("29.11", "14:30:45"), refused},
        {"time ::", start("29.11.2007", "::"), refused},
        {"time nan", start("29.11.2007", "nan"), refused},
        {"hour 24", start("29.11.2007", "24:00:00"), refused},
        {"hour -10", start("29.11.2007", "-10:00:00"), refused},
        {"minute 60", start("29.11.2007", "14:60:00"), refused},
        {"second 60", start("29.11.2007", "14:30:60"), refused},
        {"second -1", start("29.11.2007", "14:30:-1"), refused},
        {"no seconds", start("29.11.2007", "14:30"), refused},
        {"event on 31.13", [](RecorderFile& f) { f.Set("EVENT", "DATE_CH1", "31.13.2007"); },
         "Недопустимое время события в файле %1"},
        {"day 0", start("00.03.2024", "14:30:45"), "", EpochFromCalendar(2024, 3, 0, 14, 30, 45)},
        {"31 February", start("31.02.2024", "00:00:00"), "",
         EpochFromCalendar(2024, 3, 2, 0, 0, 0)},
        {"1969", start("31.12.1969", "23:59:59.999"), "",
         EpochFromCalendar(1969, 12, 31, 23, 59, 59.999f)},
        {"1900 and 2100", start("01.01.1900", "00:00:00"), "",
         EpochFromCalendar(1900, 1, 1, 0, 0, 0)},
        {"2100", start("31.12.2100", "23:59:59.999"), "",
         EpochFromCalendar(2100, 12, 31, 23, 59, 59.999f)},
    });
}

TEST_F(HeaderRefusalTest, SampleRatesThatAreNotPositive) {
    const std::string refused = "Частота дискретизации в файле %1 не положительное конечное число";
    const double start = EpochFromCalendar(2007, 11, 29, 14, 30, 45);
    const auto rates = [](std::int16_t rate16, std::int32_t rate32) {
        return [=](RecorderFile& f) {
            // Little-endian, in the first record header of the usual block.
            std::string data = f.data();
            for (int b = 0; b < 2; ++b) data[28 + b] = static_cast<char>(rate16 >> (8 * b));
            for (int b = 0; b < 4; ++b) data[108 + b] = static_cast<char>(rate32 >> (8 * b));
            f.SetData(data);
        };
    };
    Check({
        {"-100 at byte 28", rates(-100, 0), refused},
        {"-1 at byte 28", rates(-1, 100000000), refused},
        {"-100000000 at byte 108", rates(0, -100000000), refused},
        {"100 at byte 28", rates(100, -5), "", start},
        {"100000000 at byte 108", rates(0, 100000000), "", start},
    });
}

TEST_F(HeaderRefusalTest, NamesWithControlOrDirectionCharacters) {
    const std::string refused =
        "Имя станции или канала в файле %1 содержит управляющие символы или знаки направления "
        "текста";
    const double start = EpochFromCalendar(2007, 11, 29, 14, 30, 45);
    const auto channel = [](std::string name) {
        return [=](RecorderFile& f) { f.Set("CH2", "NAME", name); };
    };
    Check({
        {"TAB", channel("SH\tN"), refused},
        {"ESC", channel("\x1b[2JSHN"), refused},
        {"DEL", channel("SHN\x7f"), refused},
        {"U+202E", channel("SH\xE2\x80\xAEN"), refused},
        {"U+202A", channel("\xE2\x80\xAASHN"), refused},
        {"U+2066", channel("SHN\xE2\x81\xA6"), refused},
        {"U+2069", channel("SHN\xE2\x81\xA9"), refused},
        {"U+2028 is no override", channel("SH\xE2\x80\xA8N"), "", start},
        {"U+2067 in the middle", channel("S\xE2\x81\xA7HN"), refused},
        {"Cyrillic", channel("\xD0\x9A\xD0\x90\xD0\x9D"), "", start},
        {"CP1251", channel("\xCA\xC0\xCD"), "", start},
    });
    // The station: the conversion is asked for the file's own name, as the
    // file run does.
    RecorderFile file = Triggered();
    file.Set("SYSTEM", "NAME",
             "ST\x01"
             "1");
    outputs.traces.clear();
    outputs.events.clear();
    EXPECT_EQ(Convert(file,
                      "ST\x01"
                      "1"),
              0);
    EXPECT_TRUE(outputs.traces.empty());
    EXPECT_TRUE(outputs.events.empty());
    EXPECT_EQ(front.messages().back(),
              "Message:Ошибка:error:" + WithPath(refused, dir.File("rec.dat")));
}

TEST_F(ConvertRecordingTest, AnIncompleteRecordingIsConvertedButKeepsLongerTraces) {
    const struct {
        const char* dataSec;
        int records, trailingBytes;
        bool incomplete;
    } cases[] = {
        {"4", 4, 0, false}, {"5", 4, 0, true}, {"5", 4, 300, true},
        {"3", 4, 0, false}, {"", 4, 0, false}, {"4", 0, 10, true},
    };
    for (const auto& c : cases) {
        RecordingPlan plan;
        plan.dataSec = c.dataSec;
        plan.data.records = c.records;
        plan.data.trailingBytes = c.trailingBytes;
        outputs.traces.clear();
        EXPECT_EQ(Convert(MakeRecording(plan)), 1) << c.dataSec << " " << c.records;
        ASSERT_EQ(outputs.traces.size(), 3u);
        for (const auto& t : outputs.traces)
            EXPECT_EQ(t.incomplete, c.incomplete) << c.dataSec << " " << c.records;
    }
    EXPECT_TRUE(front.messages().empty());

    // The writer kept each channel's longer trace: the operator is told, per channel.
    RecordingPlan plan;
    plan.dataSec = "5";
    outputs.traces.clear();
    outputs.writeIncomplete = false;
    EXPECT_EQ(Convert(MakeRecording(plan)), 1);
    EXPECT_TRUE(outputs.traces.empty());
    const std::string kept = "Message:Ошибка:error:Запись в файле '" + dir.File("rec.dat") +
                             "' неполная, прежняя трасса канала ";
    EXPECT_EQ(front.messages(),
              (Strings{kept + "SHZ сохранена", kept + "SHN сохранена", kept + "SHE сохранена"}));
}

TEST_F(ConvertRecordingTest, ARecordingCountsAsConvertedOnlyWhenEveryTraceFileWasWritten) {
    enum Kind { Converted, Partly, Failed, Stopped };
    const struct {
        const char* name;
        std::vector<std::string> failing;  // channels whose trace file fails
        const char* stopAfter;             // a stop request once this channel is written
        Kind kind;
        Strings written;
        std::string told;  // the observer's line about the recording
    } cases[] = {
        {"all written", {}, nullptr, Converted, {"SHZ@0", "SHN@1", "SHE@2"}, "Converted:"},
        {"one fails", {"SHN"}, nullptr, Partly, {"SHZ@0", "SHE@2"}, "NotConverted:2:1"},
        {"all fail", {"SHZ", "SHN", "SHE"}, nullptr, Failed, {}, "NotConverted:0:3"},
        {"stop after the first", {}, "SHZ", Partly, {"SHZ@0"}, "NotConverted:1:0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeObserver observer;
        FakeOutputs written;
        std::stop_source stopper;
        written.beforeWrite = [&](const std::string& channel) {
            if (std::find(c.failing.begin(), c.failing.end(), channel) != c.failing.end())
                throw TraceFileError(
                    "Ошибка открытия файла /143045-29112007." + channel,
                    "/data/STA1/1429112007/143045-29112007." + channel + ": нет места на диске");
            if (c.stopAfter && channel == c.stopAfter) stopper.request_stop();
        };
        platform::IniFile header(MakeRecording(RecordingPlan{}).WriteTo(dir.File("rec.dat")));
        engine::RunContext run(request, observer, written, stopper.get_token());
        const engine::RecordingOutcome outcome = engine::ConvertRecording("STA1", header, run);
        EXPECT_EQ(outcome.converted, c.kind == Converted);
        EXPECT_EQ(outcome.partly, c.kind == Partly);
        EXPECT_EQ(outcome.failed, c.kind == Failed);
        EXPECT_EQ(written.ChannelsWritten(), c.written);
        EXPECT_EQ(run.summary.traces, static_cast<int>(c.written.size()));
        EXPECT_EQ(run.summary.traceFailures, static_cast<int>(c.failing.size()));
        EXPECT_EQ(observer.Calls("Converted:").size() + observer.Calls("NotConverted:").size(), 1u);
        EXPECT_EQ(observer.Calls(c.told).size(), 1u);
        // Each failure names the trace file's full path and the system's reason, then the
        // recording.
        const auto messages = observer.fullMessages();
        ASSERT_EQ(messages.size(), c.failing.size());
        for (std::size_t i = 0; i < messages.size(); ++i)
            EXPECT_EQ(messages[i].detail, "/data/STA1/1429112007/143045-29112007." + c.failing[i] +
                                              ": нет места на диске; Станция STA1, файл " +
                                              header.path());
    }
}

TEST_F(ConvertRecordingTest, DatabaseErrorLeavesAtOnce) {
    outputs.beforeWrite = [](const std::string& channel) {
        if (channel == "SHN") throw catalog::DatabaseError("insert failed", "HY000");
    };
    EXPECT_THROW(Convert(MakeRecording(RecordingPlan{})), catalog::DatabaseError);
    EXPECT_EQ(outputs.ChannelsWritten(), (Strings{"SHZ@0"}));
    EXPECT_TRUE(front.messages().empty());

    outputs.traces.clear();
    outputs.beforeWrite = nullptr;
    outputs.beforeEvent = [] { throw catalog::DatabaseError("event table", "HY000"); };
    EXPECT_THROW(Convert(Triggered()), catalog::DatabaseError);
    EXPECT_TRUE(outputs.traces.empty());
}

TEST_F(ConvertRecordingTest, GainFactorComesFromTheChannelsGroup) {
    RecorderFile file = MakeRecording(RecordingPlan{});
    file.Set("GROUP1", "CH#", "1,2").Set("GROUP1", "GAIN", "3");
    file.Set("GROUP2", "CH#", "3").Set("GROUP2", "GAIN", "40");
    EXPECT_EQ(Convert(file), 1);
    ASSERT_EQ(outputs.traces.size(), 3u);
    EXPECT_EQ(outputs.traces[0].gain, 8);
    EXPECT_EQ(outputs.traces[1].gain, 8);
    EXPECT_EQ(outputs.traces[2].gain, INT32_MAX);
}

TEST_F(ConvertRecordingTest, StreamSectionIsTheOneFileStreamNames) {
    RecordingPlan plan;
    plan.stream = 2;
    plan.channels = {{4, "BHZ"}};
    plan.data.channels = 1;
    RecorderFile file = MakeRecording(plan);
    file.Set("STREAM0", "N_CH", "1").Set("STREAM0", "CH#", "5").Set("CH5", "NAME", "LHZ");
    EXPECT_EQ(Convert(file), 1);
    EXPECT_EQ(outputs.ChannelsWritten(), (Strings{"BHZ@0"}));
}

TEST_F(ConvertRecordingTest, DataOffsetOutsideTheFileIsRejected) {
    RecorderFile base = Triggered();
    base.PadHeaderTo(4096);  // the offset's own text then leaves the file size alone
    const std::int64_t fileSize = static_cast<std::int64_t>(base.Bytes().size());
    struct Case {
        std::string offset;
        int result;
        std::int64_t dataSize;
    } cases[] = {
        {std::to_string(fileSize + 1), 0, 0},
        {"99999999999999999999", 0, 0},
        {"-5", 0, 0},
        {std::to_string(fileSize), 1, 0},        // empty block: the writer gets no samples
        {std::to_string(fileSize - 10), 1, 10},  // shorter than a record header
        {"", 1, fileSize},                       // missing: the whole file is the block
    };
    for (const Case& c : cases) {
        RecorderFile file = base;
        file.SetOffsetText(c.offset);
        outputs.traces.clear();
        EXPECT_EQ(Convert(file), c.result) << c.offset;
        if (c.result == 0) {
            EXPECT_TRUE(outputs.traces.empty()) << c.offset;
            continue;
        }
        ASSERT_EQ(outputs.traces.size(), 3u) << c.offset;
        EXPECT_EQ(outputs.traces[0].dataSize, c.dataSize) << c.offset;
        EXPECT_EQ(outputs.traces[0].data,
                  file.Bytes().substr(static_cast<std::size_t>(fileSize - c.dataSize)));
    }
}

TEST_F(ConvertRecordingTest, ARecordingRemovedAfterItsHeaderWasReadIsConvertedFromTheOpenFile) {
    const RecorderFile file = Triggered();
    platform::IniFile header(file.WriteTo(dir.File("gone.dat")));
    EXPECT_EQ(engine::ReadStationName(header), "STA1");  // header read while the file exists
    ASSERT_EQ(::unlink(dir.File("gone.dat").c_str()), 0);
    EXPECT_EQ(Convert("STA1", header), 1);
    ASSERT_EQ(outputs.traces.size(), 3u);
    EXPECT_EQ(outputs.traces[0].data, file.Bytes().substr(file.HeaderText().size()));
}

TEST_F(ConvertRecordingTest, AConvertedRecordingIsReadOnce) {
    RecordingPlan plan;
    plan.dataSec = "2000";
    plan.data.records = 2000;  // about 1.3 MB, and no GROUP section: every lookup of one
                               // has to look through all of it
    const std::string path = Triggered(plan).WriteTo(dir.File("once.dat"));
    const std::uint64_t size = std::filesystem::file_size(path);
    const std::uint64_t before = BytesReadByProcess();
    platform::IniFile header(path);
    EXPECT_EQ(Convert("STA1", header), 1);
    const std::uint64_t read = BytesReadByProcess() - before;
    EXPECT_EQ(outputs.traces.size(), 3u);
    EXPECT_GE(read, size);
    EXPECT_LE(read, size + 16 * 1024);
}

TEST_F(ConvertRecordingTest, AFileThatCannotBeOpenedIsRejected) {
    platform::IniFile header(dir.File("absent.dat"));
    EXPECT_EQ(Convert("STA1", header), 0);
    EXPECT_TRUE(outputs.traces.empty());
    EXPECT_TRUE(outputs.events.empty());
}

TEST_F(ConvertRecordingTest, DataBlockBeyondTwoGibibytesKeepsItsSize) {
    // A sparse file: header and one record, then a hole up to 2 GiB + 1 MiB.
    const RecorderFile file = MakeRecording(RecordingPlan{});
    const std::string path = file.WriteTo(dir.File("big.dat"));
    const std::int64_t size = (std::int64_t{2} << 30) + (1 << 20);
    ASSERT_EQ(::truncate(path.c_str(), size), 0);
    platform::IniFile header(path);
    const std::int64_t offset = static_cast<std::int64_t>(file.HeaderText().size());
    outputs.beforeWrite = [](const std::string&) {};
    EXPECT_EQ(Convert("STA1", header), 1);
    ASSERT_EQ(outputs.traces.size(), 3u);
    EXPECT_EQ(outputs.traces[0].dataSize, size - offset);
}

}  // namespace
