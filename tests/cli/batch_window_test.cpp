#include "cli/batch_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using cli::BatchOptions;

struct Texts {
    const char* start = nullptr;
    const char* duration = nullptr;
    const char* end = nullptr;
    const char* since = nullptr;
};

cli::ResolvedWindow Resolve(const Texts& t, const platform::CalendarFields& now) {
    BatchOptions o;
    o.mode = cli::BatchMode::Window;
    if (t.start) o.start = t.start;
    if (t.duration) o.duration = t.duration;
    if (t.end) o.end = t.end;
    if (t.since) o.since = t.since;
    platform::KelvaronSettings settings;
    settings.start = {2024, 3, 15, 10, 0, 0};
    settings.duration = "000 02:00:00";
    return cli::ResolveBatchWindow(o, settings, now);
}

std::string Shown(const cli::BatchWindow& w) {
    const platform::CalendarFields& t = w.start;
    char text[64];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d %02d/%02d/%04d + ", t.hour, t.minute, t.second,
                  t.day, t.month, t.year);
    return text + w.duration;
}

constexpr platform::CalendarFields kNoon{2024, 3, 15, 12, 0, 0};
constexpr platform::CalendarFields kNewYear{2024, 1, 1, 0, 30, 0};

TEST(BatchWindow, EveryFormOfTheSameWindow) {
    struct Case {
        Texts texts;
        platform::CalendarFields now;
        const char* window;
    } cases[] = {
        {{}, kNoon, "10:00:00 15/03/2024 + 000 02:00:00"},  // kelvaron.ini's
        {{"10:00:00 15/03/2024"}, kNoon, "10:00:00 15/03/2024 + 000 02:00:00"},
        {{"10,00 00  15/03 2024"}, kNoon, "10:00:00 15/03/2024 + 000 02:00:00"},
        {{"2024-03-15T10:00:00"}, kNoon, "10:00:00 15/03/2024 + 000 02:00:00"},
        {{"2024-03-15 10:00"}, kNoon, "10:00:00 15/03/2024 + 000 02:00:00"},
        {{"-2h"}, kNoon, "10:00:00 15/03/2024 + 000 02:00:00"},
        {{"-7200", nullptr, "now"}, kNoon, "10:00:00 15/03/2024 + 000 02:00:00"},
        {{nullptr, nullptr, nullptr, "2h"}, kNoon, "10:00:00 15/03/2024 + 000 02:00:00"},
        {{nullptr, nullptr, "2024-03-15T10:30"}, kNoon, "10:00:00 15/03/2024 + 000 00:30:00"},
        {{nullptr, "90"}, kNoon, "10:00:00 15/03/2024 + 000 00:01:30"},
        {{nullptr, "1d"}, kNoon, "10:00:00 15/03/2024 + 001 00:00:00"},
        {{nullptr, "00:10:00"}, kNoon, "10:00:00 15/03/2024 + 000 00:10:00"},
        {{nullptr, "002 00:00:00"}, kNoon, "10:00:00 15/03/2024 + 002 00:00:00"},
        {{"-1h", "30m"}, kNewYear, "23:30:00 31/12/2023 + 000 00:30:00"},
        {{nullptr, nullptr, nullptr, "1d"}, kNewYear, "00:30:00 31/12/2023 + 001 00:00:00"},
    };
    for (const Case& c : cases) {
        const cli::ResolvedWindow r = Resolve(c.texts, c.now);
        ASSERT_EQ(r.usageError, "") << c.window;
        ASSERT_FALSE(r.invalidTime) << c.window;
        EXPECT_EQ(Shown(r.window), c.window);
    }
}

TEST(BatchWindow, TextsOutsideTheirFormsAreUsageErrorsAndImpossibleTimesAreRefused) {
    struct Case {
        Texts texts;
        bool usage;  // else: a time of the right form that does not exist
    } cases[] = {
        {{"15/03/24"}, true},
        {{"10:00:00 15/03/24"}, true},  // not year 24
        {{"10:00:00 15/03/20245"}, true},
        {{"10:00:00 15/03/2024 2024"}, true},
        {{"10:00:00 15/03/2024x"}, true},
        {{"10:-5:00 15/03/2024"}, true},
        {{"12:00"}, true},
        {{"2024-03-15T10"}, true},
        {{"-2x"}, true},
        {{"yesterday"}, true},
        {{nullptr, "2x"}, true},
        {{nullptr, "1000d"}, true},
        {{nullptr, nullptr, nullptr, "86400000"}, true},
        {{nullptr, "1 01:00:00"}, true},
        {{nullptr, "abc def ghi!"}, true},
        {{nullptr, nullptr, "-3h"}, true},         // ends before it starts
        {{nullptr, nullptr, "2027-01-01"}, true},  // more than 999 days
        {{nullptr, "1h", "now"}, true},
        {{"-2h", nullptr, nullptr, "2h"}, true},
        {{nullptr, nullptr, nullptr, "-2h"}, true},
        {{"2024-02-30T10:00"}, false},
        {{"25:00:00 15/03/2024"}, false},
        {{"2023-02-29"}, false},
        {{nullptr, nullptr, "2024-13-01"}, false},
    };
    for (const Case& c : cases) {
        const cli::ResolvedWindow r = Resolve(c.texts, kNoon);
        const std::string shown = std::string(c.texts.start ? c.texts.start : "-") + " | " +
                                  (c.texts.duration ? c.texts.duration : "-") + " | " +
                                  (c.texts.end ? c.texts.end : "-") + " | " +
                                  (c.texts.since ? c.texts.since : "-");
        EXPECT_EQ(!r.usageError.empty(), c.usage) << shown;
        EXPECT_EQ(r.invalidTime, !c.usage) << shown;
    }
}

}  // namespace
