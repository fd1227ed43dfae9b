// The time-window run, the viewer's timeline and the check's recording
// finder list a source directory by one rule: hidden names are not there,
// other non-regular entries are never opened, only the station's recordings
// with a start count.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

#include "archive/recording_finder.h"
#include "engine/drivers.h"
#include "formats/recorder/recorder_header.h"
#include "formats/tvx/trace_naming.h"
#include "plot/recording_source.h"
#include "tests/engine/engine_fakes.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace {

enum class Kind { Recording, Directory, Pipe, NoName };

struct EntryCase {
    const char* name;
    Kind kind;
    const char* station;  // for a recording
    const char* time;     // for a recording, 29.11.2007
    bool inWork;          // the run names it in work
    bool taken;           // the station's recording: converted, listed, found
};

const EntryCase kEntries[] = {
    {"a.rec", Kind::Recording, "STA1", "14:10:00", true, true},
    // A copy still arriving under a dot name: the same recording, half written.
    {".a.rec.part", Kind::Recording, "STA1", "14:20:00", false, false},
    {".hidden", Kind::Directory, "", "", false, false},
    {"sub", Kind::Directory, "", "", true, false},
    {"pipe", Kind::Pipe, "", "", true, false},
    {"b.rec", Kind::Recording, "STA2", "14:30:00", true, false},
    {"c.rec", Kind::Recording, "sta1", "14:40:00", true, false},
    {"notes.txt", Kind::NoName, "", "", true, false},
};

TEST(SourceDirectoryRule, RunViewerAndFinderTakeTheSameEntries) {
    testing_support::TempDir dir;
    const std::string source = dir.File("src") + "/";
    ::mkdir(source.c_str(), 0755);
    dir.Write("kelvaron.ini", "[STA1]\r\nDIR=" + source + "\r\n");
    engine_test::ScopedWorkingDir cwd(dir.path());
    for (const EntryCase& e : kEntries) {
        const std::string path = source + e.name;
        switch (e.kind) {
            case Kind::Recording: {
                testing_support::RecordingPlan plan;
                plan.station = e.station;
                plan.time = e.time;
                testing_support::MakeRecording(plan).WriteTo(path);
                break;
            }
            case Kind::Directory:
                ::mkdir(path.c_str(), 0755);
                break;
            case Kind::Pipe:
                ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
                break;
            case Kind::NoName:
                dir.Write("src/" + std::string(e.name), "[OTHER]\r\nX=1\r\n");
                break;
        }
    }

    engine::RunRequest request;
    request.stations = {"STA1"};
    request.windowStart = 0;
    request.windowLength = 4e9;
    request.settings = platform::ResolveRunSettings(request.stations);
    engine_test::FakeObserver run;
    engine_test::FakeOutputs outputs;
    engine::RunConversion(request, run, outputs);
    const std::vector<plot::RecordingEntry> listed =
        plot::ListStationRecordings(source, "STA1").value().recordings;
    engine::RecordingFinder finder;

    for (const EntryCase& e : kEntries) {
        const std::string path = source + e.name;
        const auto has = [](const std::vector<std::string>& lines, const std::string& line) {
            return std::find(lines.begin(), lines.end(), line) != lines.end();
        };
        EXPECT_EQ(has(run.Calls("Entry:"), std::string("Entry:") + e.name), e.inWork) << e.name;
        EXPECT_EQ(has(run.Calls("Converted:"), "Converted:" + path + ":3"), e.taken) << e.name;
        EXPECT_EQ(std::count_if(listed.begin(), listed.end(),
                                [&](const plot::RecordingEntry& r) { return r.path == path; }),
                  e.taken ? 1 : 0)
            << e.name;
        if (e.kind != Kind::Recording) continue;
        platform::IniFile header(path);
        const auto start = engine::TraceStartOf(engine::ReadRecordingSpan(header)->start);
        EXPECT_EQ(finder.Find("STA1", *start) == path, e.taken) << e.name;
    }
}

}  // namespace
