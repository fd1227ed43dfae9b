#include "engine/drivers.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <new>
#include <stdexcept>
#include <stop_token>
#include <string>
#include <vector>

#include "archive/trace_writer.h"
#include "catalog/database_error.h"
#include "engine/lost_catalogue.h"
#include "engine/run_summary.h"
#include "formats/date_time.h"
#include "platform/text_encoding.h"
#include "tests/engine/engine_fakes.h"
#include "tests/support/process_reads.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace {

using engine::SkipReason;
using engine_test::FakeObserver;
using engine_test::FakeOutputs;
using engine_test::ScopedWorkingDir;
using testing_support::BytesReadByProcess;
using testing_support::MakeRecording;
using testing_support::RecordingPlan;
using testing_support::TempDir;
using Strings = std::vector<std::string>;

// The log without the calls a test does not look at.
Strings Without(const Strings& log, std::initializer_list<const char*> prefixes) {
    Strings out;
    for (const std::string& line : log)
        if (std::none_of(prefixes.begin(), prefixes.end(),
                         [&](const char* p) { return line.rfind(p, 0) == 0; }))
            out.push_back(line);
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
        request.windowStart = EpochFromCalendar(2007, 11, 29, 14, 0, 0);
        request.windowLength = 3600;  // the window is 14:00:00 to 15:00:00
    }

    engine::RunSummary Run(engine::RunMode mode = engine::RunMode::Window) {
        request.mode = mode;
        request.settings = platform::ResolveRunSettings(request.stations);
        return engine::RunConversion(request, front, outputs);
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
    engine::RunRequest request;
    FakeObserver front;
    FakeOutputs outputs;
};

TEST_F(DriversTest, SourceDirectoryFallsBackToTheCommonOneAndEndsInASlash) {
    dir.Write("kelvaron.ini",
              "[KELVARON]\r\nDIR=/data/common\r\n[A]\r\nDIR=/data/a/\r\n[B]\r\nDIR=\r\n[C]\r\nDIR=/"
              "data/c\r\n");
    EXPECT_EQ(platform::SourceDirectory("A", 255), "/data/a/");
    EXPECT_EQ(platform::SourceDirectory("b", 255), "/data/common/");
    EXPECT_EQ(platform::SourceDirectory("C", 255), "/data/c/");
    EXPECT_EQ(platform::SourceDirectory("NONE", 255), "/data/common/");
    EXPECT_EQ(platform::SourceDirectory("A", 4), "/dat/");
    dir.Write("kelvaron.ini", "[A]\r\nX=1\r\n");
    EXPECT_EQ(platform::SourceDirectory("A", 255), "/");
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
    Recording("sta1/.j.dat.Xy12", "STA1", "14:20:00");          // still being copied in
    dir.Write("sta1/notes.txt", "not a recording");
    ::mkdir(dir.File("sta1/sub").c_str(), 0755);
    ASSERT_EQ(::mkfifo(dir.File("sta1/pipe").c_str(), 0644), 0);  // opening it would block
    request.stations = {"STA1"};
    const engine::RunSummary summary = Run();
    EXPECT_EQ(StartsWritten(),
              (Strings{"STA1 13:50:01", "STA1 14:00:00", "STA1 14:30:00", "STA1 14:59:59"}));
    // Every entry but the hidden one is shown, the sub-directory, the pipe and the stranger
    // included, and each is counted once under what became of it.
    EXPECT_EQ(front.Calls("Entry:").size(), 12u);
    EXPECT_TRUE(front.Calls("Entry:.j").empty());
    EXPECT_TRUE(front.messages().empty());
    EXPECT_EQ(summary.entries, 12);
    EXPECT_EQ(summary.converted, 4);
    EXPECT_EQ(summary.Skipped(SkipReason::OutsideWindow), 3);   // a, d, f
    EXPECT_EQ(summary.Skipped(SkipReason::OtherStation), 2);    // h, i
    EXPECT_EQ(summary.Skipped(SkipReason::NoNameDateTime), 1);  // notes.txt
    EXPECT_EQ(summary.Skipped(SkipReason::Unreadable), 2);      // sub, pipe
    EXPECT_EQ(summary.traces, 4);
    EXPECT_EQ(summary.bytesOut, 4 * 512);
    EXPECT_GT(summary.bytesIn, 0);
    EXPECT_EQ(front.Calls("Trace:").size(), 4u);
    EXPECT_EQ(front.log().back(), "RunFinished");
}

