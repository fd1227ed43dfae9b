#include "widgets/texture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "platform/crt_rand.h"

using widgets::BuildShadedTextures;
using widgets::CPaletteImage;
using widgets::PaletteColor;
using widgets::TextureColors;
using widgets::TextureParams;

namespace {

const TextureColors kColors{{0, 10, 20}, {100, 150, 200}, {255, 250, 245}};

// Gives the scripted values first, then `rest` forever; counts the calls.
struct ScriptedRand {
    std::deque<int> script;
    int rest = 0;
    int calls = 0;
    int operator()() {
        ++calls;
        if (script.empty()) return rest;
        const int value = script.front();
        script.pop_front();
        return value;
    }
};

// The two images of one button.
struct Built {
    CPaletteImage normal, hover;
};

void Build(Built& out, int w, int h, ScriptedRand& rand, TextureParams params = {},
           const TextureColors& colors = kColors) {
    ASSERT_TRUE(BuildShadedTextures(w, h, params, colors, std::ref(rand), out.normal, out.hover));
}

constexpr int kRandCallsForStrokes = 200 * 4;

TEST(Texture, PaletteRunsFromShadowOverFaceToHighlight) {
    CPaletteImage image;
    image.Create(1, 1, 8);
    widgets::SetGradientPalette(image, kColors);
    EXPECT_EQ(image.PaletteEntry(0), kColors.shadow);
    EXPECT_EQ(image.PaletteEntry(255), kColors.highlight);
    EXPECT_EQ(image.PaletteEntry(64), (PaletteColor{50, 80, 110}));
    // 128 is overwritten by the upper half: (127 face + highlight) / 128.
    EXPECT_EQ(image.PaletteEntry(128), (PaletteColor{101, 150, 200}));
    EXPECT_EQ(image.PaletteEntry(192), (PaletteColor{178, 200, 222}));
}

TEST(Texture, NormalPaletteIsTheGradientAndHoverMovesItTenPercentTowardHighlight) {
    const TextureColors colors{{0, 0, 0}, {128, 128, 128}, {255, 255, 255}};
    ScriptedRand rand;
    Built t;
    Build(t, 6, 4, rand, {}, colors);
    CPaletteImage gradient;
    gradient.Create(1, 1, 8);
    widgets::SetGradientPalette(gradient, colors);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(t.normal.PaletteEntry(i), gradient.PaletteEntry(i)) << i;
    EXPECT_EQ(t.hover.PaletteEntry(0), (PaletteColor{25, 25, 25}));
    EXPECT_EQ(t.hover.PaletteEntry(255), (PaletteColor{255, 255, 255}));
    // Same pixels, only the palette differs.
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) EXPECT_EQ(t.hover.PixelIndex(x, y), t.normal.PixelIndex(x, y));
}

TEST(Texture, PercentagesUseOnlyTheirLowByte) {
    TextureParams params;
    params.tintPercent = 0x164;  // 100 %
    params.tintColor = {7, 8, 9};
    params.highlightPercent = 0x100;  // 0 %
    ScriptedRand rand;
    Built t;
    Build(t, 3, 3, rand, params);
    for (int i : {0, 100, 255}) {
        EXPECT_EQ(t.normal.PaletteEntry(i), (PaletteColor{7, 8, 9}));
        EXPECT_EQ(t.hover.PaletteEntry(i), (PaletteColor{7, 8, 9}));
    }
}

