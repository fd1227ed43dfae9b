#include "app/settings_text.h"

#include <gtest/gtest.h>

namespace {

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