TEST_F(DriversTest, WindowRunRefusesAnImpossibleStartByNameInsteadOfPassingItOver) {
    const auto write = [this](const char* name, const char* date, const char* time) {
        RecordingPlan plan;
        plan.date = date;
        plan.time = time;
        plan.channels = {{1, "SHZ"}};
        plan.data.channels = 1;
        return MakeRecording(plan).WriteTo(dir.File(std::string("sta1/") + name));
    };
    const std::string hour25 = write("a.dat", "29.11.2007", "25:00:00");
    const std::string nan = write("b.dat", "29.11.2007", "nan");
    const std::string zeros = write("c.dat", "00.00.0000", "14:10:00");
    write("d.dat", "29.11.2007", "14:10:00");
    request.stations = {"STA1"};
    const engine::RunSummary summary = Run();
    EXPECT_EQ(StartsWritten(), (Strings{"STA1 14:10:00"}));
    const std::string impossible = "Message:Ошибка:error:Дата или время начала записи в файле '";
    Strings expected = {impossible + hour25 + "' невозможны", impossible + nan + "' невозможны",
                        impossible + zeros + "' невозможны"};
    Strings shown = front.messages();
    std::sort(shown.begin(), shown.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(summary.Skipped(SkipReason::NoNameDateTime), 3);
    EXPECT_EQ(summary.converted, 1);
}

TEST_F(DriversTest, WindowScanLooksThroughAFileLargerThanTheMemoryItMayUse) {
    Recording("sta1/a.dat", "STA1", "14:10:00");
    // An archive left among the recordings, of no recorder's making.
    const std::string archive = dir.Write("sta1/archive.bin", "[SYSTEM]\nKIND=archive\n");
    ASSERT_EQ(::truncate(archive.c_str(), 256 << 20), 0);
    request.stations = {"STA1"};
    // The run may use 64 MiB more address space than the test has taken so far.
    auto runInLimitedMemory = [&] {
        std::ifstream statm("/proc/self/statm");
        std::uint64_t pages = 0;
        statm >> pages;
        const rlim_t room = pages * ::sysconf(_SC_PAGESIZE) + (64u << 20);
        const rlimit limit{room, room};
        ::setrlimit(RLIMIT_AS, &limit);
        const engine::RunSummary summary = Run();
        std::exit(summary.converted == 1 && summary.otherErrors == 0 ? 0 : 1);
    };
    EXPECT_EXIT(runInLimitedMemory(), ::testing::ExitedWithCode(0), "");
}

TEST_F(DriversTest, WindowRunReadsARecordingOnceBesideItsHeader) {
    // The second has no EVENT section: its lookup looks through all of the
    // file, past what the scan keeps of it.
    for (const bool withEvent : {true, false}) {
        RecordingPlan plan;
        plan.time = "14:10:00";
        plan.dataSec = "2000";
        plan.data.records = 2000;  // about 1.3 MB, and a triggered one without a GROUP
        plan.type = "TRIGGER";     // section: its lookup has to look through all of it
        testing_support::RecorderFile file = MakeRecording(plan);
        if (withEvent)
            file.Set("EVENT", "CH#", "1")
                .Set("EVENT", "DATE_CH1", "29.11.2007")
                .Set("EVENT", "TIME_CH1", "14:10:10");
        const std::string path = file.WriteTo(dir.File("sta1/big.dat"));
        const std::uint64_t size = std::filesystem::file_size(path);
        request.stations = {"STA1"};
        const std::uint64_t before = BytesReadByProcess();
        EXPECT_EQ(Run().converted, 1);
        const std::uint64_t read = BytesReadByProcess() - before;
        EXPECT_GE(read, size) << withEvent;
        // The conversion's own reads, the header piece the scan took and the settings.
        EXPECT_LE(read, size + 16 * 1024 + 8 * 1024 + 4 * 1024) << withEvent;
    }
}

TEST_F(DriversTest, EmptyWindowTakesTheRecordingThatHoldsItsStart) {
    Recording("sta1/a.dat", "STA1", "13:59:00", "61");
    Recording("sta1/b.dat", "STA1", "13:59:00", "60");
    Recording("sta1/c.dat", "STA1", "14:00:00", "1");
    request.windowLength = 0;
    request.stations = {"STA1"};
    Run();
    EXPECT_EQ(StartsWritten(), (Strings{"STA1 13:59:00", "STA1 14:00:00"}));
}

TEST_F(DriversTest, WindowRunScansEachSelectedStationAndFinishesEach) {
    Recording("sta1/a.dat", "STA1", "14:10:00");
    Recording("common/b.dat", "STA2", "14:20:00");
    Recording("common/c.dat", "STA3", "14:20:00");
    request.stations = {"STA1", "STA2"};
    Run();
    EXPECT_EQ(StartsWritten(), (Strings{"STA1 14:10:00", "STA2 14:20:00"}));
    EXPECT_EQ(Without(front.log(), {"Entry:", "Converted:", "Skipped:", "Trace:"}),
              (Strings{"StationBegins:STA1", "StationFinished:STA1:1", "StationBegins:STA2",
                       "StationFinished:STA2:1", "RunFinished"}));
}

TEST_F(DriversTest, SameDirectoryIsScannedOncePerStation) {
    Recording("common/a.dat", "STA2", "14:10:00");
    Recording("common/b.dat", "STA3", "14:20:00");
    request.stations = {"STA2", "STA3"};
    Run();
    EXPECT_EQ(StartsWritten(), (Strings{"STA2 14:10:00", "STA3 14:20:00"}));
    EXPECT_EQ(front.Calls("Entry:").size(), 2u + 2u);
}

TEST_F(DriversTest, StationWithoutASourceDirectoryIsRefusedAndAMissingOneIsPassedOver) {
    // No [KELVARON] DIR: NODIR has no directory at all, GONE one that does not exist.
    dir.Write("kelvaron.ini", "[GONE]\r\nDIR=" + dir.File("nowhere") +
                                  "\r\n[STA1]\r\nDIR=" + dir.File("sta1") + "\r\n");
    Recording("sta1/a.dat", "STA1", "14:10:00");
    request.stations = {"NODIR", "GONE", "STA1"};
    Run();
    EXPECT_EQ(StartsWritten(), (Strings{"STA1 14:10:00"}));
    EXPECT_EQ(Without(front.log(), {"Entry:", "Converted:", "Trace:"}),
              (Strings{"Message:Ошибка:error:Для станции NODIR не задан каталог исходных файлов "
                       "(DIR)",
                       "StationBegins:GONE",
                       "SourceDirectoryUnreadable:GONE:" + dir.File("nowhere") + "/",
                       "StationFinished:GONE:1", "StationBegins:STA1", "StationFinished:STA1:1",
                       "RunFinished"}));
}

// A catalogue failure costs the recording in hand; one that every write
// would meet (a read-only or full catalogue) ends the run, which names the
// recordings it did not get to.
TEST_F(DriversTest, ACatalogueFailureCostsTheRecordingInHandAndWhatItLeavesIsNamed) {
    using Left = std::vector<std::pair<std::string, int>>;
    const struct Case {
        const char* name;
        engine::RunMode mode;
        const char* text;  // of the first write's failure
        const char* state;
        bool everyWrite;  // every write fails, not only the first
        int converted;
        Left left;
        int messages;
    } cases[] = {
        {"locked table",
         engine::RunMode::Window,
         "[unixODBC] table FILELIST is locked",
         "HY000",
         false,
         3,
         {},
         1},
        {"locked table, every time",
         engine::RunMode::Window,
         "[unixODBC] table FILELIST is locked",
         "HY000",
         true,
         0,
         {},
         4},
        {"read-only",
         engine::RunMode::Window,
         "[SQLite]attempt to write a readonly database (8)",
         "S1000",
         false,
         0,
         {{"STA1", 2}, {"STA2", 1}},
         2},
        {"disk full",
         engine::RunMode::Window,
         "could not extend file: No space left on device",
         "53100",
         true,
         0,
         {{"STA1", 2}, {"STA2", 1}},
         2},
        {"read-only, file run",
         engine::RunMode::Files,
         "[SQLite]attempt to write a readonly database (8)",
         "S1000",
         false,
         0,
         {{"STA1", 1}, {"STA2", 1}},
         2},
    };
    const Strings files = {
        Recording("sta1/a.dat", "STA1", "14:10:00"), Recording("sta1/b.dat", "STA1", "14:20:00"),
        Recording("sta1/c.dat", "STA1", "14:30:00"), Recording("common/d.dat", "STA2", "14:40:00")};
    Recording("common/e.dat", "STA2", "16:40:00");  // outside the window: never left
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeObserver observer;
        FakeOutputs written;
        int calls = 0;
        written.beforeWrite = [&](const std::string&) {
            if (++calls == 1 || c.everyWrite) throw catalog::DatabaseError(c.text, c.state);
        };
        request.mode = c.mode;
        request.stations = {"STA1", "STA2"};
        request.files = {files[0], files[1], files[3]};
        request.settings = platform::ResolveRunSettings(request.stations);
        const engine::RunSummary summary = engine::RunConversion(request, observer, written);
        EXPECT_EQ(summary.converted, c.converted);
        EXPECT_EQ(static_cast<int>(written.traces.size()), c.converted);
        Left left;
        for (const auto& l : summary.leftUnconverted) left.emplace_back(l.station, l.recordings);
        EXPECT_EQ(left, c.left);
        const auto messages = observer.fullMessages();
        ASSERT_EQ(static_cast<int>(messages.size()), c.messages);
        EXPECT_EQ(messages[0].text, c.text);
        EXPECT_EQ(messages[0].detail.rfind("Станция STA1, файл " + dir.path(), 0), 0u)
            << messages[0].detail;
        if (c.messages > 1 && c.left.empty()) {
            EXPECT_TRUE(messages[1].repeated);
        }
        if (!c.left.empty()) {
            EXPECT_EQ(messages[1].text, engine::kCatalogueRefusesWritesText);
            int total = 0;
            for (const auto& l : c.left) total += l.second;
            const std::string named = "не конвертировано после остановки " + std::to_string(total) +
                                      ": " + c.left[0].first + " " +
                                      std::to_string(c.left[0].second) + ", ";
            EXPECT_NE(engine::SummaryLine(summary).find(named), std::string::npos)
                << engine::SummaryLine(summary);
        }
    }
}

