// kelvaron-batch check on a converted archive, on each catalogue back end:
// the five ways an archive and its catalogue drift apart, reported one line
// each, and repaired by --fix and the files run it suggests.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "catalog/catalogue.h"
#include "catalog/schema_install.h"
#include "tests/support/catalogue_backends.h"
#include "tests/support/catalogue_queries.h"
#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::ExecuteOnCatalogue;
using testing_support::MakeRecording;
using testing_support::RecordingPlan;
using testing_support::TempDir;
using Strings = std::vector<std::string>;

std::string ShellQuoted(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

struct Outcome {
    int status = -1;
    Strings lines;  // stdout and stderr
};

class CheckEndToEnd : public testing_support::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        if (HasFatalFailure()) return;
        ::mkdir(work.File("data").c_str(), 0755);
        testing_support::WriteTvxIni(work.File("tvx.ini"), backend().Login(), work.File("data"));
        work.Write("kelvaron.ini",
                   "[KELVARON]\r\nNSTA=2\r\nSTA0=STA1\r\nSTA1=STA2\r\nDIR=src\r\n"
                   "TIME=14:00:00 29/11/2007\r\nTIMEQTY=000 01:00:00\r\n");
        RecordingPlan a;  // STA1, three channels, twice
        MakeRecording(a).WriteTo(work.File("src/a.dat"));
        a.time = "14:40:00";
        MakeRecording(a).WriteTo(work.File("src/d.dat"));
        RecordingPlan c;  // STA2, one channel
        c.station = "STA2";
        c.time = "14:10:00";
        c.channels = {{1, "BHZ"}};
        c.data.channels = 1;
        MakeRecording(c).WriteTo(work.File("src/c.dat"));
    }

    Outcome Run(const std::string& args) {
        const std::string command =
            "cd " + ShellQuoted(work.path()) +
            " && KELVARON_LANG=en TVX_INI=" + ShellQuoted(work.File("tvx.ini")) + " " +
            KELVARON_BATCH + " " + args + " 2>&1";
        Outcome outcome;
        std::FILE* pipe = ::popen(command.c_str(), "r");
        char line[4096];
        while (pipe && std::fgets(line, sizeof line, pipe)) {
            std::string text(line);
            if (!text.empty() && text.back() == '\n') text.pop_back();
            outcome.lines.push_back(text);
        }
        const int status = pipe ? ::pclose(pipe) : -1;
        if (status >= 0 && WIFEXITED(status)) outcome.status = WEXITSTATUS(status);
        return outcome;
    }
    std::string Data(const std::string& relative) const { return work.File("data/" + relative); }

    TempDir work;
};

std::string Joined(const Strings& lines) {
    std::ostringstream out;
    for (const std::string& l : lines) out << l << "\n";
    return out.str();
}

TEST_P(CheckEndToEnd, ReportsExactlyWhatDriftedAndFixRepairsIt) {
    ASSERT_EQ(Run("window").status, 0);
    const Outcome fresh = Run("check");
    EXPECT_EQ(fresh.status, 0) << Joined(fresh.lines);
    EXPECT_EQ(fresh.lines, Strings{"7 trace files, 7 rows: everything agrees"});

    const std::string gone = "STA1/1429112007/143045-29112007.SHZ";
    const std::string unlisted = "STA1/1429112007/143045-29112007.SHN";
    const std::string cut = "STA1/1429112007/144000-29112007.SHE";
    const std::string edited = "STA2/1429112007/141000-29112007.BHZ";
    const std::string temporary = "STA2/1429112007/.kelvaron-12345-0.tmp";  // an earlier writer's
    ASSERT_EQ(::unlink(Data(gone).c_str()), 0);
    ExecuteOnCatalogue("DELETE FROM FILELIST WHERE CPATH = ?", {unlisted});
    ASSERT_EQ(::truncate(Data(cut).c_str(), 512 + 100), 0);
    ExecuteOnCatalogue("UPDATE FILELIST SET TQTY = 3 WHERE CPATH = ?", {edited});
    work.Write("data/" + temporary, std::string(600, 'x'));
    const timespec old[2] = {{std::time(nullptr) - 7 * 3600, 0},
                             {std::time(nullptr) - 7 * 3600, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, Data(temporary).c_str(), old, 0), 0);

    const Outcome drifted = Run("check");
    EXPECT_EQ(drifted.status, 1) << Joined(drifted.lines);
    EXPECT_EQ(drifted.lines,
              (Strings{
                  Data(unlisted) + ": trace file without a row",
                  Data(gone) + ": row without a file",
                  Data(cut) + ": size 612 is not 512 + 2 x samples of 00 00 04 at SpS=100.000000",
                  Data(temporary) + ": temporary file of a writer that no longer runs",
                  Data(edited) + ": row disagrees: TQTY x SPS 300 samples (file: 400)",
                  "6 trace files, 6 rows: 5 problems (row without file 1, file without row 1, "
                  "bad size 1, row disagrees 1, stale temporary 1)",
              }))
        << Joined(drifted.lines);

    const Outcome fixed = Run("check --fix");
    EXPECT_EQ(fixed.status, 1) << Joined(fixed.lines);
    const std::string suggestion =
        "To write them again: kelvaron-batch files --stations STA1,STA2 " + work.File("src/a.dat") +
        " " + work.File("src/c.dat") + " " + work.File("src/d.dat");
    ASSERT_FALSE(fixed.lines.empty());
    EXPECT_EQ(fixed.lines.back(), suggestion) << Joined(fixed.lines);
    EXPECT_EQ(testing_support::CountRows("FILELIST", "CPATH = ?", {gone}), 0);
    struct stat st {};
    EXPECT_NE(::stat(Data(temporary).c_str(), &st), 0) << "the stale temporary is removed";
    EXPECT_EQ(::stat(Data(cut).c_str(), &st), 0) << "a trace file is never deleted";

    const Outcome repaired = Run(suggestion.substr(suggestion.find("files")));
    EXPECT_EQ(repaired.status, 0) << Joined(repaired.lines);
    const Outcome after = Run("check");
    EXPECT_EQ(after.status, 0) << Joined(after.lines);
    EXPECT_EQ(after.lines, Strings{"7 trace files, 7 rows: everything agrees"});
}

