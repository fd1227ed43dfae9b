#include "engine/drivers.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "catalog/database_error.h"
#include "engine/date_time.h"
#include "engine/driver_bodies.h"
#include "tests/engine/engine_fakes.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace {

using engine_test::FakeFrontEnd;
using engine_test::FakeOutputs;
using engine_test::ScopedWorkingDir;
using testing_support::MakeRecording;
using testing_support::RecordingPlan;
using testing_support::TempDir;
using Strings = std::vector<std::string>;

const Strings kDisabled = {"Enable:1:0",    "Enable:2:0",    "Enable:1020:0",
                           "Enable:1025:0", "Enable:1026:0", "Enable:1024:0",
                           "Enable:1000:0", "Enable:1016:0", "Enable:1017:0"};
const Strings kEnabled = {"Enable:1:1",    "Enable:2:1",    "Enable:1020:1",
                          "Enable:1025:1", "Enable:1026:1", "Enable:1024:1",
                          "Enable:1000:1", "Enable:1016:1", "Enable:1017:1"};

// The log without the calls a test does not look at.
Strings Without(const Strings& log, std::initializer_list<const char*> prefixes) {
    Strings out;
    for (const std::string& line : log)
        if (std::none_of(prefixes.begin(), prefixes.end(),
                         [&](const char* p) { return line.rfind(p, 0) == 0; }))
            out.push_back(line);
    return out;
}

