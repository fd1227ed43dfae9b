#include "controls/mask_rules.h"

#include <gtest/gtest.h>

#include <string>

using controls::CheckTypedChar;
using controls::MaskCharAccepts;
using controls::MaskSettings;
using controls::Verdict;

namespace {

struct ClassCase {
    char mask;
    std::string accepted;
    std::string refused;
};

TEST(MaskRules, EachMaskCharacterAcceptsItsClassAndBeepsOnTheRest) {
    const ClassCase cases[] = {
        {'0', "0123456789", "aZ -:/"}, {'9', "09aZ-:/~", " "},
        {'#', "0189 km", "aKMz-:"},    {'L', "aAzZ", "09 -_"},
        {'?', "aZ ", "09-:"},          {'A', "aZ09", " -:"},
        {'a', "aZ09 ", "-:/"},         {'&', " aZ09-:~", ""},
        {':', "", "09aZ :"},           {'_', "", "09aZ "},
    };
    for (const auto& c : cases) {
        for (char ch : c.accepted)
            EXPECT_EQ(MaskCharAccepts(c.mask, ch), Verdict::Accept)
                << "mask '" << c.mask << "' char '" << ch << "'";
        for (char ch : c.refused)
            EXPECT_EQ(MaskCharAccepts(c.mask, ch), Verdict::RefuseWithBeep)
                << "mask '" << c.mask << "' char '" << ch << "'";
    }
}

TEST(MaskRules, PrintableMeansSevenBitGraphicOrBlank) {
    EXPECT_TRUE(controls::IsPrintable(' '));
    EXPECT_TRUE(controls::IsPrintable('~'));
    EXPECT_FALSE(controls::IsPrintable('\b'));
    EXPECT_FALSE(controls::IsPrintable('\x7f'));
    EXPECT_FALSE(controls::IsPrintable('\xe0'));  // a Cyrillic letter in code page 1251
}

struct DateLimitCase {
    const char* text;
    std::size_t pos;
    char ch;
    bool within;
};

TEST(MaskRules, DateLimitsBoundTheFirstDigitsOfDayAndMonth) {
    const DateLimitCase cases[] = {
        {"01/01/2000", 0, '3', true},
        {"01/01/2000", 0, '4', false},
        {"31/01/2000", 1, '1', true},
        {"31/01/2000", 1, '2', false},
        {"21/01/2000", 1, '9', true},
        {"01/01/2000", 3, '1', true},
        {"01/01/2000", 3, '2', false},
        {"01/12/2000", 4, '2', true},
        {"01/12/2000", 4, '3', false},
        {"01/02/2000", 4, '9', true},
        {"01/01/2000", 6, '9', true},
        {"", 1, '9', true},
        {"", 4, '9', true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(controls::WithinDateLimits(c.text, c.pos, c.ch), c.within)
            << c.text << " pos " << c.pos << " char " << c.ch;
}

TEST(MaskRules, LiteralAtSkipsInputPositionsAndEmptyTemplates) {
    EXPECT_EQ(controls::LiteralAt("___ __:__:__", 3), ' ');
    EXPECT_EQ(controls::LiteralAt("___ __:__:__", 6), ':');
    EXPECT_FALSE(controls::LiteralAt("___ __:__:__", 4));
    EXPECT_FALSE(controls::LiteralAt("___ __:__:__", 12));
    EXPECT_FALSE(controls::LiteralAt("", 0));
}

const MaskSettings kDuration{"000 00:00:00", "___ __:__:__", "000 00:01:00", false};

TEST(MaskRules, TypingOnALiteralWritesItAndJudgesTheNextPosition) {
    const auto check = CheckTypedChar(kDuration, "000 00:30:00", 3, '5');
    EXPECT_EQ(check.verdict, Verdict::Accept);
    EXPECT_EQ(check.literal, ' ');
    EXPECT_EQ(check.position, 4u);
}

TEST(MaskRules, TypedCharacterDecisions) {
    const MaskSettings noLiterals{"00:00", "", "", false};
    const MaskSettings dates{"00/00/0000", "__/__/____", "", true};
    const MaskSettings endsInLiteral{"00:", "__:", "", false};
    struct Case {
        const char* name;
        MaskSettings settings;
        const char* text;
        std::size_t caret;
        char ch;
        Verdict verdict;
    };
    const Case cases[] = {
        {"digit on digit", kDuration, "000 00:30:00", 0, '7', Verdict::Accept},
        {"letter on digit", kDuration, "000 00:30:00", 0, 'x', Verdict::RefuseWithBeep},
        {"always-valid blank over digit", kDuration, "000 00:30:00", 1, ' ', Verdict::Accept},
        {"always-valid colon over digit", kDuration, "000 00:30:00", 0, ':', Verdict::Accept},
        {"at the end of the mask", kDuration, "000 00:30:00", 12, '1', Verdict::RefuseWithBeep},
        {"past the end of the mask", kDuration, "000 00:30:00", 20, '1', Verdict::RefuseWithBeep},
        {"control character passes", kDuration, "000 00:30:00", 20, '\x16', Verdict::Accept},
        {"literal position without template", noLiterals, "00:00", 2, '1', Verdict::RefuseWithBeep},
        {"empty mask refuses everything", MaskSettings{}, "", 0, '1', Verdict::RefuseWithBeep},
        {"day tens above 3", dates, "01/01/2000", 0, '4', Verdict::RefuseSilently},
        {"month tens above 1 after literal", dates, "01/01/2000", 2, '2', Verdict::RefuseSilently},
        {"month tens 1 after literal", dates, "01/01/2000", 2, '1', Verdict::Accept},
        {"letter beeps despite date checks", dates, "01/01/2000", 0, 'a', Verdict::RefuseWithBeep},
        {"literal as last position", endsInLiteral, "12:", 2, '1', Verdict::RefuseWithBeep},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckTypedChar(c.settings, c.text, c.caret, c.ch).verdict, c.verdict) << c.name;
}

TEST(MaskRules, DateLimitSeesTheLiteralJustWritten) {
    // The literal '1' written at 3 becomes the month's tens digit that the
    // limit of position 4 reads, exactly as the control's own text would.
    const MaskSettings settings{"00/X0", "___1_", "", true};
    const auto check = CheckTypedChar(settings, "01/90", 3, '5');
    EXPECT_EQ(check.literal, '1');
    EXPECT_EQ(check.position, 4u);
    EXPECT_EQ(check.verdict, Verdict::RefuseSilently);
    EXPECT_EQ(CheckTypedChar(settings, "01/90", 3, '2').verdict, Verdict::Accept);
}

TEST(MaskRules, OverwriteIgnoresPositionsOutsideTheText) {
    std::string text = "000";
    controls::OverwriteAt(text, 1, '5');
    controls::OverwriteAt(text, 3, '9');
    EXPECT_EQ(text, "050");
}

}  // namespace
