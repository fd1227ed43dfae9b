#include "widgets/icon_button.h"

#include <QPainter>
#include <cstdlib>

#include "widgets/gray_image.h"
#include "widgets/resources.h"

namespace widgets {

namespace {

// The icon's own picture size: of several, the one nearest the standard
// 32-pixel icon (the larger on a tie).
std::optional<QSize> OwnIconSize(const QIcon& icon) {
    if (icon.isNull()) return std::nullopt;
    const QList<QSize> sizes = icon.availableSizes();
    QSize best;
    int bestDistance = 0;
    for (const QSize& size : sizes) {
        const int distance = std::abs(size.width() - 32) + std::abs(size.height() - 32);
        if (best.isEmpty() || distance < bestDistance ||
            (distance == bestDistance && size.width() > best.width())) {
            best = size;
            bestDistance = distance;
        }
    }
    if (sizes.isEmpty()) best = icon.actualSize(QSize(32, 32));
    if (best.isEmpty()) return std::nullopt;
    return best;
}

// Twice the centre point, as the button has always sized its icons.
std::optional<CIconButton::IconRecord> MakeRecord(const QIcon& icon) {
    const std::optional<QSize> size = OwnIconSize(icon);
    if (!size) return std::nullopt;
    return CIconButton::IconRecord{icon, 2 * (size->width() / 2), 2 * (size->height() / 2)};
}

}  // namespace

QColor ButtonFaceColor(const QPalette& palette) {
    return palette.color(QPalette::Active, QPalette::Button);
}

QColor ButtonTextColor(const QPalette& palette) {
    return palette.color(QPalette::Active, QPalette::ButtonText);
}

QColor ButtonShadowColor(const QPalette& palette) {
    return palette.color(QPalette::Active, QPalette::Dark);
}

QColor ButtonHighlightColor(const QPalette& palette) {
    return palette.color(QPalette::Active, QPalette::Light);
}

void Draw3dRect(QPainter& dc, const QRect& rect, const QColor& topLeft, const QColor& bottomRight) {
    const int x = rect.x();
    const int y = rect.y();
    const int cx = rect.width();
    const int cy = rect.height();
    dc.fillRect(x, y, cx - 1, 1, topLeft);
    dc.fillRect(x, y, 1, cy - 1, topLeft);
    dc.fillRect(x + cx - 1, y, 1, cy, bottomRight);
    dc.fillRect(x, y + cy - 1, cx, 1, bottomRight);
}

QIcon MakeGrayIcon(const QIcon& icon) {
    const std::optional<QSize> size = OwnIconSize(icon);
    if (!size) return {};
    const QPixmap picture = icon.pixmap(*size, 1.0);
    if (picture.isNull()) return {};
    const QImage gray = MakeGrayImage(picture.toImage());
    if (gray.isNull()) return {};
    return QIcon(QPixmap::fromImage(gray));
}

CIconButton::CIconButton(QWidget* parent) : CIconButton(QString(), parent) {}

CIconButton::CIconButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setCheckable(false);
    // Hover is decided on mouse moves, which Qt only reports with tracking on.
    setMouseTracking(true);
    // A click takes the focus before the dialog's own handler runs.
    connect(this, &QAbstractButton::clicked, this, [this] { setFocus(Qt::MouseFocusReason); });
    ResetColors(false);
}

CIconButton::~CIconButton() = default;

int CIconButton::SetIcon(int inIconId, int outIconId) {
    const QIcon inIcon = LoadIconResource(inIconId);
    if (inIcon.isNull()) {
        StoreIcons(QIcon(), QIcon(), false);
        return 1;
    }
    if (outIconId == kGrayOutIcon) return StoreIcons(inIcon, QIcon(), true);
    QIcon outIcon;
    bool outMissing = false;
    if (outIconId > 0) {
        outIcon = LoadIconResource(outIconId);
        outMissing = outIcon.isNull();
    }
    const int result = StoreIcons(inIcon, outIcon, false);
    return outMissing ? 1 : result;
}

int CIconButton::SetIcon(const QIcon& inIcon, const QIcon& outIcon) {
    return StoreIcons(inIcon, outIcon, false);
}

int CIconButton::SetIcon(const QIcon& inIcon, GrayCopy) {
    return StoreIcons(inIcon, QIcon(), true);
}

void CIconButton::FreeImages() { m_icons = {}; }

int CIconButton::StoreIcons(const QIcon& inIcon, const QIcon& outIcon, bool grayOut) {
    FreeImages();
    int result = 0;
    if (!inIcon.isNull()) {
        const std::optional<IconRecord> in = MakeRecord(inIcon);
        const QIcon out = grayOut ? MakeGrayIcon(inIcon) : outIcon;
        std::optional<IconRecord> outRecord;
        if (grayOut || !out.isNull()) outRecord = MakeRecord(out);
        if (!in || ((grayOut || !out.isNull()) && !outRecord)) {
            result = 1;
        } else {
            m_icons[kInIcon] = *in;
            if (outRecord) m_icons[kOutIcon] = *outRecord;
        }
    }
    update();
    return result;
}

int CIconButton::SetHoverCursor(int cursorId, bool repaint) {
    if (m_cursor) {
        m_cursor.reset();
        unsetCursor();
    }
    if (cursorId == 0) return 0;
    std::optional<QCursor> cursor = LoadCursorResource(cursorId);
    if (!cursor) return 1;
    m_cursor = *cursor;
    setCursor(*m_cursor);
    if (repaint) update();
    return 0;
}

int CIconButton::ResetColors(bool repaint) {
    const QColor face = ButtonFaceColor(palette());
    const QColor text = ButtonTextColor(palette());
    m_colors = {face, text, face, text, face, text};
    if (repaint) update();
    return 0;
}

const QColor& CIconButton::StateColor(ColorIndex in, ColorIndex focus, ColorIndex out) const {
    if (m_hover || m_pressed) return m_colors[in];
    return m_focused ? m_colors[focus] : m_colors[out];
}

QRect CIconButton::ComputeImageRect(bool hasCaption, const QRect& itemRect, QRect& captionRect,
                                    bool pressed, int width, int height) const {
    QPoint topLeft = itemRect.topLeft();
    if (hasCaption) {
        topLeft.rx() += m_margin;
        captionRect.setLeft(captionRect.left() + width + m_margin);
    } else {
        topLeft.rx() += (itemRect.width() - width) / 2;
    }
    topLeft.ry() += (itemRect.height() - height) / 2;
    if (pressed) topLeft += m_pressOffset;
    return QRect(topLeft, QSize(width, height));
}

}  // namespace widgets