TEST_F(DriversTest, LongErrorTextIsCutWithoutSplittingACharacter) {
    Recording("sta1/a.dat", "STA1", "14:10:00");
    request.stations = {"STA1"};
    const struct {
        std::string text;
        std::size_t kept;
    } cases[] = {
        {std::string(300, 'a'), 255},
        {std::string(254, 'a') + "\xD0\xB6" + std::string(10, 'b'), 254},      // 2 bytes over 255
        {std::string(253, 'a') + "\xE2\x82\xAC" + std::string(10, 'b'), 253},  // 3 bytes over
        {std::string(253, 'a') + "\xD0\xB6" + std::string(10, 'b'), 255},      // ends on it
    };
    request.settings = platform::ResolveRunSettings(request.stations);
    for (const auto& c : cases) {
        FakeObserver observer;
        outputs.beforeWrite = [&](const std::string&) {
            throw catalog::DatabaseError(c.text, "HY000");
        };
        engine::RunConversion(request, observer, outputs);
        ASSERT_EQ(observer.fullMessages().size(), 1u);
        const std::string shown = observer.fullMessages()[0].text;
        EXPECT_EQ(shown, c.text.substr(0, c.kept));
        EXPECT_TRUE(platform::IsValidUtf8(shown)) << shown.size();
    }
}