Strings Concat(std::initializer_list<Strings> parts) {
    Strings out;
    for (const Strings& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

class DriversTest : public ::testing::Test {
protected:
    DriversTest() : cwd(dir.path()) {
        dir.Write("kelvaron.ini",
                  "[KELVARON]\r\nNSTA=2\r\nSTA0=STA1\r\nSTA1=STA2\r\nDIR=" + dir.File("common") +
                      "\r\n[STA1]\r\nDIR=" + dir.File("sta1") + "/\r\n");
        ::mkdir(dir.File("sta1").c_str(), 0755);
        ::mkdir(dir.File("common").c_str(), 0755);
        front.start = {2007, 11, 29, 14, 0, 0};
        front.duration = "000 01:00:00";  // the window is 14:00:00 to 15:00:00
    }

    // A recording of `station` starting at `time` on 29.11.2007, DATA_SEC `seconds`.
    std::string Recording(const std::string& path, const std::string& station,
                          const std::string& time, std::optional<std::string> seconds = "600") {
        RecordingPlan plan;
        plan.station = station;
        plan.time = time;
        plan.dataSec = std::move(seconds);
        plan.channels = {{1, "SHZ"}};
        plan.data.channels = 1;
        return MakeRecording(plan).WriteTo(dir.File(path));
    }

    Strings StartsWritten() const {
        Strings out;
        for (const auto& t : outputs.traces) {
            std::int32_t y, mo, d, h, mi;
            float s;
            CalendarFromEpochForTest(t.start, h, mi, s);
            (void)y, (void)mo, (void)d;
            char text[32];
            std::snprintf(text, sizeof text, "%s %02d:%02d:%02d", t.station.c_str(), h, mi,
                          static_cast<int>(s));
            out.push_back(text);
        }
        std::sort(out.begin(), out.end());
        return out;
    }
    static void CalendarFromEpochForTest(double t, std::int32_t& h, std::int32_t& mi, float& s) {
        const double ofDay = t - EpochFromCalendar(2007, 11, 29, 0, 0, 0);
        h = static_cast<std::int32_t>(ofDay / 3600);
        mi = static_cast<std::int32_t>((ofDay - h * 3600) / 60);
        s = static_cast<float>(ofDay - h * 3600 - mi * 60);
    }

    TempDir dir;
    ScopedWorkingDir cwd;
    FakeFrontEnd front;
    FakeOutputs outputs;
};

TEST_F(DriversTest, ControlsAreLockedAndFreedInOrder) {
    DisableControls(front);
    EnableControls(front);
    EXPECT_EQ(front.log(), Concat({kDisabled, kEnabled, {"ShowCurrentFile:"}}));
}

TEST_F(DriversTest, SourceDirectoryFallsBackToTheCommonOneAndEndsInASlash) {
    dir.Write("kelvaron.ini",
              "[KELVARON]\r\nDIR=/data/common\r\n[A]\r\nDIR=/data/a/\r\n[B]\r\nDIR=\r\n[C]\r\nDIR=/"
              "data/c\r\n");
    EXPECT_EQ(engine::SourceDirectory("A", 255), "/data/a/");
    EXPECT_EQ(engine::SourceDirectory("b", 255), "/data/common/");
    EXPECT_EQ(engine::SourceDirectory("C", 255), "/data/c/");
    EXPECT_EQ(engine::SourceDirectory("NONE", 255), "/data/common/");
    EXPECT_EQ(engine::SourceDirectory("A", 4), "/dat/");
    dir.Write("kelvaron.ini", "[A]\r\nX=1\r\n");
    EXPECT_EQ(engine::SourceDirectory("A", 255), "/");
}

TEST_F(DriversTest, WindowRunTakesTheRecordingsThatOverlapTheWindow) {
    Recording("sta1/a.dat", "STA1", "13:50:00");                // ends exactly at the start
    Recording("sta1/b.dat", "STA1", "13:50:01");                // reaches one second in
    Recording("sta1/c.dat", "STA1", "14:00:00");                // begins at the start
    Recording("sta1/d.dat", "STA1", "14:00:00", std::nullopt);  // ... without DATA_SEC
    Recording("sta1/e.dat", "STA1", "14:30:00", "0");           // strictly inside, DATA_SEC 0
    Recording("sta1/f.dat", "STA1", "15:00:00");                // begins at the end
    Recording("sta1/g.dat", "STA1", "14:59:59.5");              // begins just before the end
    Recording("sta1/h.dat", "sta1", "14:10:00");                // station differs in case
    Recording("sta1/i.dat", "STA2", "14:10:00");                // other station
    dir.Write("sta1/notes.txt", "not a recording");
    ::mkdir(dir.File("sta1/sub").c_str(), 0755);
    ASSERT_EQ(::mkfifo(dir.File("sta1/pipe").c_str(), 0644), 0);  // opening it would block
    front.stations = {"STA1"};
    ConvertWindowThread(front, outputs);
    EXPECT_EQ(StartsWritten(),
              (Strings{"STA1 13:50:01", "STA1 14:00:00", "STA1 14:30:00", "STA1 14:59:59"}));
    // Every entry is shown, the sub-directory, the pipe and the stranger included.
    EXPECT_EQ(front.Calls("ShowCurrentFile:").size(), 12u + 1u);
    EXPECT_TRUE(front.messages().empty());
}

TEST_F(DriversTest, EmptyWindowTakesTheRecordingThatHoldsItsStart) {
    Recording("sta1/a.dat", "STA1", "13:59:00", "61");
    Recording("sta1/b.dat", "STA1", "13:59:00", "60");
    Recording("sta1/c.dat", "STA1", "14:00:00", "1");
    front.duration = "000 00:00:00";
    front.stations = {"STA1"};
    ConvertWindowThread(front, outputs);
    EXPECT_EQ(StartsWritten(), (Strings{"STA1 13:59:00", "STA1 14:00:00"}));
}

TEST_F(DriversTest, WindowRunScansEachSelectedStationAndBeepsAfterEach) {
    Recording("sta1/a.dat", "STA1", "14:10:00");
    Recording("common/b.dat", "STA2", "14:20:00");
    Recording("common/c.dat", "STA3", "14:20:00");
    front.stations = {"STA1", "STA2"};
    ConvertWindowThread(front, outputs);
    EXPECT_EQ(StartsWritten(), (Strings{"STA1 14:10:00", "STA2 14:20:00"}));
    const Strings log = Without(front.log(), {"ShowCurrentFile:", "Enable:"});
    EXPECT_EQ(log, (Strings{"SelectedStations", "BeginWaitCursor", "Beep", "EndWaitCursor",
                            "BeginWaitCursor", "Beep", "EndWaitCursor", "RefreshFreeSpace"}));
    // The controls come back at the very end, then the status is cleared.
    const Strings all = front.log();
    const Strings tail(all.end() - 10, all.end());
    EXPECT_EQ(tail, Concat({kEnabled, {"ShowCurrentFile:"}}));
}

TEST_F(DriversTest, SameDirectoryIsScannedOncePerStation) {
    Recording("common/a.dat", "STA2", "14:10:00");
    Recording("common/b.dat", "STA3", "14:20:00");
    front.stations = {"STA2", "STA3"};
    ConvertWindowThread(front, outputs);
    EXPECT_EQ(StartsWritten(), (Strings{"STA2 14:10:00", "STA3 14:20:00"}));
    EXPECT_EQ(front.Calls("ShowCurrentFile:").size(), 2u + 2u + 1u);
}

TEST_F(DriversTest, MissingSourceDirectoryKeepsTheControlsLocked) {
    dir.Write("kelvaron.ini", "[GONE]\r\nDIR=" + dir.File("nowhere") +
                                  "\r\n[STA1]\r\nDIR=" + dir.File("sta1") + "\r\n");
    Recording("sta1/a.dat", "STA1", "14:10:00");
    front.stations = {"GONE", "STA1"};
    ConvertWindowThread(front, outputs);
    EXPECT_EQ(StartsWritten(), (Strings{"STA1 14:10:00"}));
    const Strings log = front.log();
    const auto firstEnable = std::find(log.begin(), log.end(), "Enable:1:1");
    const auto secondBeep =
        std::find(std::find(log.begin(), log.end(), "Beep") + 1, log.end(), "Beep");
    EXPECT_LT(secondBeep, firstEnable) << "no control comes back before the run ends";
    EXPECT_EQ(Strings(log.begin() + 1, log.begin() + 5),
              (Strings{"BeginWaitCursor", "ShowCurrentFile:",
                       "SourceDirectoryUnreadable:GONE:" + dir.File("nowhere") + "/", "Beep"}));
    EXPECT_TRUE(front.messages().empty());
}

TEST_F(DriversTest, DatabaseErrorSkipsTheRestOfTheStationOnly) {
    Recording("sta1/a.dat", "STA1", "14:10:00");
    Recording("sta1/b.dat", "STA1", "14:20:00");
    Recording("common/c.dat", "STA2", "14:30:00");
    int calls = 0;
    outputs.beforeWrite = [&](const std::string&) {
        if (++calls == 1)
            throw catalog::DatabaseError("[unixODBC] table FILELIST is locked", "HY000");
    };
    front.stations = {"STA1", "STA2"};
    ConvertWindowThread(front, outputs);
    EXPECT_EQ(StartsWritten(), (Strings{"STA2 14:30:00"}));
    EXPECT_EQ(front.messages(),
              (Strings{"Message:kelvaron:error:[unixODBC] table FILELIST is locked"}));
    // The failed station ends without its beep, but with its wait cursor ended.
    EXPECT_EQ(Without(front.log(), {"ShowCurrentFile:", "Enable:", "Message:"}),
              (Strings{"SelectedStations", "BeginWaitCursor", "EndWaitCursor", "BeginWaitCursor",
                       "Beep", "EndWaitCursor", "RefreshFreeSpace"}));
}

TEST_F(DriversTest, LongErrorTextIsCutWithoutSplittingACharacter) {
    Recording("sta1/a.dat", "STA1", "14:10:00");
    outputs.beforeWrite = [](const std::string&) {
        throw catalog::DatabaseError("x" + std::string(200, 'a') + std::string(100, '\xD0'),
                                     "HY000");
    };
    front.stations = {"STA1"};
    ConvertWindowThread(front, outputs);
    ASSERT_EQ(front.messages().size(), 1u);
    const std::string text = front.messages()[0].substr(std::strlen("Message:kelvaron:error:"));
    EXPECT_LE(text.size(), 255u);
    EXPECT_GE(text.size(), 254u);
}

TEST_F(DriversTest, FileRunConvertsFilesOfSelectedStationsUnderTheirOwnNames) {
    const std::string a = Recording("in/a.dat", "STA1", "10:00:00");
    const std::string b = Recording("in/b.dat", "sta2", "11:00:00");
    const std::string c = Recording("in/c.dat", "STA3", "12:00:00");
    const std::string d = dir.Write("in/d.dat", "no header here");
    front.stations = {"STA1", "STA2"};
    front.picked = Strings{a, b, c, d};
    ConvertRequest request;
    std::strcpy(request.station, "STA1");
    request.dialog = &front;
    ConvertFilesThread(request, outputs);
    EXPECT_EQ(StartsWritten(), (Strings{"STA1 10:00:00", "sta2 11:00:00"}));
    EXPECT_EQ(front.messages(), (Strings{"Message:Ошибка:error:Имя станции в файле '" + c +
                                             "' не совпадает с выбранным(и)",
                                         "Message:Ошибка:error:В файле нет имени станции"}));
    EXPECT_EQ(Without(front.log(), {"Enable:", "Message:", "IsStationSelected:"}),
              (Strings{"PickRecordingFiles:" + dir.File("sta1") + "/", "BeginWaitCursor",
                       "ShowCurrentFile:" + a, "ShowCurrentFile:" + b, "ShowCurrentFile:" + c,
                       "ShowCurrentFile:" + d, "ShowCurrentFile:", "RefreshFreeSpace",
                       "EndWaitCursor", "ShowCurrentFile:"}));
    EXPECT_EQ(front.Calls("Enable:"), Concat({kDisabled, kEnabled, kEnabled}));
}

TEST_F(DriversTest, FileRunRefusesAFifoOrADeviceWithoutWaitingOnIt) {
    const std::string fifo = dir.File("in/fifo");
    const std::string a = Recording("in/a.dat", "STA1", "10:00:00");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);  // no writer: opening it to read would wait
    front.stations = {"STA1"};
    front.picked = Strings{fifo, "/dev/null", a};
    ConvertRequest request;
    std::strcpy(request.station, "STA1");
    request.dialog = &front;
    ConvertFilesThread(request, outputs);
    EXPECT_EQ(StartsWritten(), (Strings{"STA1 10:00:00"}));
    EXPECT_EQ(front.messages(),
              (Strings{"Message:Ошибка:error:'" + fifo + "' не является обычным файлом",
                       "Message:Ошибка:error:'/dev/null' не является обычным файлом"}));
}

TEST_F(DriversTest, FileRunGoesOnAfterADatabaseError) {
    const std::string a = Recording("in/a.dat", "STA1", "10:00:00");
    const std::string b = Recording("in/b.dat", "STA1", "11:00:00");
    int calls = 0;
    outputs.beforeWrite = [&](const std::string&) {
        if (++calls == 1) throw catalog::DatabaseError("disk full", "HY000");
    };
    front.stations = {"STA1"};
    front.picked = Strings{a, b};
    ConvertRequest request;
    request.dialog = &front;
    ConvertFilesThread(request, outputs);
    EXPECT_EQ(StartsWritten(), (Strings{"STA1 11:00:00"}));
    EXPECT_EQ(front.messages(), (Strings{"Message:kelvaron:error:disk full"}));
}

TEST_F(DriversTest, CancelledFileDialogConvertsNothing) {
    front.stations = {"STA1"};
    front.picked.reset();
    ConvertRequest request;
    std::strcpy(request.station, "STA2");
    request.dialog = &front;
    ConvertFilesThread(request, outputs);
    EXPECT_TRUE(outputs.traces.empty());
    // No lock, no free-space refresh; the thread's own unlock clears the status.
    EXPECT_EQ(front.log(), Concat({{"PickRecordingFiles:" + dir.File("common") + "/"},
                                   kEnabled,
                                   {"ShowCurrentFile:"}}));
}

TEST_F(DriversTest, UnterminatedRequestStationIsReadWithinItsField) {
    front.picked.reset();
    ConvertRequest request;
    std::memset(request.station, 'S', sizeof request.station);
    request.reserved[0] = 0x41414141;
    request.dialog = &front;
    ConvertFilesThread(request, outputs);
    EXPECT_EQ(front.log().front(), "PickRecordingFiles:" + dir.File("common") + "/");
}

}  // namespace