TEST_P(CheckEndToEnd, NamedStationsOnlyAndErrorsEndWithStatusTwo) {
    ASSERT_EQ(Run("window").status, 0);
    ExecuteOnCatalogue("DELETE FROM FILELIST WHERE STA = 'STA1'");
    EXPECT_EQ(Run("check STA2").lines, Strings{"1 trace files, 1 rows: everything agrees"});
    EXPECT_EQ(Run("check STA1").status, 1);
    // Cut inside its header: station and start come from the path.
    const std::string cut = "STA2/1429112007/141000-29112007.BHZ";
    ASSERT_EQ(::truncate(Data(cut).c_str(), 100), 0);
    const Outcome fixed = Run("check --fix STA2");
    EXPECT_EQ(fixed.status, 1);
    EXPECT_EQ(fixed.lines.back(),
              "To write them again: kelvaron-batch files --stations STA2 " + work.File("src/c.dat"))
        << Joined(fixed.lines);
    for (const char* args : {"check --bogus", "check ..", "check a/b"})
        EXPECT_EQ(Run(args).status, 2) << args;
    ExecuteOnCatalogue("ALTER TABLE FILELIST RENAME TO FILELIST_GONE");
    const Outcome noTable = Run("check");
    EXPECT_EQ(noTable.status, 2) << Joined(noTable.lines);
    ExecuteOnCatalogue("ALTER TABLE FILELIST_GONE RENAME TO FILELIST");
    ::mkdir(work.File("unmounted").c_str(), 0755);
    testing_support::WriteTvxIni(work.File("tvx.ini"), backend().Login(), work.File("unmounted"));
    EXPECT_EQ(Run("check --fix").status, 2) << "an empty data directory: nothing is removed";
    testing_support::WriteTvxIni(work.File("tvx.ini"), backend().Login(), "");
    EXPECT_EQ(Run("check --fix").status, 2) << "no data directory: nothing is judged missing";
    EXPECT_GT(testing_support::CountRows("FILELIST"), 0);
}

// With the record of recordings the fix names the recording that wrote the
// file, even one picked from outside the station's source directory.
TEST_P(CheckEndToEnd, FixNamesTheRecordingTheRecordSaysWroteTheFile) {
    catalog::UpgradeCatalogueSchema(theDatabase);
    RecordingPlan picked;
    picked.time = "14:50:00";
    const std::string elsewhere = MakeRecording(picked).WriteTo(work.File("incoming/e.dat"));
    ASSERT_EQ(Run("files --stations STA1 " + elsewhere).status, 0);
    const std::string cut = "STA1/1429112007/145000-29112007.SHZ";
    ASSERT_EQ(::truncate(Data(cut).c_str(), 512 + 100), 0);

    const Outcome fixed = Run("check --fix");
    ASSERT_FALSE(fixed.lines.empty());
    EXPECT_EQ(fixed.lines.back(),
              "To write them again: kelvaron-batch files --stations STA1 " + elsewhere)
        << Joined(fixed.lines);
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(CheckEndToEnd);

}  // namespace