// A failure on a recording is counted by its kind, and a recording a stop
// request cut short is not counted as unreadable.
TEST_F(DriversTest, FailuresAreCountedByKindAndAStoppedRecordingIsNotUnreadable) {
    request.stations = {"STA1"};
    request.files = {Recording("in/a.dat", "STA1", "10:00:00")};
    struct Case {
        const char* name;
        std::function<void()> fail;
        int engine::RunSummary::*counter;
    };
    const std::vector<Case> cases = {
        {"catalogue", [] { throw catalog::DatabaseError("lost", "08S01"); },
         &engine::RunSummary::catalogueErrors},
        {"memory", [] { throw std::bad_alloc(); }, &engine::RunSummary::memoryErrors},
        {"other", [] { throw std::runtime_error("odd"); }, &engine::RunSummary::otherErrors},
    };
    for (const Case& c : cases) {
        outputs.beforeWrite = [&](const std::string&) { c.fail(); };
        const engine::RunSummary summary = Run(engine::RunMode::Files);
        EXPECT_EQ(summary.catalogueErrors + summary.memoryErrors + summary.otherErrors, 1)
            << c.name;
        EXPECT_EQ(summary.*c.counter, 1) << c.name;
        EXPECT_EQ(engine::SummaryLine(summary).find("нехватка памяти 1") != std::string::npos,
                  c.counter == &engine::RunSummary::memoryErrors)
            << c.name;
    }
    outputs.beforeWrite = nullptr;

    std::stop_source stop;
    front.onEntry = [&](const engine::RunProgress&) { stop.request_stop(); };
    request.mode = engine::RunMode::Files;
    request.settings = platform::ResolveRunSettings(request.stations);
    const engine::RunSummary stopped =
        engine::RunConversion(request, front, outputs, stop.get_token());
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(stopped.interrupted, 1);
    EXPECT_EQ(stopped.SkippedTotal(), 0);
    EXPECT_TRUE(outputs.traces.empty());
}

