#include <gtest/gtest.h>

#include <QTest>

#include "tests/widgets/widget_test_support.h"
#include "widgets/icon_button.h"

using widgets::CIconButton;
using namespace widgets_test;

namespace {

const QColor kIconRed(255, 0, 0);

enum class State { Normal, Hover, Pressed };

class IconButtonPaint : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApp();
        button.setPalette(TestPalette());
        button.resize(40, 30);
        button.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    }

    QImage Paint(State state) {
        if (state != State::Normal) SendMouseMove(&button, button.rect().center());
        button.setDown(state == State::Pressed);
        QImage image = Grab(button);
        button.setDown(false);
        return image;
    }

    // Top-left corner of the first pixel of this colour, scanning rows.
    static QPoint FirstPixelOf(const QImage& image, QColor color) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == color.rgb()) return {x, y};
        return {-1, -1};
    }

    static int CountPixels(const QImage& image, QColor color) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == color.rgb();
        return count;
    }

    QApplication& app = EnsureQtApp();  // before any widget
    CIconButton button;
};

TEST_F(IconButtonPaint, BorderIsSunkenWhenPressedRaisedWhenHoveredAndAbsentOtherwise) {
    struct Case {
        State state;
        QColor topLeft, bottomRight;
    };
    for (const Case& c :
         {Case{State::Normal, kFace, kFace}, Case{State::Hover, kHighlight, kShadow},
          Case{State::Pressed, kShadow, kHighlight}}) {
        const QImage image = Paint(c.state);
        SCOPED_TRACE(static_cast<int>(c.state));
        // Top row and left column without their last pixel in the first colour...
        EXPECT_EQ(image.pixel(0, 0), c.topLeft.rgb());
        EXPECT_EQ(image.pixel(38, 0), c.topLeft.rgb());
        EXPECT_EQ(image.pixel(0, 28), c.topLeft.rgb());
        // ...the whole right column and bottom row in the second.
        EXPECT_EQ(image.pixel(39, 0), c.bottomRight.rgb());
        EXPECT_EQ(image.pixel(0, 29), c.bottomRight.rgb());
        EXPECT_EQ(image.pixel(39, 29), c.bottomRight.rgb());
        // One pixel wide; the rest is the face colour.
        EXPECT_EQ(image.pixel(1, 1), kFace.rgb());
        EXPECT_EQ(image.pixel(38, 28), kFace.rgb());
    }
}

TEST_F(IconButtonPaint, IconWithoutCaptionIsCentredAndMovesWhenPressed) {
    button.SetIcon(SolidIcon({10, 10}, kIconRed), CIconButton::GrayCopy{});
    struct Case {
        State state;
        QColor color;
        QPoint at;
    };
    const QColor gray(76, 76, 76);
    for (const Case& c :
         {Case{State::Normal, gray, {15, 10}}, Case{State::Hover, kIconRed, {15, 10}},
          Case{State::Pressed, kIconRed, {16, 11}}}) {
        const QImage image = Paint(c.state);
        EXPECT_EQ(FirstPixelOf(image, c.color), c.at) << static_cast<int>(c.state);
        EXPECT_EQ(CountPixels(image, c.color), 100);
    }
}

TEST_F(IconButtonPaint, IconWithCaptionSitsThreePixelsFromTheLeft) {
    button.resize(120, 30);
    button.setText(QStringLiteral("Все"));
    button.SetIcon(SolidIcon({10, 10}, kIconRed), QIcon());
    const QImage image = Paint(State::Normal);
    EXPECT_EQ(FirstPixelOf(image, kIconRed), QPoint(3, 10));
}

TEST_F(IconButtonPaint, CaptionIsCentredInTheSpaceRightOfTheIcon) {
    QFont font = button.font();
    font.setPixelSize(16);
    font.setStyleStrategy(QFont::NoAntialias);
    button.setFont(font);
    button.resize(200, 40);
    button.setText(QStringLiteral("ВВВ"));
    button.SetIcon(SolidIcon({20, 20}, kIconRed), QIcon());
    const QImage image = Paint(State::Normal);
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == kText.rgb()) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, 0) << "caption not drawn in the text colour";
    // The caption frame starts after the icon, at 20 + 3, and ends at the right edge.
    const int frameCentre = (23 + 199) / 2;
    EXPECT_NEAR((left + right) / 2, frameCentre, 3);
    EXPECT_NEAR((top + bottom) / 2, 20, 4);
}

TEST_F(IconButtonPaint, DisabledCaptionIsEngravedAndIconUsesTheDisabledRendering) {
    QFont font = button.font();
    font.setPixelSize(18);
    font.setStyleStrategy(QFont::NoAntialias);  // exact colours for every glyph pixel
    button.setFont(font);
    button.resize(160, 40);
    button.setText(QStringLiteral("ВЫХОД"));
    button.SetIcon(SolidIcon({10, 10}, kIconRed), QIcon());
    button.setEnabled(false);
    const QImage image = Paint(State::Normal);

    EXPECT_EQ(CountPixels(image, kText), 0);
    ASSERT_GT(CountPixels(image, kShadow), 0);
    ASSERT_GT(CountPixels(image, kHighlight), 0);
    // The highlight copy lies one pixel below and right of the shadow copy.
    int shadowBottom = -1, highlightBottom = -1, shadowRight = -1, highlightRight = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 30; x < image.width(); ++x) {
            if (image.pixel(x, y) == kShadow.rgb()) {
                shadowBottom = std::max(shadowBottom, y);
                shadowRight = std::max(shadowRight, x);
            }
            if (image.pixel(x, y) == kHighlight.rgb()) {
                highlightBottom = std::max(highlightBottom, y);
                highlightRight = std::max(highlightRight, x);
            }
        }
    EXPECT_EQ(highlightBottom, shadowBottom + 1);
    EXPECT_EQ(highlightRight, shadowRight + 1);

    EXPECT_EQ(CountPixels(image, kIconRed), 0);
    const QRgb iconPixel = image.pixel(8, 15);
    EXPECT_NE(iconPixel, kFace.rgb());
}

TEST_F(IconButtonPaint, NoFocusRectangleIsDrawn) {
    const QImage unfocused = Paint(State::Normal);
    button.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&button));
    button.setFocus();
    ASSERT_TRUE(button.hasFocus());
    EXPECT_EQ(Paint(State::Normal), unfocused);
}

}  // namespace
