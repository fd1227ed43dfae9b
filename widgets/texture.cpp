#include "widgets/texture.h"

#include <algorithm>

namespace widgets {

namespace {

constexpr int kRandMax = 32767;
constexpr int kStrokeCount = 200;
// Stroke colours are palette indices 0..40 (rand / 819), the dark end.
constexpr int kStrokeColorDivisor = 819;
constexpr int kDarkestStrokeRange = 40;

std::uint8_t Mix(int from, int to, int weightTo) {
    return static_cast<std::uint8_t>((from * (128 - weightTo) + to * weightTo) / 128);
}

void DrawDiagonalStrokes(CPaletteImage& image, const RandomSource& rand) {
    const int w = image.Width();
    const int h = image.Height();
    const int dx = kRandMax / w;
    const int dy = kRandMax / h;
    const int m = std::min(w, h);
    for (int stroke = 0; stroke < kStrokeCount; ++stroke) {
        // Four values per stroke, in this order, even for a stroke of no length.
        const int x0 = rand() / dx;
        const int y0 = rand() / dy;
        const int length = rand() / (kRandMax / m);
        const int half = length / 2;
        const auto color = static_cast<std::uint8_t>(rand() / kStrokeColorDivisor);
        for (int i = 0; i < half; ++i) {
            if (x0 - i > 0 && y0 + i < h) image.SetPixelIndex(x0 - i, y0 + i, color);
            if (x0 + i < w && y0 - i > 0) image.SetPixelIndex(w - x0 + i, y0 - i, color);
        }
    }
}

// Lighter toward the top and the left, plus noise of 0..rand_max/noiseDivisor
// levels; every sum wraps around in 8 bits.
void AddGradientAndNoise(CPaletteImage& image, int g, const RandomSource& rand) {
    const int w = image.Width();
    const int h = image.Height();
    const int depth = (255 - 2 * g - kDarkestStrokeRange) / 2;
    const int noiseDivisor = kRandMax / std::max(2 * g, 1);
    std::uint8_t* pixels = image.MutablePixels();
    for (int r = 0; r < h; ++r) {  // memory row 0 is the bottom of the picture
        std::uint8_t* row = pixels + static_cast<std::size_t>(r) * image.RowLength();
        for (int x = 0; x < w; ++x) {
            int value = row[x];
            value += (r * depth) / h + (depth * (w - x)) / w;
            value += rand() / noiseDivisor;
            row[x] = static_cast<std::uint8_t>(value);
        }
    }
}

}  // namespace

void SetGradientPalette(CPaletteImage& image, const TextureColors& colors) {
    const PaletteColor& s = colors.shadow;
    const PaletteColor& f = colors.face;
    const PaletteColor& hl = colors.highlight;
    for (int i = 0; i <= 128; ++i)
        image.SetPaletteEntry(i, Mix(s.red, f.red, i), Mix(s.green, f.green, i),
                              Mix(s.blue, f.blue, i));
    for (int j = 1; j <= 128; ++j)
        image.SetPaletteEntry(127 + j, Mix(f.red, hl.red, j), Mix(f.green, hl.green, j),
                              Mix(f.blue, hl.blue, j));
}

bool BuildShadedTextures(int width, int height, const TextureParams& params,
                         const TextureColors& colors, const RandomSource& rand,
                         CPaletteImage& normal, CPaletteImage& hover) {
    normal.Release();
    hover.Release();
    if (params.kind != kDiagonalStrokeTexture || width <= 0 || height <= 0 || width > kRandMax ||
        height > kRandMax)
        return false;
    if (normal.Create(width, height, 8) == nullptr) return false;

    SetGradientPalette(normal, colors);
    normal.BlendPalette(params.tintColor, static_cast<unsigned>(params.tintPercent) & 0xFF);

    const int g = params.granularity & 0xFF;
    normal.Clear(0);
    DrawDiagonalStrokes(normal, rand);
    AddGradientAndNoise(normal, g, rand);

    hover.CopyFrom(normal);
    hover.BlendPalette(colors.highlight, params.highlightPercent & 0xFF);
    return true;
}

}  // namespace widgets