TEST_F(DriversTest, FileRunConvertsFilesOfSelectedStationsUnderTheirOwnNames) {
    const std::string a = Recording("in/a.dat", "STA1", "10:00:00");
    const std::string b = Recording("in/b.dat", "sta2", "11:00:00");
    const std::string c = Recording("in/c.dat", "STA3", "12:00:00");
    const std::string d = dir.Write("in/d.dat", "no header here");
    request.stations = {"STA1", "STA2"};
    request.files = {a, b, c, d};
    const engine::RunSummary summary = Run(engine::RunMode::Files);
    EXPECT_EQ(StartsWritten(), (Strings{"STA1 10:00:00", "sta2 11:00:00"}));
    EXPECT_EQ(
        front.messages(),
        (Strings{"Message:Ошибка:error:Имя станции в файле '" + c + "' не совпадает с выбранным(и)",
                 "Message:Ошибка:error:Файл '" + d + "' не является записью регистратора"}));
    EXPECT_EQ(front.Calls("Entry:"),
              (Strings{"Entry:" + a, "Entry:" + b, "Entry:" + c, "Entry:" + d}));
    EXPECT_EQ(summary.converted, 2);
    EXPECT_EQ(summary.Skipped(SkipReason::OtherStation), 1);
    EXPECT_EQ(summary.Skipped(SkipReason::NoNameDateTime), 1);
}

TEST_F(DriversTest, CyrillicStationNamesMatchWithoutRegardToCaseInEitherEncoding) {
    // A file of "КРВ" in UTF-8 and one of "крв" in code page 1251 for the entry "Крв".
    const std::string a = Recording("in/a.dat", "\xD0\x9A\xD0\xA0\xD0\x92", "10:00:00");
    const std::string b = Recording("in/b.dat", "\xEA\xF0\xE2", "11:00:00");
    const std::string c = Recording("in/c.dat", "\xD0\x9A\xD0\xA0", "12:00:00");  // "КР"
    request.stations = {"\xD0\x9A\xD1\x80\xD0\xB2"};
    request.files = {a, b, c};
    const engine::RunSummary summary = Run(engine::RunMode::Files);
    EXPECT_EQ(summary.converted, 2);
    EXPECT_EQ(summary.Skipped(SkipReason::OtherStation), 1);
}

