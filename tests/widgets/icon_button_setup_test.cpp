#include <gtest/gtest.h>

#include <QIconEngine>
#include <QPainter>

#include "tests/widgets/widget_test_support.h"
#include "widgets/icon_button.h"
#include "widgets/resources.h"

using widgets::CIconButton;
using namespace widgets_test;

namespace {

// An icon that exists but has no picture to take a size from.
class PicturelessEngine : public QIconEngine {
public:
    void paint(QPainter*, const QRect&, QIcon::Mode, QIcon::State) override {}
    QIconEngine* clone() const override { return new PicturelessEngine; }
    QSize actualSize(const QSize&, QIcon::Mode, QIcon::State) override { return {}; }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {}; }
};

class IconButtonSetup : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApp();
        widgets::SetIconResolver([](int id) {
            switch (id) {
                case 130:
                    return SolidIcon({32, 32}, QColor(255, 0, 0));
                case 131:
                    return SolidIcon({16, 16}, QColor(0, 0, 255));
                case 140:
                    return SolidIcon({15, 21}, QColor(0, 255, 0));
                default:
                    return QIcon();
            }
        });
        widgets::SetCursorResolver([](int id) -> std::optional<QCursor> {
            if (id == 133) return QCursor(Qt::PointingHandCursor);
            return std::nullopt;
        });
    }
    void TearDown() override {
        widgets::SetIconResolver({});
        widgets::SetCursorResolver({});
    }

    static QRgb CentrePixel(const CIconButton::IconRecord& record) {
        const QImage image = record.icon.pixmap(QSize(record.width, record.height), 1.0).toImage();
        return image.pixel(image.width() / 2, image.height() / 2) & 0xFFFFFF;
    }

    QApplication& app = EnsureQtApp();  // before any widget
    CIconButton button;
};

TEST_F(IconButtonSetup, GrayOutIdMakesAGreyCopyOfTheInIcon) {
    EXPECT_EQ(button.SetIcon(130, CIconButton::kGrayOutIcon), 0);
    const auto& in = button.Icon(CIconButton::kInIcon);
    const auto& out = button.Icon(CIconButton::kOutIcon);
    EXPECT_EQ(in.width, 32);
    EXPECT_EQ(in.height, 32);
    EXPECT_EQ(CentrePixel(in), qRgb(255, 0, 0) & 0xFFFFFF);
    ASSERT_FALSE(out.icon.isNull());
    EXPECT_EQ(out.width, 32);
    EXPECT_EQ(CentrePixel(out), qRgb(76, 76, 76) & 0xFFFFFF);
}

TEST_F(IconButtonSetup, OutIdZeroMeansNoOutIconAndAPositiveIdLoadsIt) {
    EXPECT_EQ(button.SetIcon(130, 0), 0);
    EXPECT_TRUE(button.Icon(CIconButton::kOutIcon).icon.isNull());
    EXPECT_EQ(button.SetIcon(130, 131), 0);
    const auto& out = button.Icon(CIconButton::kOutIcon);
    EXPECT_EQ(out.width, 16);
    EXPECT_EQ(CentrePixel(out), qRgb(0, 0, 255) & 0xFFFFFF);
}

TEST_F(IconButtonSetup, IconSizeIsTwiceItsCentreSoOddSidesRoundDown) {
    EXPECT_EQ(button.SetIcon(140, CIconButton::kGrayOutIcon), 0);
    EXPECT_EQ(button.Icon(CIconButton::kInIcon).width, 14);
    EXPECT_EQ(button.Icon(CIconButton::kInIcon).height, 20);
    EXPECT_EQ(button.Icon(CIconButton::kOutIcon).width, 14);
}

TEST_F(IconButtonSetup, UnknownInIconIdLeavesNoIconsAndReportsIt) {
    button.SetIcon(130, CIconButton::kGrayOutIcon);
    EXPECT_EQ(button.SetIcon(999, CIconButton::kGrayOutIcon), 1);
    EXPECT_TRUE(button.Icon(CIconButton::kInIcon).icon.isNull());
    EXPECT_TRUE(button.Icon(CIconButton::kOutIcon).icon.isNull());

    widgets::SetIconResolver({});
    EXPECT_EQ(button.SetIcon(130, 0), 1);
}

TEST_F(IconButtonSetup, UnknownOutIconIdKeepsTheInIconAndReportsIt) {
    EXPECT_EQ(button.SetIcon(130, 998), 1);
    EXPECT_FALSE(button.Icon(CIconButton::kInIcon).icon.isNull());
    EXPECT_TRUE(button.Icon(CIconButton::kOutIcon).icon.isNull());
}

