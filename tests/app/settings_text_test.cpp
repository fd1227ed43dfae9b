#include "app/settings_text.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingsText, TimeQtyIsRepairedToDaysHoursMinutesSeconds) {
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
    for (const auto& [in, out] : cases) EXPECT_EQ(app::RepairTimeQty(in), out) << '"' << in << '"';
}

TEST(SettingsText, StartTimeFieldsThatCannotBeReadKeepTheirDefaults) {
    struct Case {
        const char* text;
        app::StartFields expected;
    };
    const Case cases[] = {
        {"00:00:00 01/01/2000", {2000, 1, 1, 0, 0, 0}},
        {"12:30:45 29/11/2007", {2007, 11, 29, 12, 30, 45}},
        {"12:30:00", {2000, 1, 1, 12, 30, 0}},
        {"12:30", {2000, 1, 1, 12, 30, 0}},
        {"", {2000, 1, 1, 0, 0, 0}},
        {"garbage", {2000, 1, 1, 0, 0, 0}},
        {"12:30:00 31/02/2007", {2007, 2, 31, 12, 30, 0}},  // read, not checked
    };
    for (const Case& c : cases) {
        const app::StartFields f = app::ParseStartTime(c.text);
        EXPECT_EQ(f.year, c.expected.year) << c.text;
        EXPECT_EQ(f.month, c.expected.month) << c.text;
        EXPECT_EQ(f.day, c.expected.day) << c.text;
        EXPECT_EQ(f.hour, c.expected.hour) << c.text;
        EXPECT_EQ(f.minute, c.expected.minute) << c.text;
        EXPECT_EQ(f.second, c.expected.second) << c.text;
    }
}

TEST(SettingsText, FreeSpaceIsWholeMebibytesWithoutOverflow) {
    const std::uint64_t GiB = 1ull << 30;
    EXPECT_EQ(app::FreeSpaceText(5 * GiB), QStringLiteral("Доступно 5120 Мб"));
    EXPECT_EQ(app::FreeSpaceText((1ull << 20) - 1), QStringLiteral("Доступно 0 Мб"));
    // Beyond 2 TiB a 32-bit count would turn negative.
    EXPECT_EQ(app::FreeSpaceText(3 * 1024 * GiB), QStringLiteral("Доступно 3145728 Мб"));
    EXPECT_EQ(app::FreeSpaceText(std::uint64_t(1) << 63),
              QStringLiteral("Доступно 8796093022208 Мб"));
    EXPECT_EQ(app::FreeSpaceText(std::nullopt), QStringLiteral("Ошибка"));
}

}  // namespace
