#include "archive/archive_check.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>
#include <stdexcept>
#include <string>
#include <vector>

#include "archive/trace_writer.h"
#include "formats/tvx/tvx_header.h"
#include "tests/support/temp_dir.h"

namespace {

using engine::CheckProblemKind;
using Strings = std::vector<std::string>;

constexpr double k143045 = 1196346645.0;
const std::string kPath = "STA1/1429112007/143045-29112007.SHZ";

class Recorder : public engine::CheckObserver {
public:
    Strings seen;
    void Problem(const engine::CheckProblem& p) override {
        seen.push_back(std::to_string(static_cast<int>(p.kind)) + " " +
                       p.path.substr(p.path.find("STA1")) + (p.fixed ? " removed" : ""));
    }
    void Repair(const std::string&, const std::string&, const std::string&) override {}
};

std::string Seen(CheckProblemKind kind, const std::string& path, bool removed = false) {
    return std::to_string(static_cast<int>(kind)) + " " + path + (removed ? " removed" : "");
}

struct Outcome {
    Strings problems;
    Strings removed;
};

enum class File { Absent, Present, ArrivesWithItsRow };

Outcome Check(File file, const std::vector<catalog::FileListRow>& rows, bool fix,
              const engine::RowLookup& rowNow = {}, int ageSeconds = 0) {
    testing_support::TempDir data;
    const auto write = [&] {
        char header[kTraceHeaderSize];
        BuildTraceHeader(header, "STA1", "SHZ", k143045, 1.0, 100.0000000001);
        data.Write(kPath, std::string(header, sizeof header) + std::string(200, '\x01'));
        if (ageSeconds == 0) return;
        const timespec then[2] = {{std::time(nullptr) - ageSeconds, 0},
                                  {std::time(nullptr) - ageSeconds, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, data.File(kPath).c_str(), then, 0), 0);
    };
    if (file == File::Present) write();
    std::size_t next = 0;
    Outcome outcome;
    Recorder recorder;
    engine::CheckRequest request;
    request.dataDir = data.path() + "/";
    request.fix = fix;
    request.rowSettleSeconds = 1;
    engine::CheckArchive(
        request,
        [&](catalog::FileListRow& row) {
            if (next == rows.size()) return false;
            if (file == File::ArrivesWithItsRow && next == 0) write();
            row = rows[next++];
            return true;
        },
        [&](const std::string& path) { outcome.removed.push_back(path); }, recorder, rowNow);
    outcome.problems = recorder.seen;
    return outcome;
}

TEST(ArchiveCheck, EachRowIsJudgedOnceAndRemovedOnlyWhenItsFileIsGone) {
    const catalog::FileListRow row{"STA1", k143045, 1.0, "SHZ", 100.0000000001, kPath};
    const catalog::FileListRow other{"STA1", k143045,        1.0,
                                     "SHN",  100.0000000001, "STA1/1529112007/150000-29112007.SHN"};
    Outcome agrees = Check(File::Present, {row}, false);
    EXPECT_EQ(agrees.problems, Strings{});
    Outcome twice = Check(File::Present, {row, row, other}, true);
    EXPECT_EQ(twice.problems, (Strings{Seen(CheckProblemKind::DuplicateRow, kPath),
                                       Seen(CheckProblemKind::MissingFile, other.path, true)}));
    EXPECT_EQ(twice.removed, Strings{other.path});
    Outcome goneTwice = Check(File::Absent, {row, row}, true);
    EXPECT_EQ(goneTwice.problems, Strings{Seen(CheckProblemKind::MissingFile, kPath, true)});
    EXPECT_EQ(goneTwice.removed, Strings{kPath}) << "one removal takes every row of the path";
    // Written while the check ran: the directory was listed before it came.
    Outcome late = Check(File::ArrivesWithItsRow, {row}, true);
    EXPECT_EQ(late.problems, Strings{});
    EXPECT_EQ(late.removed, Strings{});
    // A path out of the tree names no file of the archive: not removed.
    const catalog::FileListRow outside{"STA1", k143045,        1.0,
                                       "SHZ",  100.0000000001, "STA1/../../etc"};
    Outcome escapes = Check(File::Absent, {outside}, true);
    EXPECT_EQ(escapes.problems, Strings{Seen(CheckProblemKind::BadName, outside.path)});
    EXPECT_EQ(escapes.removed, Strings{});
    EXPECT_THROW(Check(File::Present, {other, row}, false), std::runtime_error)
        << "rows out of order";
}

// A writer puts its file in place and then commits its row: a file that
// came after the rows were read is judged by its row as it is once settled.
TEST(ArchiveCheck, AFreshFileIsJudgedByItsRowAsItIsOnceSettled) {
    const catalog::FileListRow row{"STA1", k143045, 1.0, "SHZ", 100.0000000001, kPath};
    catalog::FileListRow stale = row;
    stale.duration = 3.0;
    const std::optional<catalog::FileListRow> none;
    const struct {
        const char* name;
        std::vector<catalog::FileListRow> rows;  // as read before the file came
        std::optional<catalog::FileListRow> now;
        int ageSeconds;
        Strings problems;
        int lookups;
    } cases[] = {
        {"row committed since", {}, row, 0, {}, 1},
        {"row replaced since", {stale}, row, 0, {}, 1},
        {"still no row", {}, none, 0, {Seen(CheckProblemKind::NoRow, kPath)}, 1},
        {"old file, no row", {}, row, 3600, {Seen(CheckProblemKind::NoRow, kPath)}, 0},
        {"old file, row disagrees",
         {stale},
         row,
         3600,
         {Seen(CheckProblemKind::RowDisagrees, kPath)},
         0},
    };
    for (const auto& c : cases) {
        int lookups = 0;
        const Outcome outcome = Check(
            File::Present, c.rows, false,
            [&](const std::string& path) {
                ++lookups;
                EXPECT_EQ(path, kPath);
                return c.now;
            },
            c.ageSeconds);
        EXPECT_EQ(outcome.problems, c.problems) << c.name;
        EXPECT_EQ(lookups, c.lookups) << c.name;
    }
}

}  // namespace
