#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "platform/ini_file.h"
#include "tests/support/temp_dir.h"

using testing_support::ReadFileBytes;
using testing_support::TempDir;

namespace {

struct WriteCase {
    const char* name;
    const char* before;
    const char* section;
    const char* key;
    const char* value;
    const char* after;
};

TEST(IniWrite, ChangesOnlyWhatItMust) {
    const WriteCase cases[] = {
        {"replaces the first key in place, keeping its spelling and the CRLF",
         "; keep\r\n[KELVARON]\r\nNSTA=2\r\ntime = 00:00:00 "
         "01/01/2000\r\nTIME=dup\r\n[X]\r\nA=1\r\n",
         "kelvaron", "TIME", "12:30:00 05/06/2007",
         "; keep\r\n[KELVARON]\r\nNSTA=2\r\ntime =12:30:00 "
         "05/06/2007\r\nTIME=dup\r\n[X]\r\nA=1\r\n"},
        {"appends a missing key after the section's last line", "[KELVARON]\nNSTA=1\n\n[X]\nA=1\n",
         "KELVARON", "TIMEQTY", "000 00:30:00",
         "[KELVARON]\nNSTA=1\nTIMEQTY=000 00:30:00\n\n[X]\nA=1\n"},
        {"appends a missing section", "[X]\nA=1", "KELVARON", "TIME", "v",
         "[X]\nA=1\n[KELVARON]\nTIME=v\n"},
        {"adds to a section at the end of a file without a final break", "[KELVARON]\nNSTA=1",
         "KELVARON", "TIME", "v", "[KELVARON]\nNSTA=1\nTIME=v\n"},
        {"only the first matching section is written", "[K]\nA=1\n[k]\nB=2\n", "K", "B", "3",
         "[K]\nA=1\nB=3\n[k]\nB=2\n"},
    };
    for (const WriteCase& c : cases) {
        TempDir dir;
        std::string path = dir.Write("kelvaron.ini", c.before);
        ASSERT_TRUE(platform::WriteIniString(path, c.section, c.key, c.value)) << c.name;
        EXPECT_EQ(ReadFileBytes(path), c.after) << c.name;
        EXPECT_EQ(platform::ReadIniString(path, c.section, c.key, "", 63), c.value) << c.name;
    }
}

TEST(IniWrite, CreatesAMissingFile) {
    TempDir dir;
    std::string path = dir.File("new.ini");
    ASSERT_TRUE(platform::WriteIniString(path, "KELVARON", "TIME", "t"));
    ASSERT_TRUE(platform::WriteIniString(path, "KELVARON", "TIMEQTY", "q"));
    EXPECT_EQ(ReadFileBytes(path), "[KELVARON]\nTIME=t\nTIMEQTY=q\n");
}

// A full disk, played by a file-size limit (which binds root too).
TEST(IniWrite, FailureLeavesTheOldFileAndNoTemporary) {
    TempDir dir;
    std::string path = dir.Write("kelvaron.ini", "[KELVARON]\nTIME=old\n");
    struct rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tiny = saved;
    tiny.rlim_cur = 16;
    ::setrlimit(RLIMIT_FSIZE, &tiny);
    bool written = platform::WriteIniString(path, "KELVARON", "TIME", std::string(100, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadFileBytes(path), "[KELVARON]\nTIME=old\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(IniWrite, ReplacesAtomicallyAndKeepsTheMode) {
    TempDir dir;
    std::string path = dir.Write("kelvaron.ini", "[KELVARON]\nTIME=old\n");
    ::chmod(path.c_str(), 0600);
    ASSERT_TRUE(platform::WriteIniString(path, "KELVARON", "TIME", "new"));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    // Nothing but the settings file is left in the directory.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(IniWrite, RefusesToTouchAPathItCannotRead) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("adir"));
    EXPECT_FALSE(platform::WriteIniString(dir.File("adir"), "S", "K", "v"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("adir")));
}

}  // namespace

namespace {

TEST(IniWrite, ThroughASymbolicLinkWritesTheTargetAndKeepsTheLink) {
    TempDir dir;
    std::string target = dir.Write("real/kelvaron.ini", "[KELVARON]\nTIME=old\n");
    std::string link = dir.File("kelvaron.ini");
    std::filesystem::create_symlink(target, link);
    ASSERT_TRUE(platform::WriteIniString(link, "KELVARON", "TIME", "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(target), "[KELVARON]\nTIME=new\n");
}

TEST(IniWrite, ANewFileFollowsTheUmask) {
    TempDir dir;
    mode_t saved = ::umask(027);
    bool written = platform::WriteIniString(dir.File("new.ini"), "S", "K", "v");
    ::umask(saved);
    ASSERT_TRUE(written);
    struct stat st {};
    ASSERT_EQ(::stat(dir.File("new.ini").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

}  // namespace
