#include "archive/trace_conversion.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <set>

#include "archive/trace_writer.h"
#include "formats/tvx/tvx_header.h"
#include "tests/support/temp_dir.h"
#include "tests/support/trace_test_support.h"

namespace {

// The directories flushed while a test listens: fsync(2) is stood in for in
// this test program, every call still going to the system.
std::mutex theFlushesMutex;
std::set<std::string>* theDirectoriesFlushed = nullptr;

}  // namespace

extern "C" int fsync(int fd) {
    {
        std::lock_guard lock(theFlushesMutex);
        struct stat st {};
        if (theDirectoriesFlushed && ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
            char link[64], path[4096];
            std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
            const ssize_t n = ::readlink(link, path, sizeof path);
            if (n > 0) theDirectoriesFlushed->emplace(path, static_cast<std::size_t>(n));
        }
    }
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

namespace {

using engine::ChannelTrace;
using engine::TraceFileRow;
using engine::TraceSettings;
using engine::WriteTraceFile;
using testing_support::ReadFileBytes;
using testing_support::TempDir;
using trace_test::BlockShape;
using trace_test::BuildDataBlock;
using trace_test::TreeBelow;

const double kStart = 1196346645.5;  // 2007-11-29 14:30:45.5
const char* const kTracePath = "STA1/1429112007/143045-29112007.SHZ";

// One channel of a block, as the recorder reader hands it over.
struct Conversion {
    std::vector<std::uint8_t> block;
    ChannelTrace trace;

    explicit Conversion(const BlockShape& shape, int position = 0) : block(BuildDataBlock(shape)) {
        trace.data = block.data();
        trace.dataSize = static_cast<std::int64_t>(block.size());
        trace.start = kStart;
        trace.channel = "SHZ";
        trace.station = "STA1";
        trace.channelPosition = position;
        trace.recordSeconds = 1;
        trace.channelCount = shape.channels;
        trace.gainFactor = 8;
    }
};

TraceSettings In(const std::string& dataDir, bool useGain = true) { return {dataDir, useGain}; }

std::string HeaderText(const std::string& file) {
    return file.substr(0, std::min(file.size(), file.find('\0')));
}

std::string ErrorOf(const ChannelTrace& trace, const TraceSettings& settings) {
    try {
        WriteTraceFile(trace, settings);
    } catch (const TraceFileError& e) {
        return e.what();
    }
    return "";
}

TEST(TraceConversion, WritesHeaderAndSamplesBelowStationAndHourDirectories) {
    TempDir data;
    BlockShape shape;
    shape.channels = 3;
    shape.records = 2;
    const Conversion c(shape, 1);
    const TraceFileRow row = WriteTraceFile(c.trace, In(data.path()));

    const std::string file = ReadFileBytes(data.File(kTracePath));
    char header[kTraceHeaderSize];
    BuildTraceHeader(header, "STA1", "SHZ", kStart, 2.0, 100.0);
    EXPECT_EQ(file, std::string(header, sizeof header) +
                        trace_test::SampleBytes(trace_test::ChannelValues(shape, 1)));
    EXPECT_NE(HeaderText(file).find("Time duration=00 00 02\r\n"), std::string::npos);

    EXPECT_EQ(row.station, "STA1");
    EXPECT_EQ(row.start, kStart) << "the half second is kept";
    EXPECT_EQ(row.duration, 2.0);
    EXPECT_EQ(row.channel, "SHZ");
    EXPECT_EQ(row.rate, 100.0);
    EXPECT_EQ(row.gain, 8);
    EXPECT_EQ(row.catalogPath, kTracePath);
    EXPECT_EQ(TreeBelow(data.path()),
              (std::vector<std::string>{"STA1", "STA1/1429112007", kTracePath}));
}

TEST(TraceConversion, DataDirectoryWorksWithAndWithoutTrailingSeparator) {
    for (const char* suffix : {"", "/"}) {
        TempDir data;
        const TraceFileRow row =
            WriteTraceFile(Conversion(BlockShape{}).trace, In(data.path() + suffix));
        EXPECT_EQ(row.catalogPath, kTracePath) << suffix;
        EXPECT_EQ(ReadFileBytes(data.File(kTracePath)).size(), 712u) << suffix;
    }
}

TEST(TraceConversion, CatalogueGainIsOneUnlessUseGainIsOn) {
    TempDir data;
    Conversion c{BlockShape{}};
    c.trace.gainFactor = 16;
    EXPECT_EQ(WriteTraceFile(c.trace, In(data.path(), true)).gain, 16);
    EXPECT_EQ(WriteTraceFile(c.trace, In(data.path(), false)).gain, 1);
}

TEST(TraceConversion, NoWholeRecordOrNoRateGivesAHeaderOnlyFile) {
    BlockShape zeroRate;
    zeroRate.rate16 = 0;
    const struct {
        const char* name;
        BlockShape shape;
        std::int64_t size;
    } cases[] = {
        {"block shorter than a record", BlockShape{}, 455},
        {"block shorter than a record header", BlockShape{}, 100},
        {"empty block", BlockShape{}, 0},
        {"zero in both rate fields", zeroRate, -1},
    };
    for (const auto& k : cases) {
        TempDir data;
        Conversion c(k.shape);
        if (k.size >= 0) c.trace.dataSize = k.size;
        const TraceFileRow row = WriteTraceFile(c.trace, In(data.path()));
        const std::string file = ReadFileBytes(data.File(kTracePath));
        EXPECT_EQ(file.size(), 512u) << k.name;
        EXPECT_NE(HeaderText(file).find("Time duration=00 00 00\r\n"), std::string::npos) << k.name;
        EXPECT_EQ(row.duration, 0.0) << k.name;
    }
}

TEST(TraceConversion, SixThousandSamplesAtTheScaledRateLastAWholeMinute) {
    TempDir data;
    BlockShape shape;
    shape.rate16 = 0;
    shape.rateMicro = 100000000;
    shape.records = 60;
    const TraceFileRow row = WriteTraceFile(Conversion(shape).trace, In(data.path()));
    const std::string file = ReadFileBytes(data.File(kTracePath));
    EXPECT_EQ(file.size(), 512u + 2 * 6000);
    EXPECT_NE(HeaderText(file).find("Time duration=00 01 00\r\n"), std::string::npos);
    EXPECT_NE(HeaderText(file).find("SpS=100.000000\r\n"), std::string::npos);
    EXPECT_GT(row.rate, 100.0) << "the catalogue gets the unrounded rate";
    EXPECT_DOUBLE_EQ(row.rate, 100.0000000001);
    EXPECT_DOUBLE_EQ(row.duration, 6000 / 100.0000000001);
}

TEST(TraceConversion, ADayAndAnHourOfDataShowOnlyTheHour) {
    TempDir data;
    BlockShape shape;
    shape.rate16 = 1;
    shape.samplesPerBlock = 90000;
    Conversion c(shape);
    c.trace.recordSeconds = 90000;
    WriteTraceFile(c.trace, In(data.path()));
    EXPECT_NE(HeaderText(ReadFileBytes(data.File(kTracePath))).find("Time duration=01 00 00\r\n"),
              std::string::npos);
}

TEST(TraceConversion, ConvertingTheSameTraceAgainLeavesOneFileWithTheNewSamples) {
    TempDir data;
    BlockShape shape;
    shape.records = 3;
    WriteTraceFile(Conversion(shape).trace, In(data.path()));
    shape.records = 1;
    WriteTraceFile(Conversion(shape).trace, In(data.path()));
    EXPECT_EQ(ReadFileBytes(data.File(kTracePath)).size(), 712u);
    EXPECT_EQ(TreeBelow(data.path()),
              (std::vector<std::string>{"STA1", "STA1/1429112007", kTracePath}));
}

TEST(TraceConversion, NamesThatWouldLeaveTheDataDirectoryAreRefusedBeforeAnyWrite) {
    const struct {
        std::string station, channel, message;
    } cases[] = {
        {"..", "SHZ", "Недопустимое имя станции .."},
        {".", "SHZ", "Недопустимое имя станции ."},
        {"../../etc", "SHZ", "Недопустимое имя станции ../../etc"},
        {"STA1", "SHZ/../../x", "Недопустимое имя канала SHZ/../../x"},
        {"STA1", "..", "Недопустимое имя канала .."},
        {"STA1", ".", "Недопустимое имя канала ."},
        {"STA1", "SHZ\\x", "Недопустимое имя канала SHZ\\x"},
        {"\xD1\xC0\\", "SHZ", "Недопустимое имя станции СА\\"},  // code page 1251
    };
    for (const auto& k : cases) {
        TempDir root;
        const std::string data = root.File("data");
        std::filesystem::create_directory(data);
        Conversion c{BlockShape{}};
        c.trace.station = k.station;
        c.trace.channel = k.channel;
        EXPECT_EQ(ErrorOf(c.trace, In(data)), k.message);
        EXPECT_EQ(TreeBelow(root.path()), std::vector<std::string>{"data"}) << k.message;
    }
}

TEST(TraceConversion, AStartWithoutACalendarDateIsRefusedBeforeAnyWrite) {
    for (double start : {1e300, -1e300, std::nan(""), -62135596800.0 - 2 * 86400.0}) {
        TempDir data;
        Conversion c{BlockShape{}};
        c.trace.start = start;
        EXPECT_EQ(ErrorOf(c.trace, In(data.path())).rfind("Недопустимое время начала записи ", 0),
                  0u)
            << start;
        EXPECT_TRUE(TreeBelow(data.path()).empty()) << start;
    }
}

TEST(TraceConversion, APathOver255CharactersIsAnOpenFailureNotACutPath) {
    TempDir data;
    Conversion c{BlockShape{}};
    // data + "/" + station + "/1429112007/143045-29112007.SHZ" is 256 characters.
    c.trace.station = std::string(256 - data.path().size() - 32, 'S');
    EXPECT_EQ(ErrorOf(c.trace, In(data.path())), "Ошибка открытия файла /143045-29112007.SHZ");
    EXPECT_TRUE(TreeBelow(data.path()).empty());
    c.trace.station.pop_back();
    EXPECT_EQ(ErrorOf(c.trace, In(data.path())), "");
}

TEST(TraceConversion, AMissingDataDirectoryIsAnOpenFailure) {
    TempDir root;
    EXPECT_EQ(ErrorOf(Conversion(BlockShape{}).trace, In(root.File("absent/data"))),
              "Ошибка открытия файла /143045-29112007.SHZ");
    EXPECT_TRUE(TreeBelow(root.path()).empty());
}

TEST(TraceConversion, ADirectoryARunMadeAndSomeoneRemovedIsMadeAgain) {
    TempDir data;
    engine::DirectoriesMade made;
    const TraceSettings settings{data.path(), true, &made};
    Conversion c(BlockShape{});
    WriteTraceFile(c.trace, settings);
    std::filesystem::remove_all(data.File("STA1"));
    c.trace.channel = "SHN";
    EXPECT_EQ(ErrorOf(c.trace, settings), "");
    EXPECT_TRUE(std::filesystem::is_regular_file(data.File("STA1/1429112007/143045-29112007.SHN")));
}

TEST(TraceConversion, EachDirectoryMadeIsFlushedIntoItsParent) {
    TempDir data;
    const std::string root = std::filesystem::canonical(data.path()).string();
    const std::string station = root + "/STA1", hour = station + "/1429112007";
    const struct {
        const char* channel;
        std::set<std::string> flushed;
    } cases[] = {
        {"SHZ", {root, station, hour}},  // both made: each parent too
        {"SHN", {hour}},                 // both there: only the trace's own
    };
    for (const auto& k : cases) {
        Conversion c(BlockShape{});
        c.trace.channel = k.channel;
        std::set<std::string> flushed;
        {
            std::lock_guard lock(theFlushesMutex);
            theDirectoriesFlushed = &flushed;
        }
        WriteTraceFile(c.trace, In(data.path()));
        std::lock_guard lock(theFlushesMutex);
        theDirectoriesFlushed = nullptr;
        EXPECT_EQ(flushed, k.flushed) << k.channel;
    }
}

TEST(TraceConversion, AnIncompleteRecordingNeverReplacesALongerTrace) {
    const struct {
        int existingRecords;  // 0: no trace yet
        int newRecords;
        bool incomplete;
        bool kept;
    } cases[] = {
        {3, 1, true, true},  {3, 1, false, false}, {1, 3, true, false},
        {2, 2, true, false}, {0, 1, true, false},
    };
    for (const auto& k : cases) {
        TempDir data;
        BlockShape shape;
        if (k.existingRecords > 0) {
            shape.records = k.existingRecords;
            WriteTraceFile(Conversion(shape).trace, In(data.path()));
        }
        shape.records = k.newRecords;
        Conversion c(shape);
        c.trace.keepLongerTrace = k.incomplete;
        const TraceFileRow row = WriteTraceFile(c.trace, In(data.path()));
        const int records = k.kept ? k.existingRecords : k.newRecords;
        EXPECT_EQ(row.keptExisting, k.kept) << k.existingRecords << " " << k.newRecords;
        EXPECT_EQ(ReadFileBytes(data.File(kTracePath)).size(), 512u + 200u * records)
            << k.existingRecords << " " << k.newRecords;
        EXPECT_EQ(TreeBelow(data.path()),
                  (std::vector<std::string>{"STA1", "STA1/1429112007", kTracePath}));
    }
}

TEST(TraceConversion, ALinkOutOfTheDataDirectoryIsNotWrittenThrough) {
    namespace fs = std::filesystem;
    const struct {
        const char* link;    // below data
        const char* target;  // below the test's root
        bool refused;
    } cases[] = {
        {"STA1", "outside", true},
        {"STA1/1429112007", "outside", true},
        {"STA1", "data/elsewhere", false},
        {"STA1/1429112007", "data/elsewhere", false},
    };
    for (const auto& k : cases) {
        TempDir root;
        fs::create_directories(root.File("data/STA1"));
        fs::create_directories(root.File(k.target));
        if (std::string(k.link) == "STA1") fs::remove(root.File("data/STA1"));
        fs::create_directory_symlink(root.File(k.target), root.File("data/") + k.link);
        std::string detail;
        try {
            WriteTraceFile(Conversion(BlockShape{}).trace, In(root.File("data")));
        } catch (const TraceFileError& e) {
            EXPECT_STREQ(e.what(), "Ошибка открытия файла /143045-29112007.SHZ") << k.link;
            detail = e.detail();
        }
        EXPECT_EQ(!detail.empty(), k.refused) << k.link << " -> " << k.target;
        EXPECT_EQ(fs::is_empty(root.File(k.target)), k.refused) << k.link << " -> " << k.target;
    }
}

}  // namespace
