#include "widgets/palette_image.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "tests/widgets/widget_test_support.h"

using widgets::CPaletteImage;
using widgets::PaletteColor;

namespace {

std::uint32_t U32At(const std::vector<std::uint8_t>& block, std::size_t at) {
    return block[at] | block[at + 1] << 8 | block[at + 2] << 16 |
           static_cast<std::uint32_t>(block[at + 3]) << 24;
}

std::uint16_t U16At(const std::vector<std::uint8_t>& block, std::size_t at) {
    return static_cast<std::uint16_t>(block[at] | block[at + 1] << 8);
}

TEST(PaletteImage, BlockIsAPacked8BitBitmapWithRowsPaddedToFourBytes) {
    struct Case {
        int width, height, rowLength;
    };
    for (const Case& c : {Case{5, 3, 8}, Case{4, 2, 4}, Case{1, 1, 4}, Case{9, 7, 12}}) {
        SCOPED_TRACE(c.width);
        CPaletteImage image;
        ASSERT_NE(image.Create(c.width, c.height, 8), nullptr);
        const std::vector<std::uint8_t>& block = image.Block();
        const std::size_t pixelBytes = static_cast<std::size_t>(c.rowLength) * c.height;
        ASSERT_EQ(block.size(), 40 + 256 * 4 + pixelBytes);
        EXPECT_EQ(image.RowLength(), c.rowLength);
        EXPECT_EQ(image.PaletteSize(), 256);
        EXPECT_EQ(U32At(block, 0), 40u);  // biSize
        EXPECT_EQ(U32At(block, 4), static_cast<std::uint32_t>(c.width));
        EXPECT_EQ(U32At(block, 8), static_cast<std::uint32_t>(c.height));  // bottom-up
        EXPECT_EQ(U16At(block, 12), 1);                                    // planes
        EXPECT_EQ(U16At(block, 14), 8);                                    // bits per pixel
        EXPECT_EQ(U32At(block, 16), 0u);                                   // BI_RGB
        EXPECT_EQ(U32At(block, 20), pixelBytes);                           // biSizeImage
        for (std::size_t at = 24; at < 40; at += 4) EXPECT_EQ(U32At(block, at), 0u) << at;
    }
}

TEST(PaletteImage, UnsupportedSizesAndDepthsLeaveTheImageEmpty) {
    struct Case {
        int width, height, bits;
    };
    for (const Case& c : {Case{0, 5, 8}, Case{5, 0, 8}, Case{-3, 5, 8}, Case{5, 5, 24},
                          Case{1 << 20, 1 << 20, 8}}) {
        CPaletteImage image;
        image.Create(2, 2, 8);
        EXPECT_EQ(image.Create(c.width, c.height, c.bits), nullptr);
        EXPECT_TRUE(image.IsEmpty());
        EXPECT_EQ(image.Width(), 0);
    }
}

TEST(PaletteImage, PixelRowsAreStoredBottomUp) {
    CPaletteImage image;
    image.Create(3, 2, 8);
    image.Clear(7);
    image.SetPixelIndex(0, 0, 11);  // top-left of the picture
    image.SetPixelIndex(2, 1, 22);  // bottom-right
    const std::vector<std::uint8_t>& block = image.Block();
    const std::size_t pixels = 40 + 1024;
    // Memory row 0 (the bottom row): 7 7 22 and one padding byte.
    EXPECT_EQ(block[pixels + 0], 7);
    EXPECT_EQ(block[pixels + 2], 22);
    // Memory row 1 (the top row) starts after the 4-byte padded row.
    EXPECT_EQ(block[pixels + 4], 11);
    EXPECT_EQ(block[pixels + 5], 7);
    // Clear covers the padding too.
    EXPECT_EQ(block[pixels + 3], 7);
    EXPECT_EQ(image.PixelIndex(0, 0), 11);
    EXPECT_EQ(image.PixelIndex(2, 1), 22);
}

TEST(PaletteImage, PixelsOutsideThePictureAreIgnored) {
    CPaletteImage image;
    image.Create(4, 3, 8);
    image.Clear(1);
    const std::vector<std::uint8_t> before = image.Block();
    for (auto [x, y] : {std::pair{4, 0}, std::pair{0, 3}, std::pair{-1, 0}, std::pair{0, -1},
                        std::pair{4, 3}, std::pair{100, 100}})
        image.SetPixelIndex(x, y, 9);
    EXPECT_EQ(image.Block(), before);
}

TEST(PaletteImage, PaletteEntriesAreBlueGreenRedZeroAndTheIndexWrapsAt256) {
    CPaletteImage image;
    image.Create(2, 2, 8);
    image.SetPaletteEntry(3, 10, 20, 30);
    image.SetPaletteEntry(256 + 5, 40, 50, 60);
    const std::vector<std::uint8_t>& block = image.Block();
    EXPECT_EQ(block[40 + 3 * 4 + 0], 30);
    EXPECT_EQ(block[40 + 3 * 4 + 1], 20);
    EXPECT_EQ(block[40 + 3 * 4 + 2], 10);
    EXPECT_EQ(block[40 + 3 * 4 + 3], 0);
    EXPECT_EQ(image.PaletteEntry(5), (PaletteColor{40, 50, 60}));
}

TEST(PaletteImage, BlendPaletteMovesEveryEntryTowardTheColourWithTruncation) {
    struct Case {
        std::uint8_t entry, toward;
        unsigned percent;
        std::uint8_t expected;
    };
    const Case cases[] = {
        {0, 255, 10, 25},                            // 2550 / 100
        {255, 0, 10, 229},                           // 22950 / 100
        {100, 200, 0, 100},                          // 0 % keeps the entry
        {100, 200, 100, 200}, {100, 200, 150, 200},  // above 100 counts as 100
        {7, 8, 50, 7},                               // 7.5 truncated
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.percent);
        CPaletteImage image;
        image.Create(1, 1, 8);
        for (int i = 0; i < 256; ++i) image.SetPaletteEntry(i, c.entry, c.entry, c.entry);
        image.BlendPalette({c.toward, 0, c.toward}, c.percent);
        for (int i : {0, 128, 255}) {
            const PaletteColor blended = image.PaletteEntry(i);
            EXPECT_EQ(blended.red, c.expected);
            EXPECT_EQ(blended.green, (c.entry * (100 - std::min(c.percent, 100u))) / 100);
            EXPECT_EQ(blended.blue, c.expected);
        }
    }
}

