#include "archive/trace_temporary.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "archive/trace_file.h"
#include "formats/tvx/tvx_header.h"
#include "tests/support/temp_dir.h"
#include "tests/support/trace_test_support.h"

namespace {

using testing_support::TempDir;

// The fields of this process's own temporary name: host, pid, start ticks.
struct OwnName {
    std::string host, pid, ticks;
};
OwnName ParseOwnName() {
    std::string name = engine::NextTemporaryName();  // .kelvaron-HOST-PID-TICKS-N.tmp
    name = name.substr(10, name.size() - 14);
    std::vector<std::string> tail;
    for (int i = 0; i < 3; ++i) {
        const std::size_t dash = name.rfind('-');
        tail.push_back(name.substr(dash + 1));
        name.resize(dash);
    }
    return {name, tail[2], tail[1]};
}

// A process id that no process holds any more.
std::string DeadPid() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return std::to_string(child);
}

void Age(const std::string& path, std::time_t seconds) {
    const timespec times[2] = {{std::time(nullptr) - seconds, 0},
                               {std::time(nullptr) - seconds, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

TEST(TraceTemporary, StaleOnlyWhenItsWriterCannotBeRunning) {
    const OwnName own = ParseOwnName();
    const std::string dead = DeadPid();
    const std::time_t hours7 = 7 * 3600, hours1 = 3600;
    const struct {
        std::string name;
        std::time_t age;
        bool stale;
    } cases[] = {
        {".kelvaron-" + own.host + "-" + own.pid + "-" + own.ticks + "-9.tmp", hours7, false},
        {".kelvaron-" + own.host + "-" + dead + "-" + own.ticks + "-9.tmp", 0, true},
        // This process's id, but another start time: the id was reused.
        {".kelvaron-" + own.host + "-" + own.pid + "-1-9.tmp", 0, true},
        {".kelvaron-other-host-" + dead + "-5-9.tmp", hours1, false},
        {".kelvaron-other-host-" + dead + "-5-9.tmp", hours7, true},
        {".kelvaron-" + own.pid + "-3.tmp", hours1, false},  // earlier releases' names
        {".kelvaron-" + own.pid + "-3.tmp", hours7, true},
        {".kelvaron-x.tmp", hours7, false},
        {".kelvaron--" + dead + "-5-9.tmp", hours7, false},
        {"143045-29112007.SHZ", hours7, false},
    };
    for (const auto& c : cases) {
        TempDir dir;
        Age(dir.Write(c.name, "x"), c.age);
        EXPECT_EQ(engine::IsStaleTemporary(dir.path(), c.name, std::time(nullptr)), c.stale)
            << c.name << " aged " << c.age;
    }
}

TEST(TraceTemporary, WriterRemovesStaleTemporariesOfItsDirectoryOnly) {
    TempDir dir;
    const OwnName own = ParseOwnName();
    const std::string stale =
        ".kelvaron-" + own.host + "-" + DeadPid() + "-" + own.ticks + "-0.tmp";
    const std::string live = ".kelvaron-" + own.host + "-" + own.pid + "-" + own.ticks + "-999.tmp";
    dir.Write(stale, "left by a killed writer");
    dir.Write(live, "being written");
    dir.Write("sub/" + stale, "another hour directory");
    engine::TraceFileWriter file(dir.path(), dir.File("a.SHZ"), "/a.SHZ");
    file.Append("header", 6);
    file.Finish();
    EXPECT_EQ(trace_test::TreeBelow(dir.path()),
              (std::vector<std::string>{live, "a.SHZ", "sub", "sub/" + stale}));
}

}  // namespace
