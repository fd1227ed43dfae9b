#include "res/dialog_units.h"

#include <gtest/gtest.h>

#include <set>

#include "res/dialog_templates.h"

namespace {

TEST(DialogUnits, MulDivRoundsHalfAwayFromZero) {
    struct Case {
        int a, b, c, expected;
    };
    const Case cases[] = {
        {7, 6, 4, 11},      // 10.5
        {-7, 6, 4, -11},    // -10.5
        {5, 6, 4, 8},       // 7.5
        {9, 13, 8, 15},     // 14.625
        {3, 13, 8, 5},      // 4.875
        {1, 13, 8, 2},      // 1.625
        {227, 13, 8, 369},  // 368.875
        {0, 13, 8, 0},
        {1, 1, 0, -1},                         // division by zero
        {1 << 20, 1 << 20, 1 << 20, 1 << 20},  // no 32-bit overflow inside
    };
    for (const Case& c : cases)
        EXPECT_EQ(res::MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(DialogUnits, BaseWidthIsTheRoundedAverageOfTheLetters) {
    EXPECT_EQ(res::BaseUnitsFromMetrics(312, 13).cx, 6);  // 6.0
    EXPECT_EQ(res::BaseUnitsFromMetrics(286, 13).cx, 6);  // 5.5 rounds up
    EXPECT_EQ(res::BaseUnitsFromMetrics(285, 13).cx, 5);  // 5.48
    EXPECT_EQ(res::BaseUnitsFromMetrics(312, 13).cy, 13);
}

TEST(DialogUnits, MainDialogKeepsItsTemplateProportions) {
    const res::DialogBaseUnits units{6, 13};
    const res::DialogTemplate& t = res::ConverterDialogTemplate();
    EXPECT_EQ(res::DialogUnitsToPixels(units, t.cx, t.cy), QSize(530, 369));
    const res::ControlTemplate* convert = t.Find(1);
    ASSERT_NE(convert, nullptr);
    EXPECT_EQ(res::DialogUnitsToPixels(units, convert->x, convert->y, convert->cx, convert->cy),
              QRect(393, 16, 126, 34));
    // Twice the base units, twice the pixels (within rounding).
    const res::DialogBaseUnits doubled{12, 26};
    const QSize big = res::DialogUnitsToPixels(doubled, t.cx, t.cy);
    EXPECT_NEAR(big.width(), 2 * 530, 1);
    EXPECT_NEAR(big.height(), 2 * 369, 1);
}

TEST(DialogTemplates, ControlsLieInsideTheirDialogWithUniqueIds) {
    for (const res::DialogTemplate* t :
         {&res::ConverterDialogTemplate(), &res::AboutDialogTemplate()}) {
        SCOPED_TRACE(t->caption);
        std::set<int> ids;
        for (const res::ControlTemplate& c : t->controls) {
            EXPECT_GE(c.x, 0);
            EXPECT_GE(c.y, 0);
            EXPECT_LE(c.x + c.cx, t->cx) << c.id;
            EXPECT_LE(c.y + c.cy, t->cy) << c.id;
            if (c.id != res::kStaticId) {
                EXPECT_TRUE(ids.insert(c.id).second) << "duplicate id " << c.id;
            }
        }
    }
    EXPECT_EQ(res::FindDialogTemplate(102), &res::ConverterDialogTemplate());
    EXPECT_EQ(res::FindDialogTemplate(100), &res::AboutDialogTemplate());
    EXPECT_EQ(res::FindDialogTemplate(101), nullptr);
}

TEST(DialogTemplates, ChannelGroupEnclosesTheChannelControls) {
    const res::DialogTemplate& t = res::ConverterDialogTemplate();
    const res::ControlTemplate* group = nullptr;
    for (const res::ControlTemplate& c : t.controls)
        if (c.kind == res::ControlKind::GroupBox) group = &c;
    ASSERT_NE(group, nullptr);
    for (int id : {1024, 1016, 1017, 1023}) {
        const res::ControlTemplate* c = t.Find(id);
        ASSERT_NE(c, nullptr) << id;
        EXPECT_GT(c->x, group->x) << id;
        EXPECT_GT(c->y, group->y) << id;
        EXPECT_LT(c->x + c->cx, group->x + group->cx) << id;
        EXPECT_LT(c->y + c->cy, group->y + group->cy) << id;
    }
}

}  // namespace
