#include "widgets/gray_image.h"

#include <gtest/gtest.h>

#include "tests/widgets/widget_test_support.h"
#include "widgets/icon_button.h"

namespace {

TEST(GrayImage, GreyLevelOfPrimaryAndNeutralColours) {
    struct Case {
        int red, green, blue, gray;
    };
    const Case cases[] = {
        {0, 0, 0, 0},         {255, 0, 0, 76},      {0, 255, 0, 149}, {0, 0, 255, 29},
        {128, 128, 128, 128}, {255, 255, 255, 255}, {0, 0, 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(widgets::GrayLevel(c.red, c.green, c.blue), c.gray)
            << c.red << "," << c.green << "," << c.blue;
}

TEST(GrayImage, EveryPixelTurnsGreyAndKeepsItsAlpha) {
    QImage source(2, 1, QImage::Format_ARGB32);
    source.setPixel(0, 0, qRgba(255, 0, 0, 255));
    source.setPixel(1, 0, qRgba(0, 0, 255, 40));
    const QImage gray = widgets::MakeGrayImage(source);
    ASSERT_EQ(gray.size(), source.size());
    EXPECT_EQ(gray.pixel(0, 0), qRgba(76, 76, 76, 255));
    EXPECT_EQ(gray.pixel(1, 0), qRgba(29, 29, 29, 40));
    EXPECT_TRUE(widgets::MakeGrayImage(QImage()).isNull());
}

TEST(GrayImage, GrayIconIsAGreyCopyAtTheIconsSize) {
    widgets_test::EnsureQtApp();
    const QIcon gray = widgets::MakeGrayIcon(widgets_test::SolidIcon({16, 12}, QColor(0, 255, 0)));
    ASSERT_FALSE(gray.isNull());
    const QImage picture = gray.pixmap(QSize(16, 12), 1.0).toImage();
    ASSERT_EQ(picture.size(), QSize(16, 12));
    EXPECT_EQ(picture.pixel(5, 5), qRgb(149, 149, 149));
    EXPECT_TRUE(widgets::MakeGrayIcon(QIcon()).isNull());
}

}  // namespace
