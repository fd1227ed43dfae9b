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

TEST(BatchOptions, JobsInEveryFormOfAConvertingMode) {
    const std::vector<std::pair<Strings, int>> cases = {
        {{"window", "-j", "4"}, 4}, {{"files", "-j3", "a.dat"}, 3},  {{"sync", "--jobs", "2"}, 2},
        {{"watch", "-qj", "8"}, 8}, {{"sync", "--jobs=1024"}, 1024},
    };
    for (const auto& [args, jobs] : cases) {
        const auto parsed = ParseBatchOptions(args);
        EXPECT_EQ(parsed.error, "") << args[1];
        EXPECT_EQ(parsed.options.jobs, jobs) << args[1];
    }
    EXPECT_FALSE(ParseBatchOptions({"sync"}).options.jobs);  // the mode's default
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
        {"window", "-x"},
        {"window", "-qx", "KRV"},
        {"-x", "window"},
        {"window", "--quiet=1"},
        {"window", "--verb"},                 // no abbreviations
        {"files", "--since", "2h", "a.dat"},  // a window option
        {"files", "--end", "now", "a.dat"},
        {"--", "-V"},            // not an option after "--"
        {"config", "--config"},  // no file named
        {"config", "--config="},
        {"window", "-j", "0"},  // no number of workers
        {"sync", "--jobs", "-2"},
        {"sync", "--jobs=two"},
        {"watch", "-j", "1025"},
        {"files", "-j", "2x", "a.dat"},
        {"window", "-j"},
        {"check", "-j", "2"},  // a mode that converts nothing
    };
    for (const Strings& args : bad) {
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_NE(ParseBatchOptions(args).error, "") << joined;
    }
    EXPECT_EQ(ParseBatchOptions({"--help"}).options.mode, BatchMode::Help);
}

TEST(BatchOptions, ConventionalOptionsAnywhereAndNeverAStation) {
    struct Case {
        Strings args;
        BatchMode mode;
        bool quiet, verbose, dryRun;
        Strings stations;
    } cases[] = {
        {{"-V"}, BatchMode::Version, false, false, false, {}},
        {{"--version"}, BatchMode::Version, false, false, false, {}},
        {{"-h"}, BatchMode::Help, false, false, false, {}},
        {{"window", "-h", "KRV"}, BatchMode::Help, false, false, false, {}},
        {{"window", "-q", "KRV"}, BatchMode::Window, true, false, false, {"KRV"}},
        {{"-q", "window", "KRV", "--verbose"}, BatchMode::Window, true, true, false, {"KRV"}},
        {{"window", "-qvn", "KRV", "ARU"}, BatchMode::Window, true, true, true, {"KRV", "ARU"}},
        {{"window", "--dry-run", "--", "-q"}, BatchMode::Window, false, false, true, {"-q"}},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const auto& a : c.args) joined += a + " ";
        const auto parsed = ParseBatchOptions(c.args);
        ASSERT_EQ(parsed.error, "") << joined;
        const cli::BatchOptions& o = parsed.options;
        EXPECT_EQ(o.mode, c.mode) << joined;
        EXPECT_EQ((std::vector<bool>{o.quiet, o.verbose, o.dryRun}),
                  (std::vector<bool>{c.quiet, c.verbose, c.dryRun}))
            << joined;
        EXPECT_EQ(o.stations.value_or(Strings{}), c.stations) << joined;
    }
    // An option's value is the next argument, whatever it begins with.
    const auto relative =
        ParseBatchOptions({"window", "--start", "-2h", "--end=now", "--since", "-q"});
    ASSERT_EQ(relative.error, "");
    EXPECT_EQ(relative.options.start, "-2h");
    EXPECT_EQ(relative.options.end, "now");
    EXPECT_EQ(relative.options.since, "-q");
    EXPECT_FALSE(relative.options.quiet);
}

}  // namespace
