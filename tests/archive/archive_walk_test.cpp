#include "archive/archive_walk.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace {

using engine::ArchiveEntry;
using engine::ArchiveWalk;
using Strings = std::vector<std::string>;

Strings Walk(const std::string& dataDir, const Strings& stations) {
    ArchiveWalk walk(dataDir + "/", stations);
    Strings seen;
    ArchiveEntry entry;
    while (walk.Next(entry))
        seen.push_back((entry.kind == ArchiveEntry::Kind::Temporary ? "tmp " : "") +
                       entry.relative);
    return seen;
}

// Whole paths in byte order, the order of CPATH in a binary collation.
Strings Sorted(Strings paths) {
    std::sort(paths.begin(), paths.end(), [](const std::string& a, const std::string& b) {
        const auto bare = [](const std::string& s) {
            return s.rfind("tmp ", 0) == 0 ? s.substr(4) : s;
        };
        return bare(a) < bare(b);
    });
    return paths;
}

TEST(ArchiveWalk, YieldsTheTreeInWholePathByteOrder) {
    testing_support::TempDir data;
    for (const char* file : {"A/x/1", "A/x/2", "A/x0", "A-B/y/1", "A0/f", "a/z/1", "B/\xd0\x90/1",
                             "B/\xc0/1", "A/x/.kelvaron-12-0.tmp", "A/x/.hidden", "AB"})
        data.Write(file, "x");
    ASSERT_EQ(::symlink("../A-B", data.File("A/dirlink").c_str()), 0);
    ASSERT_EQ(::symlink("x/1", data.File("A/filelink").c_str()), 0);

    // Files in the data directory itself and links to directories are not walked.
    EXPECT_EQ(Walk(data.path(), {}),
              Sorted({"A/x/1", "A/x/2", "A/x0", "A-B/y/1", "A0/f", "a/z/1", "B/\xd0\x90/1",
                      "B/\xc0/1", "tmp A/x/.kelvaron-12-0.tmp", "A/x/.hidden", "A/filelink"}));
    EXPECT_EQ(Walk(data.path(), {"A0", "A-B", "missing", "A0"}), Sorted({"A-B/y/1", "A0/f"}));
}

}  // namespace
