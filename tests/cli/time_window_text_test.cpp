#include "cli/time_window_text.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

using platform::CalendarFields;

std::vector<int> FieldsOf(const platform::CalendarFields& t) {
    return {t.year, t.month, t.day, t.hour, t.minute, t.second};
}

TEST(TimeWindowText, IsoDateTimeOnlyInFull) {
    struct Case {
        const char* text;
        std::optional<std::vector<int>> fields;
    } cases[] = {
        {"2024-03-15T10:20:30", {{2024, 3, 15, 10, 20, 30}}},
        {"2024-03-15 10:20:30", {{2024, 3, 15, 10, 20, 30}}},
        {"2024-03-15T10:20", {{2024, 3, 15, 10, 20, 0}}},
        {"2024-03-15 10:20", {{2024, 3, 15, 10, 20, 0}}},
        {"2024-03-15", {{2024, 3, 15, 0, 0, 0}}},
        {"2024-02-30T10:00", {{2024, 2, 30, 10, 0, 0}}},  // the range check is the caller's
        {"24-03-15", std::nullopt},
        {"15/03/24", std::nullopt},
        {"2024-3-15", std::nullopt},
        {"2024-03-15T10", std::nullopt},
        {"2024-03-15T10:2", std::nullopt},
        {"2024-03-15T10:20:30Z", std::nullopt},
        {"2024-03-15T10:20:30+01:00", std::nullopt},
        {"2024-03-15 10:20:30 ", std::nullopt},
        {" 2024-03-15", std::nullopt},
        {"2024/03/15 10:20", std::nullopt},
        {"2024-03-15x10:20", std::nullopt},
        {"2024-03-15T-1:20", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto parsed = engine::ParseIsoDateTime(c.text);
        ASSERT_EQ(parsed.has_value(), c.fields.has_value()) << c.text;
        if (parsed) {
            EXPECT_EQ(FieldsOf(*parsed), *c.fields) << c.text;
        }
    }
}

TEST(TimeWindowText, DurationsAndOffsets) {
    struct Case {
        const char* text;
        std::optional<std::int64_t> seconds;
    } durations[] = {
        {"0", 0},
        {"90", 90},
        {"45s", 45},
        {"30m", 1800},
        {"2h", 7200},
        {"1d", 86400},
        {"999d", 999 * 86400},
        {"999999999999d", 999999999999LL * 86400},
        {"1000000000000", std::nullopt},
        {"", std::nullopt},
        {"h", std::nullopt},
        {"2x", std::nullopt},
        {"2H", std::nullopt},
        {"-2h", std::nullopt},
        {"2h30m", std::nullopt},
        {"1.5h", std::nullopt},
        {" 2h", std::nullopt},
        {"2h ", std::nullopt},
    };
    for (const Case& c : durations)
        EXPECT_EQ(engine::ParseLengthSeconds(c.text), c.seconds) << c.text;

    const Case offsets[] = {
        {"now", 0},
        {"-2h", -7200},
        {"-90", -90},
        {"-1d", -86400},
        {"-600000000", -600000000},
        {"2h", std::nullopt},
        {"+2h", std::nullopt},
        {"-", std::nullopt},
        {"--2h", std::nullopt},
        {"Now", std::nullopt},
    };
    for (const Case& c : offsets)
        EXPECT_EQ(engine::ParseOffsetFromNow(c.text), c.seconds) << c.text;
}

// Checked against the standard calendar, not against the epoch formula.
TEST(TimeWindowText, ShiftsCarryLikeTheCalendar) {
    using namespace std::chrono;
    const std::int64_t shifts[] = {-7200, -1, 1, -86400, -90061, 86400 * 60 + 3661, -86400 * 400};
    for (sys_days d = sys_days{2023y / December / 1}; d < sys_days{2025y / April / 1};
         d += days{7}) {
        for (const int secondOfDay : {0, 1800, 43199, 86399}) {
            const sys_seconds from = d + seconds{secondOfDay};
            const year_month_day ymd{d};
            const hh_mm_ss hms{seconds{secondOfDay}};
            const platform::CalendarFields t{
                int(ymd.year()),          int(unsigned(ymd.month())), int(unsigned(ymd.day())),
                int(hms.hours().count()), int(hms.minutes().count()), int(hms.seconds().count())};
            for (const std::int64_t shift : shifts) {
                const sys_seconds to = from + seconds{shift};
                const year_month_day toDate{floor<days>(to)};
                const hh_mm_ss toTime{to - floor<days>(to)};
                const std::vector<int> expected = {int(toDate.year()),
                                                   int(unsigned(toDate.month())),
                                                   int(unsigned(toDate.day())),
                                                   int(toTime.hours().count()),
                                                   int(toTime.minutes().count()),
                                                   int(toTime.seconds().count())};
                const platform::CalendarFields shifted = engine::ShiftedBy(t, shift);
                ASSERT_EQ(FieldsOf(shifted), expected)
                    << int(ymd.year()) << "-" << unsigned(ymd.month()) << "-" << unsigned(ymd.day())
                    << " + " << shift;
                ASSERT_EQ(engine::SecondsBetween(t, shifted), shift);
            }
        }
    }
}

TEST(TimeWindowText, DurationFieldText) {
    const std::pair<std::int64_t, std::optional<std::string>> cases[] = {
        {0, "000 00:00:00"},          {90061, "001 01:01:01"},
        {7200, "000 02:00:00"},       {999 * 86400 + 86399, "999 23:59:59"},
        {1000 * 86400, std::nullopt}, {-1, std::nullopt},
    };
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(engine::DurationFieldText(seconds), text) << seconds;
}

}  // namespace
