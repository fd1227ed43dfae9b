// Writes recordings with hostile headers for the replay of the recorder
// fuzz target: every key the reader looks up, in turn, set to each of a list
// of values a broken recorder or a hand-edited file may hold, plus damaged
// data blocks and header syntax.
//
//   make_hostile_recordings DIR
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/recorder_generator.h"

using testing_support::MakeRecording;
using testing_support::RecorderFile;
using testing_support::RecordingPlan;

namespace {

// A triggered recording with an event and a gain group, so that every
// lookup is reached.
RecorderFile Base(const RecordingPlan& plan) {
    RecorderFile file = MakeRecording(plan);
    file.Set("EVENT", "CH#", "1")
        .Set("EVENT", "DATE_CH1", "29.11.2007")
        .Set("EVENT", "TIME_CH1", "14:30:46.25");
    file.Set("GROUP1", "CH#", "1,2").Set("GROUP1", "GAIN", "3");
    return file;
}

RecordingPlan BasePlan() {
    RecordingPlan plan;
    plan.type = "TRIGGER";
    plan.data.records = 2;
    return plan;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_hostile_recordings DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::filesystem::create_directories(dir);
    int written = 0;
    const auto write = [&](const RecorderFile& file) {
        char name[32];
        std::snprintf(name, sizeof name, "/hostile-%04d.dat", written++);
        file.WriteTo(dir + name);
    };

    const std::vector<std::pair<const char*, const char*>> keys = {
        {"SYSTEM", "NAME"},   {"FILE", "DATE_INT"},        {"FILE", "TIME_INT"},
        {"FILE", "DATA_SEC"}, {"FILE", "STREAM"},          {"STREAM0", "N_CH"},
        {"STREAM0", "TYPE"},  {"STREAM0", "REC_SIZE_SEC"}, {"STREAM0", "CH#"},
        {"CH1", "NAME"},      {"GROUP1", "CH#"},           {"GROUP1", "GAIN"},
        {"EVENT", "CH#"},     {"EVENT", "DATE_CH1"},       {"EVENT", "TIME_CH1"},
    };
    const std::vector<std::string> values = {
        "",
        " ",
        "\t",
        "0",
        "-1",
        "2147483647",
        "2147483648",
        "-2147483648",
        "9223372036854775807",
        "99999999999999999999999",
        "nan",
        "inf",
        "-inf",
        "1e308",
        "05:15:nan",
        "99:99:99.999",
        "-1:-1:-1",
        "31.02.2007",
        "00.00.0000",
        "99.99.99999",
        "../../../../etc/x",
        "a/b",
        "a\\b",
        "\xff\xfe\xfd",
        "\xc0\xaf",
        std::string(300, 'A'),
        "1,,2",
        "1,1,1,1,1,1,1,1",
        ",,,",
        "65535,-5,2147483647",
        "%s%n%x%s",
        "'; DROP TABLE FILELIST; --",
        "TRIGGER",
    };
    for (const auto& [section, key] : keys)
        for (const std::string& value : values) write(Base(BasePlan()).Set(section, key, value));
    for (const std::string& value : values) write(Base(BasePlan()).SetOffsetText(value));

    // Data blocks that do not match what the header announces.
    for (const int records : {0, 1, 50}) {
        for (const int trailing : {0, 1, 7, 511}) {
            RecordingPlan plan = BasePlan();
            plan.data.records = records;
            plan.data.trailingBytes = trailing;
            write(Base(plan));
        }
    }
    // Rate fields of the first record header (16 bits at byte 28, 32 bits
    // in millionths at byte 108) that no recorder writes.
    for (const std::int16_t rate16 : {std::int16_t{0}, std::int16_t{-1}, std::int16_t{32767}}) {
        for (const std::int32_t rate32 : {0, -1, 1, 2147483647}) {
            RecorderFile file = Base(BasePlan());
            std::string block = file.data();
            std::memcpy(&block[28], &rate16, sizeof rate16);
            std::memcpy(&block[108], &rate32, sizeof rate32);
            write(file.SetData(block));
        }
    }
    // Header syntax: lines without '=', duplicate sections, binary lines,
    // a header padded far beyond its data offset.
    using namespace std::string_literals;
    for (const std::string& line :
         {"no equals sign"s, "[SYSTEM]"s, "[STREAM0]\r\nN_CH=9999"s, "=value"s, "[]"s,
          "[\xff]\r\n\xff=\xff"s, "[FILE]\r\nDATA_SEC=-7"s, "\0\0\0"s})
        write(Base(BasePlan()).AppendLine(line));
    write(Base(BasePlan()).PadHeaderTo(70000));
    write(Base(BasePlan()).SetData(""));

    std::printf("%d hostile recordings in %s\n", written, dir.c_str());
    return 0;
}