TEST_F(IconButtonSetup, IconsWithoutAPictureReleaseAllIcons) {
    const QIcon pictureless(new PicturelessEngine);
    const QIcon red = SolidIcon({8, 8}, Qt::red);
    struct Case {
        QIcon in, out;
        bool gray;
    };
    for (const Case& c : {Case{pictureless, QIcon(), false}, Case{red, pictureless, false},
                          Case{pictureless, QIcon(), true}}) {
        button.SetIcon(red, red);
        const int result =
            c.gray ? button.SetIcon(c.in, CIconButton::GrayCopy{}) : button.SetIcon(c.in, c.out);
        EXPECT_EQ(result, 1);
        EXPECT_TRUE(button.Icon(CIconButton::kInIcon).icon.isNull());
        EXPECT_TRUE(button.Icon(CIconButton::kOutIcon).icon.isNull());
    }
}

TEST_F(IconButtonSetup, NoInIconClearsBothIcons) {
    button.SetIcon(130, 131);
    EXPECT_EQ(button.SetIcon(QIcon(), SolidIcon({8, 8}, Qt::red)), 0);
    EXPECT_TRUE(button.Icon(CIconButton::kInIcon).icon.isNull());
    EXPECT_TRUE(button.Icon(CIconButton::kOutIcon).icon.isNull());
}

TEST_F(IconButtonSetup, HoverCursorIsShownOverTheButtonUntilReplaced) {
    EXPECT_EQ(button.SetHoverCursor(133, true), 0);
    EXPECT_TRUE(button.HasHoverCursor());
    EXPECT_TRUE(button.testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(button.cursor().shape(), Qt::PointingHandCursor);

    // An unknown cursor leaves the default one and reports it.
    EXPECT_EQ(button.SetHoverCursor(500, true), 1);
    EXPECT_FALSE(button.HasHoverCursor());
    EXPECT_EQ(button.cursor().shape(), Qt::ArrowCursor);

    button.SetHoverCursor(133, false);
    EXPECT_EQ(button.SetHoverCursor(0, true), 0);
    EXPECT_FALSE(button.HasHoverCursor());
    EXPECT_EQ(button.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(IconButtonSetup, ColoursComeFromThePaletteAndFollowItsChanges) {
    button.setPalette(TestPalette());
    for (auto index :
         {CIconButton::kBackgroundIn, CIconButton::kBackgroundOut, CIconButton::kBackgroundFocus})
        EXPECT_EQ(button.Color(index), kFace);
    for (auto index : {CIconButton::kTextIn, CIconButton::kTextOut, CIconButton::kTextFocus})
        EXPECT_EQ(button.Color(index), kText);

    QPalette other = TestPalette();
    other.setColor(QPalette::Button, QColor(1, 2, 3));
    button.setPalette(other);
    EXPECT_EQ(button.Color(CIconButton::kBackgroundOut), QColor(1, 2, 3));
}

TEST_F(IconButtonSetup, ImageRectPlacesTheIconAndNarrowsTheCaption) {
    struct Case {
        bool hasCaption, pressed;
        QRect item;
        QSize icon;
        QRect image;
        int captionLeft;
    };
    const Case cases[] = {
        // Caption: 3 pixels from the left, vertically centred.
        // The caption rectangle starts at width + margin.
        {true, false, QRect(0, 0, 80, 24), {16, 16}, QRect(3, 4, 16, 16), 19},
        // No caption: centred both ways; odd leftovers round toward zero.
        {false, false, QRect(0, 0, 41, 25), {16, 16}, QRect(12, 4, 16, 16), 0},
        // Pressed: one pixel right and down; the caption is shifted elsewhere.
        {true, true, QRect(0, 0, 80, 24), {16, 16}, QRect(4, 5, 16, 16), 19},
        {true, false, QRect(10, 2, 80, 24), {8, 20}, QRect(13, 4, 8, 20), 21},
        {false, true, QRect(0, 0, 40, 24), {16, 16}, QRect(13, 5, 16, 16), 0},
        // An icon larger than the item: (10 - 15) / 2 = -2.
        {false, false, QRect(5, 5, 10, 10), {15, 15}, QRect(3, 3, 15, 15), 5},
    };
    for (const Case& c : cases) {
        QRect caption = c.item;
        const QRect image = button.ComputeImageRect(c.hasCaption, c.item, caption, c.pressed,
                                                    c.icon.width(), c.icon.height());
        EXPECT_EQ(image, c.image) << c.hasCaption << c.pressed;
        EXPECT_EQ(caption.left(), c.captionLeft);
        EXPECT_EQ(caption.right(), c.item.right());
    }
}

}  // namespace
