#include "platform/interface_language.h"

#include <gtest/gtest.h>

namespace {

TEST(ChooseInterfaceLanguage, EnglishOnlyWhenAskedForTheEnvironmentFirst) {
    using platform::InterfaceLanguage;
    const struct {
        const char* environment;
        const char* ini;
        InterfaceLanguage want;
    } cases[] = {
        {"", "", InterfaceLanguage::Russian},     {"", "en", InterfaceLanguage::English},
        {"", "EN", InterfaceLanguage::English},   {"en_GB.UTF-8", "", InterfaceLanguage::English},
        {"ru", "en", InterfaceLanguage::Russian}, {"en", "ru", InterfaceLanguage::English},
        {"", "eng", InterfaceLanguage::Russian},  {"", "e", InterfaceLanguage::Russian},
        {"de", "", InterfaceLanguage::Russian},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::ChooseInterfaceLanguage(c.environment, c.ini), c.want)
            << "'" << c.environment << "' '" << c.ini << "'";
}

}  // namespace