TEST(PaletteImage, CopyFromDuplicatesTheWholeBlockAndStaysIndependent) {
    CPaletteImage source;
    source.Create(5, 3, 8);
    source.Clear(4);
    source.SetPixelIndex(1, 2, 9);
    source.SetPaletteEntry(9, 1, 2, 3);
    CPaletteImage copy;
    copy.Create(1, 1, 8);
    copy.CopyFrom(source);
    EXPECT_EQ(copy.Block(), source.Block());
    EXPECT_EQ(copy.Width(), 5);
    EXPECT_EQ(copy.RowLength(), source.RowLength());

    copy.BlendPalette({255, 255, 255}, 50);
    copy.SetPixelIndex(0, 0, 1);
    EXPECT_EQ(source.PaletteEntry(9), (PaletteColor{1, 2, 3}));
    EXPECT_EQ(source.PixelIndex(0, 0), 4);

    CPaletteImage empty;
    copy.CopyFrom(empty);
    EXPECT_TRUE(copy.IsEmpty());
}

TEST(PaletteImage, OperationsOnAnEmptyImageDoNothing) {
    CPaletteImage image;
    image.Clear(3);
    image.SetPixelIndex(0, 0, 3);
    image.SetPaletteEntry(0, 1, 2, 3);
    image.BlendPalette({1, 2, 3}, 50);
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.MutablePixels(), nullptr);
    EXPECT_TRUE(image.Image().isNull());
}

TEST(PaletteImage, DrawnImageShowsPicturePixelsTopRowFirstInPaletteColours) {
    CPaletteImage image;
    image.Create(3, 2, 8);
    image.Clear(0);
    image.SetPaletteEntry(0, 0, 0, 0);
    image.SetPaletteEntry(1, 255, 0, 0);
    image.SetPixelIndex(2, 0, 1);
    QImage drawn = image.Image();
    EXPECT_EQ(drawn.size(), QSize(3, 2));
    EXPECT_EQ(drawn.pixel(2, 0), qRgb(255, 0, 0));
    EXPECT_EQ(drawn.pixel(2, 1), qRgb(0, 0, 0));

    // Later changes of pixels and of the palette show at the next drawing.
    image.SetPixelIndex(0, 1, 1);
    image.SetPaletteEntry(1, 0, 0, 255);
    drawn = image.Image();
    EXPECT_EQ(drawn.pixel(0, 1), qRgb(0, 0, 255));
    EXPECT_EQ(drawn.pixel(2, 0), qRgb(0, 0, 255));
}

TEST(PaletteImage, DrawPaintsThePictureAtTheGivenCorner) {
    widgets_test::EnsureQtApp();
    CPaletteImage image;
    image.Create(2, 2, 8);
    image.SetPaletteEntry(0, 10, 20, 30);
    image.Clear(0);
    QImage target(5, 5, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter dc(&target);
        image.Draw(dc, 1, 2);
    }
    EXPECT_EQ(target.pixel(1, 2), qRgb(10, 20, 30));
    EXPECT_EQ(target.pixel(2, 3), qRgb(10, 20, 30));
    EXPECT_EQ(target.pixel(0, 2), qRgb(255, 255, 255));
    EXPECT_EQ(target.pixel(1, 4), qRgb(255, 255, 255));
}

}  // namespace
