#include "formats/recorder/recorder_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "formats/date_time.h"
#include "formats/text_scan.h"

namespace {

double Midnight(int year, int month, int day) {
    return EpochFromCalendar(year, month, day, 0, 0, 0.0f);
}

TEST(ParseRecorderDate, ReadsDayMonthYearWithAnySeparator) {
    struct Case {
        const char* text;
        double expected;
    } cases[] = {
        {"29.11.2007", Midnight(2007, 11, 29)},
        {"29/11/2007", Midnight(2007, 11, 29)},
        {"07.03.2006", Midnight(2006, 3, 7)},
        {"7.3.2006", Midnight(2006, 3, 7)},
        {" 7 3 2006", Midnight(2006, 3, 7)},  // %2d skips blanks; %*1c takes the blank
        // Fixed widths: two digits, one character, two digits, one, four.
        {"29112007", Midnight(7, 12, 29)},
        {"29.11.20071", Midnight(2007, 11, 29)},
        // Fields the scan cannot read count as 0.
        {"29.11", Midnight(0, 11, 29)},
        {"29.xx.2007", Midnight(0, 0, 29)},
        {"", Midnight(0, 0, 0)},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseRecorderDate(c.text), c.expected) << c.text;
}

TEST(ParseRecorderTime, ReadsHoursMinutesAndFractionalSeconds) {
    struct Case {
        const char* text;
        double expected;
    } cases[] = {
        {"12:34:56.5", 45296.5},
        {"00:00:01.5", 1.5},
        {"12-34-56", 45296},
        {"1:2:3", 3723},
        {" 12:30:00", 45000},
        {"-1:00:00", -3600},
        {"12:34", 45240},     // seconds missing: 0
        {"12:xx:30", 43200},  // minutes unreadable: they and the rest count as 0
        {"", 0},
        {"23:59:59.999", 86399 + static_cast<double>(59.999f) - 59},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(ParseRecorderTime(c.text), c.expected) << c.text;
}

TEST(ParseRecorderTime, SecondsAreSinglePrecision) {
    EXPECT_EQ(ParseRecorderTime("00:00:01.1"), static_cast<double>(1.1f));
    EXPECT_NE(ParseRecorderTime("00:00:01.1"), 1.1);
}

TEST(ParseRecorderTime, HugeOrOddSecondsDoNotUpset) {
    EXPECT_EQ(ParseRecorderTime("00:00:1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseRecorderTime("00:00:1e-999"), 0.0);
    EXPECT_EQ(ParseRecorderTime("00:00:+-1"), 0.0);
    EXPECT_EQ(ParseRecorderTime("00:00:+2.5"), 2.5);
}

std::vector<std::int32_t> AllItems(const std::string& list) {
    std::vector<std::int32_t> items;
    std::size_t pos = 0;
    while (pos < list.size()) {
        const std::size_t before = pos;
        items.push_back(NextListNumber(list, pos));
        if (pos <= before) {
            ADD_FAILURE() << "no progress in " << list;
            break;
        }
    }
    return items;
}

TEST(NextListNumber, ReadsItemsTheWayTheRecorderListsAreMeant) {
    struct Case {
        std::string list;
        std::vector<std::int32_t> expected;
    } cases[] = {
        {"1,2,3", {1, 2, 3}},
        {"1 2", {12}},  // blanks inside an item are skipped
        {" 5", {5}},
        {"-5", {5}},  // so is a sign
        {",5", {5}},  // an empty first item merges with the next
        {"1,,7", {1, 7}},
        {"3,4,", {3, 4}},  // a trailing comma ends the list
        {"a,b", {0, 0}},   // no digits: 0
        {",", {0}},
        {"12,345,6789", {12, 345, 6789}},
        {"2147483648", {INT_MAX}},
        {std::string(40, '9') + ",4", {INT_MAX, 4}},  // more digits than the buffer holds
    };
    for (const Case& c : cases) EXPECT_EQ(AllItems(c.list), c.expected) << c.list;
}

TEST(NextListNumber, StopsBehindTheComma) {
    std::string list = "10,20";
    std::size_t pos = 0;
    EXPECT_EQ(NextListNumber(list, pos), 10);
    EXPECT_EQ(pos, 3u);
    EXPECT_EQ(NextListNumber(list, pos), 20);
    EXPECT_EQ(pos, list.size());
}

TEST(GainFactorFromExponent, IsTwoToThePowerSaturatedAtBothEnds) {
    struct Case {
        std::int32_t exponent, factor;
    } cases[] = {
        {0, 1},  {3, 8},       {30, 1 << 30}, {31, INT_MAX}, {64, INT_MAX}, {INT_MAX, INT_MAX},
        {-1, 0}, {INT_MIN, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(engine::GainFactorFromExponent(c.exponent), c.factor) << c.exponent;
}

TEST(ParseDurationSeconds, ReadsDaysHoursMinutesSeconds) {
    struct Case {
        const char* text;
        double seconds;
    } cases[] = {
        {"000 00:30:00", 1800},
        {"001 00:00:00", 86400},
        {"002 01:02:03", 2 * 86400 + 3723},
        {"000 01:00:00", 3600},
        {"005", 5 * 86400},  // hours, minutes, seconds missing: 0
        {"010 5", 10 * 86400 + 5 * 3600},
        {"abc 01:00:00", 0},  // no day count: nothing is read
        {"", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(engine::ParseDurationSeconds(c.text), c.seconds) << c.text;
}

TEST(AtoiLike64, ReadsBeyondThirtyTwoBitsAndSaturates) {
    EXPECT_EQ(engine::AtoiLike64("4294967296"), 4294967296LL);
    EXPECT_EQ(engine::AtoiLike64("  -12x"), -12);
    EXPECT_EQ(engine::AtoiLike64("+7"), 7);
    EXPECT_EQ(engine::AtoiLike64(""), 0);
    EXPECT_EQ(engine::AtoiLike64("x12"), 0);
    EXPECT_EQ(engine::AtoiLike64("99999999999999999999999"),
              std::numeric_limits<std::int64_t>::max());
}

TEST(Overlaps, IsTheOverlapOfHalfOpenSpans) {
    struct Case {
        double start, length, fileStart, fileLength;
        bool expected;
        const char* what;
    } cases[] = {
        {100, 100, 0, 100, false, "ends exactly at the window start"},
        {100, 100, 200, 10, false, "begins exactly at the window end"},
        {100, 100, 100, 10, true, "begins at the window start"},
        {100, 100, 100, 0, false, "begins at the window start without data seconds"},
        {100, 100, 150, 0, true, "no data seconds, strictly inside"},
        {100, 100, 199.5, 0, true, "no data seconds, just before the end"},
        {100, 100, 50, 51, true, "reaches one second into the window"},
        {100, 100, 0, 1000, true, "covers the window"},
        {100, 0, 100, 1, true, "empty window at the file start"},
        {100, 0, 99, 1, false, "empty window at the file end"},
        {100, 0, 101, 10, false, "empty window before the file"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(engine::Overlaps(c.start, c.length, c.fileStart, c.fileLength), c.expected)
            << c.what;
}

TEST(TextScanner, ReadsTheStartFieldScanFormat) {
    // "%2d%*[:, ]%2d%*[,: ]%2d%*[:, ]%2d%*[:,// ]%2d%*[:,// ]%4d"
    std::int32_t f[6] = {};
    engine::TextScanner scan("12,:, 30:45 01//02 2003");
    ASSERT_TRUE(scan.Int(2, f[0]) && scan.SkipRun(":, ") && scan.Int(2, f[1]) &&
                scan.SkipRun(",: ") && scan.Int(2, f[2]) && scan.SkipRun(":, ") &&
                scan.Int(2, f[3]) && scan.SkipRun(":,/ ") && scan.Int(2, f[4]) &&
                scan.SkipRun(":,/ ") && scan.Int(4, f[5]));
    EXPECT_EQ((std::vector<std::int32_t>(f, f + 6)),
              (std::vector<std::int32_t>{12, 30, 45, 1, 2, 2003}));

    engine::TextScanner noSeparator("1230");
    std::int32_t a = -1, b = -1;
    EXPECT_TRUE(noSeparator.Int(2, a));
    EXPECT_FALSE(noSeparator.SkipRun(":"));  // a scan set needs one character at least
    EXPECT_TRUE(noSeparator.Int(2, b));
    EXPECT_EQ(a, 12);
    EXPECT_EQ(b, 30);

    engine::TextScanner signOnly("- 5");
    std::int32_t untouched = 7;
    EXPECT_FALSE(signOnly.Int(2, untouched));
    EXPECT_EQ(untouched, 7);
}

}  // namespace
