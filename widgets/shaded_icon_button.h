// CShadedIconButton: the CIconButton of the main dialog's five buttons, whose
// background is a generated texture (widgets/texture.h) instead of a flat
// colour: the normal image while the mouse is away, the hover image (tinted
// toward the highlight colour) while it is over the button, one pixel right
// and down while also pressed.
//
// Set-up, in the dialog's order for each button:
//     button.SetIcon(iconId, CIconButton::kGrayOutIcon);
//     button.SetHoverCursor(133, true);
//     button.SetTexture(8, 8, 10, 0, 0);
// The buttons draw their random values from the one process-wide sequence
// (platform::CrtRand), so set-up order decides each button's strokes.
#pragma once

#include <QRgb>

#include "widgets/icon_button.h"
#include "widgets/palette_image.h"

namespace widgets {

class CShadedIconButton : public CIconButton {
    Q_OBJECT

public:
    explicit CShadedIconButton(QWidget* parent = nullptr);
    explicit CShadedIconButton(const QString& text, QWidget* parent = nullptr);

    // Builds both images for the button's current size (so call it once the
    // button has its final geometry; they are not rebuilt on resize or colour
    // changes). kind 8: diagonal strokes. Colours come from the palette:
    // shadow = Dark, face = Button, highlight = Light. For another kind, an
    // empty size or a side over 32767 pixels no texture is built and the
    // button keeps the flat background of CIconButton.
    void SetTexture(int kind, int granularity, unsigned highlightPercent, int tintPercent,
                    QRgb tintColor);

    const CPaletteImage& NormalImage() const { return m_normalImage; }
    const CPaletteImage& HoverImage() const { return m_hoverImage; }

protected:
    // The rectangle is not used: the image covers the button from its corner.
    int PaintBackground(QPainter& dc, QRect& rect) override;

private:
    CPaletteImage m_normalImage;
    CPaletteImage m_hoverImage;
};

}  // namespace widgets
