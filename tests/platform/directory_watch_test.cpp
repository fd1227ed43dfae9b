#include "platform/directory_watch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> HeardWithin(platform::DirectoryWatch& watch, int rounds) {
    std::vector<std::string> heard;
    for (int i = 0; i < rounds; ++i) {
        const platform::DirectoryWatch::Arrivals got = watch.Wait(std::chrono::milliseconds(100));
        heard.insert(heard.end(), got.paths.begin(), got.paths.end());
    }
    return heard;
}

// A file is heard of when its writer closes it or it is renamed in; a file
// still open, a directory made and a file in an unwatched directory are not.
TEST(DirectoryWatch, HearsOfClosedAndMovedInFilesOnly) {
    testing_support::TempDir dir;
    const std::string src = dir.path() + "/src";
    fs::create_directories(src);
    fs::create_directories(dir.path() + "/elsewhere");
    platform::DirectoryWatch watch;
    ASSERT_TRUE(watch.valid());
    ASSERT_TRUE(watch.Add(src));
    EXPECT_FALSE(watch.Add(dir.path() + "/missing"));

    std::ofstream open(src + "/open.rec");
    open << "still being written";
    open.flush();
    { std::ofstream(src + "/written.rec") << "whole"; }
    { std::ofstream(dir.path() + "/elsewhere/moved.rec") << "whole"; }
    fs::rename(dir.path() + "/elsewhere/moved.rec", src + "/moved.rec");
    fs::create_directories(src + "/subdir");
    { std::ofstream(dir.path() + "/elsewhere/other.rec") << "not ours"; }

    EXPECT_EQ(HeardWithin(watch, 3),
              (std::vector<std::string>{src + "/written.rec", src + "/moved.rec"}));
    open.close();
    EXPECT_EQ(HeardWithin(watch, 3), (std::vector<std::string>{src + "/open.rec"}));
}

}  // namespace
