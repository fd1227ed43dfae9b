#include "cli/batch_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using cli::BatchMode;
using cli::ParseBatchOptions;
using Strings = std::vector<std::string>;

TEST(BatchOptions, WindowRun) {
    const auto parsed = ParseBatchOptions(
        {"window", "--start", "12:00:00 01/02/2003", "--duration=000 01:00:00", "--channels",
         "SHZ,BHZ_VERY_LONG_NAME_X", "--quiet", "-v", "--dry-run", "STA1", "STA2"});
    ASSERT_EQ(parsed.error, "");
    const cli::BatchOptions& o = parsed.options;
    EXPECT_EQ(o.mode, BatchMode::Window);
    EXPECT_EQ(o.start, "12:00:00 01/02/2003");
    EXPECT_EQ(o.duration, "000 01:00:00");
    EXPECT_EQ(o.channels, (Strings{"SHZ", "BHZ_VERY_LONG_N"}));  // cut to 15 as the list would
    EXPECT_EQ(o.stations, (Strings{"STA1", "STA2"}));
    EXPECT_TRUE(o.quiet);
    EXPECT_TRUE(o.verbose);
    EXPECT_TRUE(o.dryRun);
}

TEST(BatchOptions, FileRun) {
    const auto parsed =
        ParseBatchOptions({"files", "--stations", "A,,B", "a.dat", "--", "--odd.dat"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.mode, BatchMode::Files);
    EXPECT_EQ(parsed.options.stations, (Strings{"A", "B"}));
    EXPECT_EQ(parsed.options.files, (Strings{"a.dat", "--odd.dat"}));
    EXPECT_FALSE(parsed.options.channels);
}

TEST(BatchOptions, DefaultsStayUnset) {
    const auto parsed = ParseBatchOptions({"window"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_FALSE(parsed.options.start || parsed.options.duration || parsed.options.channels ||
                 parsed.options.stations || parsed.options.quiet || parsed.options.verbose ||
                 parsed.options.dryRun);
}

TEST(BatchOptions, UsageErrors) {
    const std::vector<Strings> bad = {
        {},
        {"convert"},
        {"files"},                           // no FILE
        {"files", "--start", "x", "a.dat"},  // a window option
        {"window", "--stations", "A"},       // a file option
        {"window", "--start"},               // no value
        {"window", "--channels", ","},       // no channel named
        {"window", "--bogus", "1"},
    };
    for (const Strings& args : bad) {
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_NE(ParseBatchOptions(args).error, "") << joined;
    }
    EXPECT_EQ(ParseBatchOptions({"--help"}).options.mode, BatchMode::Help);
}

}  // namespace
