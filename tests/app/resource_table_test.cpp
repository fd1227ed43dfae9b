#include "res/resource_table.h"

#include <gtest/gtest.h>

#include <QBitmap>
#include <QImage>

namespace {

TEST(ResourceTable, EveryIconHasBothSizes) {
    for (int id : {128, 130, 132, 134, 135, 136}) {
        SCOPED_TRACE(id);
        const QIcon icon = res::LoadIcon(id);
        ASSERT_FALSE(icon.isNull());
        EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
        EXPECT_TRUE(icon.availableSizes().contains(QSize(32, 32)));
        EXPECT_FALSE(icon.pixmap(32, 32).toImage().allGray());  // a coloured picture
    }
}

TEST(ResourceTable, ButtonIconsAreDistinctPictures) {
    const int ids[] = {130, 132, 134, 135, 136};
    for (int a : ids)
        for (int b : ids)
            if (a < b) {
                EXPECT_NE(res::LoadIcon(a).pixmap(32, 32).toImage(),
                          res::LoadIcon(b).pixmap(32, 32).toImage())
                    << a << " vs " << b;
            }
}

TEST(ResourceTable, UnknownIdsGiveNullObjects) {
    EXPECT_TRUE(res::LoadIcon(131).isNull());
    EXPECT_TRUE(res::LoadIcon(129).isNull());  // a bitmap, not an icon
    EXPECT_TRUE(res::LoadBitmap(128).isNull());
    EXPECT_FALSE(res::LoadCursor(134).has_value());
    EXPECT_TRUE(res::LoadString(102).isEmpty());
}

TEST(ResourceTable, AboutItemText) {
    EXPECT_EQ(res::LoadString(101), QStringLiteral("&About kelvaron..."));
}

TEST(ResourceTable, HoverCursorHasItsHotSpotOnThePicture) {
    const auto cursor = res::LoadCursor(133);
    ASSERT_TRUE(cursor.has_value());
    const QImage picture = cursor->pixmap().toImage();
    ASSERT_FALSE(picture.isNull());
    const QPoint hot = cursor->hotSpot();
    ASSERT_TRUE(picture.rect().contains(hot));
    // The hot spot is at the tip: opaque there or right next to it.
    int opaque = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (picture.rect().contains(hot + QPoint(dx, dy)) &&
                qAlpha(picture.pixel(hot + QPoint(dx, dy))) > 128)
                ++opaque;
    EXPECT_GT(opaque, 0);
}

TEST(ResourceTable, CheckBoxStripIsTwoBoxesOnPureRed) {
    const QPixmap strip = res::LoadBitmap(129);
    ASSERT_EQ(strip.size(), QSize(32, 16));
    const QImage raw = strip.toImage();
    EXPECT_EQ(raw.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(raw.pixelColor(16, 0), QColor(255, 0, 0));

    const QImage masked = res::WithTransparentColour(strip, QColor(255, 0, 0))
                              .toImage()
                              .convertToFormat(QImage::Format_ARGB32);
    int redLeft = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb p = masked.pixel(x, y);
            if (raw.pixelColor(x, y) == QColor(255, 0, 0)) {
                EXPECT_EQ(qAlpha(p), 0) << x << "," << y;
            } else {
                EXPECT_EQ(qAlpha(p), 255) << x << "," << y;
                ++redLeft;
            }
        }
    EXPECT_GT(redLeft, 2 * 100);  // two boxes, not a sliver
    // The ticked box differs from the empty one.
    EXPECT_NE(raw.copy(0, 0, 16, 16), raw.copy(16, 0, 16, 16));
}

TEST(ResourceTable, DiskPictureAndMaskMatch) {
    const QImage picture = res::LoadBitmap(137).toImage();
    const QImage mask = res::LoadBitmap(138).toImage();
    ASSERT_EQ(picture.size(), QSize(16, 16));
    ASSERT_EQ(mask.size(), QSize(16, 16));
    int shown = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const QColor m = mask.pixelColor(x, y);
            ASSERT_TRUE(m == QColor(Qt::black) || m == QColor(Qt::white)) << x << "," << y;
            // Where the mask lets the background through, the picture adds nothing (OR with black).
            if (m == QColor(Qt::white))
                EXPECT_EQ(picture.pixelColor(x, y), QColor(Qt::black)) << x << "," << y;
            else
                ++shown;
        }
    EXPECT_GT(shown, 50);
}

}  // namespace
