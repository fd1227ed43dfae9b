#include "cli/journal_stream.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "tests/support/temp_dir.h"

namespace {

TEST(JournalStream, OnlyTheStreamTheVariableNamesIsTheJournal) {
    testing_support::TempDir dir;
    const int fd = ::open(dir.Write("stream", "").c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    struct stat st {};
    ASSERT_EQ(::fstat(fd, &st), 0);
    const std::string device = std::to_string(st.st_dev), inode = std::to_string(st.st_ino);
    const struct {
        const char* name;
        std::string variable;
        bool journal;
    } cases[] = {
        {"its device and inode", device + ":" + inode, true},
        {"another inode (stderr redirected by hand)", device + ":" + inode + "1", false},
        {"another device", device + "1:" + inode, false},
        {"trailing text", device + ":" + inode + "x", false},
        {"no inode", device, false},
        {"empty", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cli::IsJournalStream(c.variable.c_str(), fd), c.journal) << c.name;
    EXPECT_FALSE(cli::IsJournalStream(nullptr, fd));
    ::close(fd);
}

}  // namespace
