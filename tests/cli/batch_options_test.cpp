#include "cli/batch_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/batch_settings.h"
#include "cli/start_text.h"
#include "tests/support/temp_dir.h"

namespace {

using cli::BatchMode;
using cli::ParseBatchOptions;
using Strings = std::vector<std::string>;

TEST(BatchOptions, WindowRun) {
    const auto parsed =
        ParseBatchOptions({"window", "--start", "12:00:00 01/02/2003", "--duration=000 01:00:00",
                           "--channels", "SHZ,BHZ_VERY_LONG_NAME_X", "--quiet", "STA1", "STA2"});
    ASSERT_EQ(parsed.error, "");
    const cli::BatchOptions& o = parsed.options;
    EXPECT_EQ(o.mode, BatchMode::Window);
    EXPECT_EQ(o.start, "12:00:00 01/02/2003");
    EXPECT_EQ(o.duration, "000 01:00:00");
    EXPECT_EQ(o.channels, (Strings{"SHZ", "BHZ_VERY_LONG_N"}));  // cut to 15 as the list would
    EXPECT_EQ(o.stations, (Strings{"STA1", "STA2"}));
    EXPECT_TRUE(o.quiet);
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
                 parsed.options.stations || parsed.options.quiet);
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
        {"--", "-V"},  // not an option after "--"
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

TEST(StartText, ScansTheStartFieldLayout) {
    struct Case {
        const char* text;
        int read;
        engine::StartDateTime expected;
    } cases[] = {
        {"12:30:45 01/02/2003", 6, {2003, 2, 1, 12, 30, 45}},
        {"12,30 45  01/02 2003", 6, {2003, 2, 1, 12, 30, 45}},
        {"12:30:00", 3, {2000, 1, 1, 12, 30, 0}},  // the rest keeps its defaults
        {"1230", 1, {2000, 1, 1, 12, 0, 0}},
        {"", 0, {}},
    };
    for (const Case& c : cases) {
        engine::StartDateTime fields;
        EXPECT_EQ(cli::ScanStartText(c.text, fields), c.read) << c.text;
        EXPECT_EQ((std::vector<int>{fields.year, fields.month, fields.day, fields.hour,
                                    fields.minute, fields.second}),
                  (std::vector<int>{c.expected.year, c.expected.month, c.expected.day,
                                    c.expected.hour, c.expected.minute, c.expected.second}))
            << c.text;
    }
}

TEST(StartText, RangeCheck) {
    struct Case {
        engine::StartDateTime fields;
        bool valid;
    } cases[] = {
        {{2007, 2, 29, 12, 0, 0}, false}, {{2000, 2, 29, 12, 0, 0}, true},
        {{1900, 2, 29, 12, 0, 0}, false}, {{2000, 1, 1, 24, 0, 0}, false},
        {{2000, 1, 1, 0, 60, 0}, false},  {{2000, 1, 1, 0, 0, 60}, false},
        {{2000, 1, 0, 0, 0, 0}, true},    {{2000, 0, 1, 0, 0, 0}, false},
        {{2000, 13, 1, 0, 0, 0}, false},  {{2000, 4, 31, 0, 0, 0}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cli::IsValidStart(c.fields), c.valid)
            << c.fields.day << "/" << c.fields.month << "/" << c.fields.year << " " << c.fields.hour
            << ":" << c.fields.minute << ":" << c.fields.second;
}

TEST(StartText, DurationAsKelvaronIniHoldsIt) {
    EXPECT_EQ(cli::NormalisedDuration("01:00:00"), "000 01:00:00");
    EXPECT_EQ(cli::NormalisedDuration("1 01:00:00"), "001 00:00:00");
    EXPECT_EQ(cli::NormalisedDuration("002 00:00:00"), "002 00:00:00");
    EXPECT_EQ(cli::NormalisedDuration(""), "001 00:00:00");
}

TEST(BatchSettings, StationsSortedAndWindowFromKelvaronIni) {
    testing_support::TempDir dir;
    const std::string ini =
        dir.Write("kelvaron.ini",
                  "[KELVARON]\r\nNSTA=4\r\nSTA0=zeta\r\nSTA1=\r\nSTA2=Alpha\r\nSTA3=beta\r\n"
                  "STA4=ignored\r\nTIME=12:30:00\r\nTIMEQTY=01:00:00\r\n");
    const cli::BatchSettings s = cli::LoadBatchSettings(ini);
    EXPECT_EQ(s.stations, (Strings{"Alpha", "beta", "zeta"}));
    EXPECT_EQ(s.start.hour, 12);
    EXPECT_EQ(s.start.minute, 30);
    EXPECT_EQ(s.start.day, 1);
    EXPECT_EQ(s.start.year, 2000);
    EXPECT_EQ(s.duration, "000 01:00:00");

    const cli::BatchSettings none = cli::LoadBatchSettings(dir.File("missing.ini"));
    EXPECT_TRUE(none.stations.empty());
    EXPECT_EQ(none.duration, "000 00:30:00");
    EXPECT_EQ(none.start.year, 2000);
}

}  // namespace
