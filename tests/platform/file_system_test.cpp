#include "platform/file_system.h"

#include <gtest/gtest.h>

#include "platform/atomic_file.h"
#include "tests/support/temp_dir.h"

using testing_support::TempDir;

namespace {

TEST(FileSystem, CreatesOneDirectoryLevel) {
    TempDir dir;
    EXPECT_TRUE(platform::CreateDirectoryLevel(dir.File("one")));
    EXPECT_FALSE(platform::CreateDirectoryLevel(dir.File("one")));        // exists
    EXPECT_FALSE(platform::CreateDirectoryLevel(dir.File("two/three")));  // one level only
}

TEST(FileSystem, FreeBytesOfAnExistingVolumeOnly) {
    TempDir dir;
    auto free = platform::FreeBytesForCaller(dir.path());
    ASSERT_TRUE(free);
    EXPECT_GT(*free, 0u);
    EXPECT_FALSE(platform::FreeBytesForCaller(dir.File("missing/deeper")));
}

TEST(FileSystem, AtomicWriteReplacesContents) {
    TempDir dir;
    std::string path = dir.Write("f", "old contents that are longer");
    ASSERT_TRUE(platform::WriteFileAtomically(path, "new"));
    EXPECT_EQ(testing_support::ReadFileBytes(path), "new");
    EXPECT_FALSE(platform::WriteFileAtomically(dir.File("missing/f"), "x"));
}

}  // namespace