TEST(Texture, WithoutStrokesOrNoiseThePictureIsLighterTowardTopAndLeft) {
    // Granularity 8: depth (255 - 16 - 40) / 2 = 99.
    // Bottom row: 99 * (4 - x) / 4; the top row adds 1 * 99 / 2.
    ScriptedRand rand;
    Built t;
    Build(t, 4, 2, rand);
    const int expected[2][4] = {{148, 123, 98, 73}, {99, 74, 49, 24}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(t.normal.PixelIndex(x, y), expected[y][x]) << x << "," << y;
}

TEST(Texture, GradientWrapsAroundInEightBits) {
    // Granularity 255: depth (255 - 510 - 40) / 2 = -147, which wraps to 109.
    TextureParams params;
    params.granularity = 255;
    ScriptedRand rand;
    Built t;
    Build(t, 1, 1, rand, params);
    EXPECT_EQ(t.normal.PixelIndex(0, 0), 109);
}

TEST(Texture, NoiseAddsUpToTwiceTheGranularityLevels) {
    struct Case {
        int granularity, added;
    };
    for (const Case& c : {Case{8, 16}, Case{0, 1}, Case{0x108, 16}, Case{2, 4}}) {
        SCOPED_TRACE(c.granularity);
        TextureParams params;
        params.granularity = c.granularity;
        ScriptedRand quiet;
        Built plain;
        Build(plain, 5, 3, quiet, params);
        ScriptedRand noisy;
        noisy.script.assign(kRandCallsForStrokes, 0);  // no strokes
        noisy.rest = 32767;
        Built noised;
        Build(noised, 5, 3, noisy, params);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(noised.normal.PixelIndex(x, y),
                          static_cast<std::uint8_t>(plain.normal.PixelIndex(x, y) + c.added));
    }
}

TEST(Texture, AStrokeRunsDownLeftAndItsMirrorUpRight) {
    // 10 x 10: x0 = 16380 / 3276 = 5, y0 = 6552 / 3276 = 2,
    // length 19656 / 3276 = 6 (half 3), colour 32760 / 819 = 40.
    ScriptedRand rand;
    rand.script = {16380, 6552, 19656, 32760};
    Built stroked;
    Build(stroked, 10, 10, rand);
    ScriptedRand quiet;
    Built plain;
    Build(plain, 10, 10, quiet);
    // Down-left from (5, 2); mirror (w - x0 + i, y0 - i) while y0 - i > 0.
    const std::vector<std::pair<int, int>> strokePixels = {{5, 2}, {4, 3}, {3, 4}, {6, 1}};
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool onStroke = std::find(strokePixels.begin(), strokePixels.end(),
                                            std::pair{x, y}) != strokePixels.end();
            EXPECT_EQ(stroked.normal.PixelIndex(x, y) - plain.normal.PixelIndex(x, y),
                      onStroke ? 40 : 0)
                << x << "," << y;
        }
    }
}

TEST(Texture, DrawsFourValuesPerStrokeAndOnePerPixel) {
    ScriptedRand rand;
    Built t;
    Build(t, 7, 3, rand);
    EXPECT_EQ(rand.calls, kRandCallsForStrokes + 7 * 3);
}

TEST(Texture, SizesAndKindsThatCannotBeTexturedBuildNothingAndDrawNoValue) {
    struct Case {
        int kind, width, height;
    };
    for (const Case& c : {Case{8, 0, 10}, Case{8, 10, 0}, Case{8, -4, 10}, Case{8, 32768, 10},
                          Case{8, 10, 32768}, Case{7, 10, 10}, Case{0, 10, 10}}) {
        SCOPED_TRACE(c.width);
        TextureParams params;
        params.kind = c.kind;
        ScriptedRand rand;
        CPaletteImage normal, hover;
        normal.Create(2, 2, 8);
        EXPECT_FALSE(
            BuildShadedTextures(c.width, c.height, params, kColors, std::ref(rand), normal, hover));
        EXPECT_TRUE(normal.IsEmpty());
        EXPECT_TRUE(hover.IsEmpty());
        EXPECT_EQ(rand.calls, 0);
    }
}

TEST(Texture, TheLargestSideStillBuilds) {
    ScriptedRand rand;
    rand.rest = 32767;
    CPaletteImage normal, hover;
    EXPECT_TRUE(BuildShadedTextures(32767, 1, {}, kColors, std::ref(rand), normal, hover));
    EXPECT_EQ(normal.Width(), 32767);
}

std::vector<std::vector<std::uint8_t>> BuildFiveButtonsFromAFreshRun() {
    platform::ResetCrtRand();
    std::vector<std::vector<std::uint8_t>> blocks;
    for (auto [w, h] : {std::pair{75, 23}, std::pair{90, 30}, std::pair{90, 30}, std::pair{60, 21},
                        std::pair{61, 21}}) {
        CPaletteImage normal, hover;
        BuildShadedTextures(w, h, {}, kColors, platform::CrtRand, normal, hover);
        blocks.push_back(normal.Block());
        blocks.push_back(hover.Block());
    }
    return blocks;
}

TEST(Texture, EveryRunDrawsTheSameTexturesFromTheSharedSequence) {
    const auto first = BuildFiveButtonsFromAFreshRun();
    const auto second = BuildFiveButtonsFromAFreshRun();
    EXPECT_EQ(first, second);
    // The two 90 x 30 buttons take different parts of the one sequence.
    EXPECT_NE(first[2], first[4]);
}

}  // namespace
