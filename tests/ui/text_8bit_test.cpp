#include "ui/text_8bit.h"

#include <gtest/gtest.h>

namespace {

struct DecodeCase {
    const char* name;
    std::string bytes;
    bool validUtf8;
    const char16_t* expected;
};

TEST(Text8, ShowsUtf8AsUtf8AndEverythingElseAsCodePage1251) {
    const DecodeCase cases[] = {
        {"ascii", "SHZ 100.000", true, u"SHZ 100.000"},
        {"utf8 cyrillic", "\xD0\xA1\xD1\x82\xD0\xB0\xD0\xBD\xD1\x86\xD0\xB8\xD1\x8F", true,
         u"Станция"},
        {"cp1251 cyrillic", "\xD1\xF2\xE0\xED\xF6\xE8\xFF", false, u"Станция"},
        // CF A8 alone would be a valid UTF-8 pair; the whole text is not UTF-8.
        {"cp1251 with accidental utf8 pair", "\xCF\xA8\xD2\xD0", false, u"ПЁТР"},
        {"cp1251 punctuation", "\xB9 \xAB\x96\xBB", false, u"№ «–»"},
        {"cp1251 unassigned byte", "a\x98z", false, u"a\uFFFDz"},
        {"four-byte utf8", "\xF0\x9F\x98\x80", true, u"\U0001F600"},
        {"overlong slash", "\xC0\xAF", false, u"\u0410\u0407"},
        {"utf16 surrogate encoded", "\xED\xA0\x80", false, u"\u043D\u00A0\u0402"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", false, u"\u0444\u0452\u0402\u0402"},
        {"truncated pair at the end", "ok\xD0", false, u"ok\u0420"},
        {"lone continuation", "\x80", false, u"\u0402"},
        {"empty", "", true, u""},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(app::IsValidUtf8(c.bytes), c.validUtf8);
        EXPECT_EQ(app::FromText8(c.bytes), QString::fromUtf16(c.expected));
    }
}

TEST(Text8, CodePage1251CoversTheWholeCyrillicAlphabet) {
    std::string upper, lower;
    for (int b = 0xC0; b <= 0xDF; ++b) {
        upper.push_back(static_cast<char>(b));
        lower.push_back(static_cast<char>(b + 0x20));
    }
    EXPECT_EQ(app::DecodeCp1251(upper), QStringLiteral("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"));
    EXPECT_EQ(app::DecodeCp1251(lower), QStringLiteral("абвгдежзийклмнопрстуфхцчшщъыьэюя"));
    EXPECT_EQ(app::DecodeCp1251("\xA8\xB8"), QStringLiteral("Ёё"));
}

TEST(Text8, DialogTextGoesBackAsUtf8) {
    EXPECT_EQ(app::ToText8(QStringLiteral("00:30:00")), "00:30:00");
    EXPECT_EQ(app::ToText8(QStringLiteral("Ё")), "\xD0\x81");
}

}  // namespace