TEST_F(DriversTest, FileRunRefusesAFifoOrADeviceWithoutWaitingOnIt) {
    const std::string fifo = dir.File("in/fifo");
    const std::string a = Recording("in/a.dat", "STA1", "10:00:00");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);  // no writer: opening it to read would wait
    request.stations = {"STA1"};
    request.files = {fifo, "/dev/null", a};
    Run(engine::RunMode::Files);
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
    request.stations = {"STA1"};
    request.files = {a, b};
    Run(engine::RunMode::Files);
    EXPECT_EQ(StartsWritten(), (Strings{"STA1 11:00:00"}));
    EXPECT_EQ(front.messages(), (Strings{"Message:kelvaron:error:disk full"}));
    EXPECT_EQ(front.fullMessages().at(0).detail, "Станция STA1, файл " + a);
}

TEST_F(DriversTest, RepeatedTraceFailuresAreMarkedAndTickedChannelsNotCarriedAreNamed) {
    Recording("sta1/a.dat", "STA1", "14:10:00");
    Recording("sta1/b.dat", "STA1", "14:20:00");
    outputs.beforeWrite = [](const std::string&) { throw TraceFileError("Ошибка записи файла"); };
    request.stations = {"STA1"};
    request.channels = {{"SHZ", true}, {"BHZ", true}, {"SHE", false}};
    const engine::RunSummary summary = Run();
    const auto messages = front.fullMessages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_FALSE(messages[0].repeated);
    EXPECT_TRUE(messages[1].repeated);
    EXPECT_EQ(summary.traceFailures, 2);
    EXPECT_EQ(summary.traces, 0);
    EXPECT_EQ(summary.converted, 0);
    EXPECT_EQ(summary.failedRecordings, 2);
    EXPECT_EQ(summary.channelsNotCarried, (Strings{"BHZ"}));
    // The failures lead the line, where a status pane that cuts it still shows them.
    EXPECT_EQ(engine::SummaryLine(summary).rfind("Ошибок трасс 2, ошибок БД 0. Ничего не "
                                                 "конвертировано. Просмотрено 2, конвертировано 0",
                                                 0),
              0u)
        << engine::SummaryLine(summary);
}

TEST_F(DriversTest, AStationNamedInCodePage1251IsShownInUtf8BesideItsPath) {
    const std::string station =
        "\xce\xc1\xcd"
        "1";  // ОБН1 in code page 1251
    const std::string a = Recording("in/запись.dat", station, "10:00:00");
    outputs.beforeWrite = [](const std::string&) { throw TraceFileError("Ошибка записи файла"); };
    request.stations = {station};
    request.files = {a};
    Run(engine::RunMode::Files);
    ASSERT_EQ(front.fullMessages().size(), 1u);
    EXPECT_EQ(front.fullMessages()[0].detail, "Станция ОБН1, файл " + a);
}

TEST_F(DriversTest, APathWrittenTwiceInOneRunIsOneTraceFile) {
    Recording("sta1/a.dat", "STA1", "14:10:00");
    Recording("sta1/b.dat", "STA1", "14:10:00");  // the same start: the same trace path
    Recording("sta1/c.dat", "STA1", "14:20:00");
    request.stations = {"STA1"};
    const engine::RunSummary summary = Run();
    EXPECT_EQ(summary.converted, 3);
    EXPECT_EQ(summary.traces, 2);
    EXPECT_EQ(summary.tracesReplaced, 1);
    EXPECT_EQ(summary.bytesOut, 3 * 512);
    EXPECT_FALSE(summary.Failed());
}

}  // namespace
