#include "platform/calendar_text.h"

#include <gtest/gtest.h>

using platform::CalendarFields;

namespace {

TEST(CalendarText, FormatsModeTwoWithZeroPaddedFields) {
    EXPECT_EQ(platform::FormatStartText({2000, 1, 1, 0, 0, 0}), "00:00:00 01/01/2000");
    EXPECT_EQ(platform::FormatStartText({1999, 12, 31, 23, 59, 58}), "23:59:58 31/12/1999");
    // A value wider than its field widens the text instead of being cut.
    EXPECT_EQ(platform::FormatStartText({12345, 1, 1, 100, 0, 0}), "100:00:00 01/01/12345");
}

bool SameFields(const CalendarFields& a, const CalendarFields& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second;
}

TEST(CalendarText, ScanReadsSeparatorRunsAndKeepsUnreadFields) {
    const CalendarFields preset{-1, -2, -3, -4, -5, -6};
    struct Case {
        const char* text;
        int read;
        CalendarFields expected;
    };
    const Case cases[] = {
        {"12:30:45 01/02/2003", 6, {2003, 2, 1, 12, 30, 45}},
        {"12,, 30 :45  01//02 2003", 6, {2003, 2, 1, 12, 30, 45}},
        {"1:2:3 4/5/6", 6, {6, 5, 4, 1, 2, 3}},
        {"12:30:45 01.02.2003", 4, {-1, -2, 1, 12, 30, 45}},
        {"12:30", 2, {-1, -2, -3, 12, 30, -6}},
        {"", 0, preset},
        {"ab:cd", 0, preset},
        // Two-digit fields: "123" is hour 12, then no separator before "3".
        {"123:00:00 01/01/2000", 1, {-1, -2, -3, 12, -5, -6}},
    };
    for (const auto& c : cases) {
        CalendarFields fields = preset;
        EXPECT_EQ(platform::ScanStartText(c.text, fields), c.read) << c.text;
        EXPECT_TRUE(SameFields(fields, c.expected)) << c.text;
    }
}

TEST(CalendarText, LeapYearsAndMonthLengths) {
    EXPECT_TRUE(platform::IsLeapYear(2000));
    EXPECT_TRUE(platform::IsLeapYear(2004));
    EXPECT_FALSE(platform::IsLeapYear(1900));
    EXPECT_FALSE(platform::IsLeapYear(2007));
    const int lengths2007[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(platform::DaysInMonth(2007, m), lengths2007[m - 1]) << m;
    EXPECT_EQ(platform::DaysInMonth(2000, 2), 29);
    EXPECT_EQ(platform::DaysInMonth(2000, 0), 0);
    EXPECT_EQ(platform::DaysInMonth(2000, 13), 0);
    EXPECT_EQ(platform::DaysInMonth(2000, -1), 0);
}

TEST(CalendarText, ValidityOfScannedFields) {
    struct Case {
        CalendarFields fields;
        bool valid;
    };
    const Case cases[] = {
        {{2007, 2, 29, 12, 0, 0}, false},
        {{2000, 2, 29, 12, 0, 0}, true},
        {{1900, 2, 29, 12, 0, 0}, false},
        {{2000, 1, 1, 24, 0, 0}, false},
        {{2000, 1, 1, 23, 59, 59}, true},
        {{2000, 1, 1, 0, 60, 0}, false},
        {{2000, 1, 1, 0, 0, 60}, false},
        {{2000, 1, 0, 0, 0, 0}, true},  // day 0 passes: only upper bounds are checked
        {{2000, 4, 31, 0, 0, 0}, false},
        {{2000, 12, 31, 0, 0, 0}, true},
        {{2000, 13, 1, 0, 0, 0}, false},
        {{2000, 0, 1, 0, 0, 0}, false},   // no month 0
        {{2000, -1, 1, 0, 0, 0}, false},  // and no negative month
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::IsValidStart(c.fields), c.valid) << platform::FormatStartText(c.fields);
}

TEST(CalendarText, DurationIsRepairedToDaysHoursMinutesSeconds) {
    const std::pair<const char*, const char*> cases[] = {
        {"01:00:00", "000 01:00:00"},      // hh:mm:ss gets day 000
        {"00:30:00", "000 00:30:00"},      // the default
        {"002 00:00:00", "002 00:00:00"},  // already complete
        {"1 01:00:00", "001 00:00:00"},    // 10 characters
        {"", "001 00:00:00"},
        {"0000 00:00:00", "001 00:00:00"},  // 13 characters
        {"abcdefgh", "000 abcdefgh"},       // length alone decides
        {"abcdefghijkl", "abcdefghijkl"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(platform::RepairDurationText(in), out) << '"' << in << '"';
}

}  // namespace
