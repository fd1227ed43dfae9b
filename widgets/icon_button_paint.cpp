// Painting of CIconButton.
#include <QPainter>

#include "widgets/icon_button.h"

namespace widgets {

namespace {
// DrawText-style caption: word wrap, '&' marks the shortcut letter.
constexpr int kCaptionFlags = Qt::TextWordWrap | Qt::TextShowMnemonic;
}  // namespace

void CIconButton::paintEvent(QPaintEvent*) {
    QPainter dc(this);
    m_pressed = isDown();
    m_focused = hasFocus();
    m_disabled = !isEnabled();

    const QRect itemRect = rect();
    QRect rect = itemRect;
    PaintBackground(dc, rect);
    PaintBorder(dc, rect);

    const QString caption = text();
    QRect captionRect = itemRect;
    if (!m_icons[kInIcon].icon.isNull())
        PaintIcon(dc, !caption.isEmpty(), itemRect, captionRect, m_pressed, m_disabled);
    if (!caption.isEmpty()) PaintCaption(dc, caption, itemRect, captionRect, m_pressed, m_disabled);
    // No focus rectangle, on purpose.
}

int CIconButton::PaintBackground(QPainter& dc, QRect& rect) {
    dc.fillRect(rect, StateColor(kBackgroundIn, kBackgroundFocus, kBackgroundOut));
    return 0;
}

int CIconButton::PaintBorder(QPainter& dc, QRect& rect) {
    const QColor shadow = ButtonShadowColor(palette());
    const QColor highlight = ButtonHighlightColor(palette());
    if (m_pressed)
        Draw3dRect(dc, rect, shadow, highlight);  // sunken
    else if (m_hover)
        Draw3dRect(dc, rect, highlight, shadow);  // raised
    return 0;
}

int CIconButton::PaintIcon(QPainter& dc, bool hasCaption, const QRect& itemRect, QRect& captionRect,
                           bool pressed, bool disabled) {
    const bool useIn = pressed || m_hover || m_icons[kOutIcon].icon.isNull();
    const IconRecord& record = m_icons[useIn ? kInIcon : kOutIcon];
    const QRect imageRect =
        ComputeImageRect(hasCaption, itemRect, captionRect, pressed, record.width, record.height);
    if (imageRect.isEmpty()) return 0;
    const QPixmap picture = record.icon.pixmap(imageRect.size(), devicePixelRatioF(),
                                               disabled ? QIcon::Disabled : QIcon::Normal);
    dc.drawPixmap(imageRect, picture);
    return 0;
}

int CIconButton::PaintCaption(QPainter& dc, const QString& text, const QRect&, QRect& captionRect,
                              bool pressed, bool disabled) {
    if (pressed) captionRect.translate(m_pressOffset);
    // Measure the wrapped text, then centre the block in the caption frame.
    const QRect frame = captionRect;
    const QSize extent =
        dc.boundingRect(frame, kCaptionFlags | Qt::AlignLeft | Qt::AlignTop, text).size();
    captionRect = QRect(frame.topLeft(), extent)
                      .translated((frame.width() - extent.width()) / 2,
                                  (frame.height() - extent.height()) / 2);

    const int flags = kCaptionFlags | Qt::AlignHCenter | Qt::AlignTop;
    if (disabled) {
        // Engraved: highlight one pixel down-right, shadow on top of it.
        dc.setPen(ButtonHighlightColor(palette()));
        dc.drawText(captionRect.translated(1, 1), flags, text);
        dc.setPen(ButtonShadowColor(palette()));
        dc.drawText(captionRect, flags, text);
    } else {
        dc.setPen(StateColor(kTextIn, kTextFocus, kTextOut));
        dc.drawText(captionRect, flags, text);
    }
    return 0;
}

}  // namespace widgets
