#include "formats/date_time.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <limits>

namespace {

struct Fields {
    std::int32_t year, month, day, hour, minute;
    float seconds;
};

Fields CalendarOf(double t, int* result = nullptr) {
    Fields f{-7, -7, -7, -7, -7, -7.0f};
    const int r = CalendarFromEpoch(t, f.year, f.month, f.day, f.hour, f.minute, f.seconds);
    if (result) *result = r;
    return f;
}

struct WorkedExample {
    Fields fields;
    double epoch;
};

// Dates whose epoch seconds are known, both ways.
const WorkedExample kWorkedExamples[] = {
    {{1970, 1, 1, 0, 0, 0.0f}, 0.0},
    {{2000, 2, 29, 0, 0, 0.0f}, 951782400.0},
    {{2007, 11, 29, 14, 30, 45.5f}, 1196346645.5},
    {{2100, 3, 1, 0, 0, 0.0f}, 4107542400.0},  // 2100 is no leap year
    {{1969, 12, 31, 23, 59, 59.0f}, -1.0},
};

TEST(DateTime, WorkedExamplesConvertBothWays) {
    for (const WorkedExample& ex : kWorkedExamples) {
        const Fields& f = ex.fields;
        SCOPED_TRACE(testing::Message() << f.year << "-" << f.month << "-" << f.day);
        EXPECT_EQ(EpochFromCalendar(f.year, f.month, f.day, f.hour, f.minute, f.seconds), ex.epoch);
        int result = 0;
        const Fields back = CalendarOf(ex.epoch, &result);
        EXPECT_EQ(result, 1);
        EXPECT_EQ(back.year, f.year);
        EXPECT_EQ(back.month, f.month);
        EXPECT_EQ(back.day, f.day);
        EXPECT_EQ(back.hour, f.hour);
        EXPECT_EQ(back.minute, f.minute);
        EXPECT_EQ(back.seconds, f.seconds);
    }
}

// Every day from 1969 to 2500 against the standard library's civil calendar,
// including the last days of leap years and of 400-year cycles.
TEST(DateTime, EveryDayFrom1969MatchesTheCivilCalendar) {
    using namespace std::chrono;
    const sys_days first = year{1969} / January / 1;
    const sys_days last = year{2500} / December / 31;
    for (sys_days d = first; d <= last; d += days{1}) {
        const year_month_day ymd{d};
        const auto y = static_cast<int>(ymd.year());
        const auto m = static_cast<int>(static_cast<unsigned>(ymd.month()));
        const auto dd = static_cast<int>(static_cast<unsigned>(ymd.day()));
        const double expected = static_cast<double>(d.time_since_epoch().count()) * 86400.0;
        ASSERT_EQ(EpochFromCalendar(y, m, dd, 0, 0, 0.0f), expected) << y << "-" << m << "-" << dd;
        int result = 0;
        const Fields back = CalendarOf(expected + 43199.0, &result);
        ASSERT_EQ(result, 1);
        ASSERT_EQ(back.year, y);
        ASSERT_EQ(back.month, m);
        ASSERT_EQ(back.day, dd) << y << "-" << m;
        ASSERT_EQ(back.hour, 11);
        ASSERT_EQ(back.minute, 59);
        ASSERT_EQ(back.seconds, 59.0f);
    }
}

TEST(DateTime, CalendarFromEpochSplitsDaysTimeOfDayAndFraction) {
    const struct {
        double t;
        Fields expected;
    } cases[] = {
        // More than a day: formatted as a duration only 01:00:00 shows.
        {90000.0, {1970, 1, 2, 1, 0, 0.0f}},
        {3599.5, {1970, 1, 1, 0, 59, 59.5f}},
        {86399.25, {1970, 1, 1, 23, 59, 59.25f}},
    };
    for (const auto& c : cases) {
        const Fields f = CalendarOf(c.t);
        EXPECT_EQ(f.year, c.expected.year) << c.t;
        EXPECT_EQ(f.month, c.expected.month) << c.t;
        EXPECT_EQ(f.day, c.expected.day) << c.t;
        EXPECT_EQ(f.hour, c.expected.hour) << c.t;
        EXPECT_EQ(f.minute, c.expected.minute) << c.t;
        EXPECT_EQ(f.seconds, c.expected.seconds) << c.t;
    }
}

TEST(DateTime, FractionsBelowTheOffsetResolutionRoundToTheNextMinute) {
    for (double t : {59.9999999999, 6000 / 100.0000000001}) {
        const Fields f = CalendarOf(t);
        EXPECT_EQ(f.minute, 1) << t;
        EXPECT_EQ(f.seconds, 0.0f) << t;
    }
}

TEST(DateTime, YearsBefore1969CountLeapDaysByTruncatingDivision) {
    EXPECT_EQ(EpochFromCalendar(1968, 1, 1, 0, 0, 0.0f), -63072000.0);
    const Fields f = CalendarOf(-63072000.0);
    EXPECT_EQ(f.year, 1968);
    EXPECT_EQ(f.month, 1);
    EXPECT_EQ(f.day, 2);
}

TEST(DateTime, FieldsOutsideTheirRangesRollOver) {
    const auto at = [](int y, int mo, int d, int h = 0, int mi = 0, float s = 0.0f) {
        return EpochFromCalendar(y, mo, d, h, mi, s);
    };
    EXPECT_EQ(at(2007, 3, 0), at(2007, 2, 28)) << "day 0 is the last day of the month before";
    EXPECT_EQ(at(2008, 3, 0), at(2008, 2, 29));
    EXPECT_EQ(at(2007, 11, 29, 24), at(2007, 11, 30)) << "hour 24 is the next midnight";
    EXPECT_EQ(at(2007, 11, 29, 0, 0, 86400.0f), at(2007, 11, 30));
    EXPECT_EQ(at(2007, 0, 15), at(2007, 1, 15)) << "month 0 counts as January";
}

TEST(DateTime, MonthsBeyondTheYearCarryIntoNeighbouringYears) {
    const auto at = [](int y, int mo, int d) { return EpochFromCalendar(y, mo, d, 0, 0, 0.0f); };
    EXPECT_EQ(at(2007, 13, 5), at(2008, 1, 5));
    EXPECT_EQ(at(2007, 14, 29), at(2008, 2, 29));
    EXPECT_EQ(at(2007, 15, 1), at(2008, 3, 1)) << "the carried year's leap day counts";
    EXPECT_EQ(at(2007, 25, 1), at(2009, 1, 1));
    EXPECT_EQ(at(2007, -1, 1), at(2006, 11, 1));
    EXPECT_EQ(at(2007, -12, 1), at(2005, 12, 1));
    // Extreme months give some finite value instead of reading outside the table.
    for (int month :
         {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min()})
        EXPECT_TRUE(std::isfinite(at(2007, month, 1))) << month;
}

TEST(DateTime, LeapYearsFollowTheGregorianRule) {
    const struct {
        std::int32_t year;
        int leap;
    } cases[] = {{2000, 1}, {2400, 1}, {1900, 0}, {2100, 0}, {2004, 1},
                 {2007, 0}, {1600, 1}, {1, 0},    {0, 1},    {-4, 1}};
    for (const auto& c : cases) EXPECT_EQ(IsLeapYear(c.year), c.leap) << c.year;
}

TEST(DateTime, MonthDayFromYearDaySplitsOrFails) {
    const struct {
        std::int32_t dayOfYear, year;
        int result;
        std::int32_t month, day;
    } cases[] = {
        {1, 2007, 1, 1, 1},     {31, 2007, 1, 1, 31}, {32, 2007, 1, 2, 1}, {59, 2007, 1, 2, 28},
        {60, 2007, 1, 3, 1},    {60, 2008, 1, 2, 29}, {61, 2008, 1, 3, 1}, {365, 2007, 1, 12, 31},
        {366, 2008, 1, 12, 31}, {366, 2007, 0, 0, 0}, {0, 2007, 0, 0, 0},  {-3, 2007, 0, 0, 0},
        {1000, 2008, 0, 0, 0},
    };
    for (const auto& c : cases) {
        std::int32_t month = 99, day = 99;
        EXPECT_EQ(MonthDayFromYearDay(c.dayOfYear, c.year, month, day), c.result)
            << c.dayOfYear << "/" << c.year;
        EXPECT_EQ(month, c.month) << c.dayOfYear << "/" << c.year;
        EXPECT_EQ(day, c.day) << c.dayOfYear << "/" << c.year;
    }
}

TEST(DateTime, AnUnplaceableEpochLeavesTheDateUnwritten) {
    // Two days before 0001-01-01: the day of the year comes out below 1.
    int result = 1;
    const Fields f = CalendarOf(-62135596800.0 - 2 * 86400.0, &result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(f.year, -7);
    EXPECT_EQ(f.month, -7);
    EXPECT_EQ(f.day, -7);
    EXPECT_EQ(f.hour, 0) << "the time of day is written whatever the result";
    EXPECT_EQ(f.minute, 0);
    EXPECT_EQ(f.seconds, 0.0f);
}

TEST(DateTime, NonFiniteAndHugeEpochsFailWithoutUndefinedConversions) {
    const double huge = std::numeric_limits<double>::max();
    for (double t :
         {std::nan(""), std::numeric_limits<double>::infinity(), -huge, huge, 1e300, 1e17}) {
        int result = 1;
        const Fields f = CalendarOf(t, &result);
        EXPECT_EQ(result, 0) << t;
        EXPECT_EQ(f.year, -7) << t;
    }
}

TEST(DateTime, TheCalendarTypeCutsSecondsTowardZeroAndKeepsAnUnplaceableDate) {
    using platform::CalendarFields;
    const struct {
        double t;
        int result;
        CalendarFields expected;
    } cases[] = {
        {1196346645.5, 1, {2007, 11, 29, 14, 30, 45}},
        {-0.5, 1, {1969, 12, 31, 23, 59, 59}},
        {3599.5, 1, {1970, 1, 1, 0, 59, 59}},
        // Before 0001-01-01 only the time of day is written, and it is
        // negative: -58.25 s is cut to -58, not floored to -59.
        {-62135596800.0 - 2 * 86400.0 + 3661.75, 0, {-7, -7, -7, -22, -58, -58}},
    };
    for (const auto& c : cases) {
        CalendarFields f{-7, -7, -7, -7, -7, -7};
        EXPECT_EQ(CalendarFromEpoch(c.t, f), c.result) << c.t;
        const CalendarFields& e = c.expected;
        EXPECT_EQ((std::array{f.year, f.month, f.day, f.hour, f.minute, f.second}),
                  (std::array{e.year, e.month, e.day, e.hour, e.minute, e.second}))
            << c.t;
    }
    EXPECT_EQ(EpochFromCalendar(CalendarFields{2024, 3, 15, 10, 0, 0}), 1710496800.0);
}

}  // namespace
