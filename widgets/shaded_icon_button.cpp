#include "widgets/shaded_icon_button.h"

#include "platform/crt_rand.h"
#include "widgets/texture.h"

namespace widgets {

namespace {
PaletteColor ToPaletteColor(const QColor& color) {
    return {static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
            static_cast<std::uint8_t>(color.blue())};
}
}  // namespace

CShadedIconButton::CShadedIconButton(QWidget* parent) : CIconButton(parent) {}

CShadedIconButton::CShadedIconButton(const QString& text, QWidget* parent)
    : CIconButton(text, parent) {}

void CShadedIconButton::SetTexture(int kind, int granularity, unsigned highlightPercent,
                                   int tintPercent, QRgb tintColor) {
    TextureParams params;
    params.kind = kind;
    params.granularity = granularity;
    params.highlightPercent = highlightPercent;
    params.tintPercent = tintPercent;
    params.tintColor = {static_cast<std::uint8_t>(qRed(tintColor)),
                        static_cast<std::uint8_t>(qGreen(tintColor)),
                        static_cast<std::uint8_t>(qBlue(tintColor))};
    const TextureColors colors{ToPaletteColor(ButtonShadowColor(palette())),
                               ToPaletteColor(ButtonFaceColor(palette())),
                               ToPaletteColor(ButtonHighlightColor(palette()))};
    BuildShadedTextures(width(), height(), params, colors, platform::CrtRand, m_normalImage,
                        m_hoverImage);
    update();
}

int CShadedIconButton::PaintBackground(QPainter& dc, QRect& rect) {
    CPaletteImage& image = m_hover ? m_hoverImage : m_normalImage;
    if (image.IsEmpty()) return CIconButton::PaintBackground(dc, rect);
    const int offset = m_hover && m_pressed ? 1 : 0;
    image.Draw(dc, offset, offset);
    return 0;
}

}  // namespace widgets
