#include "formats/tvx/trace_naming.h"

#include <gtest/gtest.h>

namespace {

using engine::ComposeTraceLocation;
using engine::TraceLocation;
using engine::TraceStart;

const TraceStart kStart{2007, 11, 29, 14, 30, 45};

TEST(TraceNaming, HourDirectoryIsHourDayMonthYearAndFileIsTimeDashDate) {
    const TraceLocation l = ComposeTraceLocation("/data/", "STA1", "SHZ", kStart);
    EXPECT_EQ(l.stationDir, "/data/STA1");
    EXPECT_EQ(l.hourDir, "/data/STA1/1429112007");
    EXPECT_EQ(l.fileNamePart, "/143045-29112007.SHZ");
    EXPECT_EQ(l.fullPath, "/data/STA1/1429112007/143045-29112007.SHZ");
    EXPECT_EQ(l.catalogPath, "STA1/1429112007/143045-29112007.SHZ");
}

TEST(TraceNaming, SmallFieldsArePaddedWithZeros) {
    const TraceLocation l = ComposeTraceLocation("/d/", "S", "Z", TraceStart{812, 3, 7, 1, 2, 3});
    EXPECT_EQ(l.catalogPath, "S/0107030812/010203-07030812.Z");
}

TEST(TraceNaming, DataDirectoryGetsExactlyOneTrailingSeparator) {
    EXPECT_EQ(engine::WithTrailingSeparator("/data"), "/data/");
    EXPECT_EQ(engine::WithTrailingSeparator("/data/"), "/data/");
    EXPECT_EQ(engine::WithTrailingSeparator(""), "/");
    EXPECT_EQ(
        ComposeTraceLocation(engine::WithTrailingSeparator(""), "STA1", "SHZ", kStart).fullPath,
        "/STA1/1429112007/143045-29112007.SHZ");
}

TEST(TraceNaming, NamesThatCouldLeaveTheDataDirectoryAreUnsafe) {
    const struct {
        std::string name;
        bool safe;
    } cases[] = {
        {"STA1", true},  {"SHZ", true},   {"", true},       {"a.b", true},
        {"...", true},   {".", false},    {"..", false},    {"a/b", false},
        {"/", false},    {"../x", false}, {"x/..", false},  {std::string("..\0x", 4), false},
        {"a\\b", false}, {"\\", false},   {"SHZ\\", false},
    };
    for (const auto& c : cases) EXPECT_EQ(engine::IsSafePathName(c.name), c.safe) << c.name;
}

TEST(TraceNaming, PathsUpTo255CharactersFit) {
    // "/d/" + station + "/1429112007" + "/143045-29112007.SHZ" = 34 + station.
    const TraceLocation fits =
        ComposeTraceLocation("/d/", std::string(255 - 34, 'S'), "SHZ", kStart);
    ASSERT_EQ(fits.fullPath.size(), 255u);
    EXPECT_TRUE(engine::FitsPathLimit(fits));
    const TraceLocation over =
        ComposeTraceLocation("/d/", std::string(256 - 34, 'S'), "SHZ", kStart);
    EXPECT_FALSE(engine::FitsPathLimit(over));
}

}  // namespace
