// The generated background of the shaded buttons: a field of short diagonal
// strokes over a light gradient, in a palette running from the button shadow
// over the button face to the highlight colour. Pure arithmetic over
// CPaletteImage; the random values come from the caller so that the buttons
// can share one sequence (platform::CrtRand) and tests can script it.
#pragma once

#include <functional>

#include "widgets/palette_image.h"

namespace widgets {

// The only texture kind: diagonal strokes.
inline constexpr int kDiagonalStrokeTexture = 8;

struct TextureColors {
    PaletteColor shadow;     // palette entry 0
    PaletteColor face;       // palette entry 128 (almost)
    PaletteColor highlight;  // palette entry 255, and the hover tint
};

struct TextureParams {
    int kind = kDiagonalStrokeTexture;
    int granularity = 8;             // low 8 bits used: noise range and gradient depth
    unsigned highlightPercent = 10;  // hover image: blend toward the highlight (low 8 bits)
    int tintPercent = 0;             // both images: blend toward tintColor (low 8 bits)
    PaletteColor tintColor;
};

// Values 0..32767, as the C runtime's rand gives them.
using RandomSource = std::function<int()>;

// Entries 0..128 run from shadow to face, 128..255 from face to highlight.
void SetGradientPalette(CPaletteImage& image, const TextureColors& colors);

// Builds the normal and the hover image of a width x height button. The hover
// image has the normal image's pixels and its palette moved toward the
// highlight colour. Returns false, with both images empty and no random value
// drawn, for a kind other than the diagonal strokes, for an empty size, and
// for a side longer than 32767 pixels (the random scaling would divide by zero).
bool BuildShadedTextures(int width, int height, const TextureParams& params,
                         const TextureColors& colors, const RandomSource& rand,
                         CPaletteImage& normal, CPaletteImage& hover);

}  // namespace widgets
