// CIconButton: the flat push button of the main dialog. It paints itself: an
// icon left of a centred, word-wrapped caption; a raised one-pixel border and
// the coloured in-icon while the mouse is over it; a sunken border with icon
// and caption moved one pixel right and down while pressed; no border and the
// out-icon (usually a grey copy) otherwise; an engraved caption and the
// style's disabled icon when disabled. No focus rectangle.
//
// Painting runs PaintBackground, PaintBorder, PaintIcon, PaintCaption in that
// order; a subclass replaces the background (CShadedIconButton).
//
// Behaviour: hover starts on a mouse move over the button unless the left
// button is held, and ends on leave, focus loss, a modal window blocking the
// dialog, or disabling. A double click counts as a second click. Disabling the
// button moves the focus to the next tab stop of its window (or the window).
// A click gives the button the focus before the dialog hears of it. The
// button is never checkable. The default-button mark is QPushButton's own.
//
// System colours come from the button's palette (Active group):
//   button face -> QPalette::Button       button text -> QPalette::ButtonText
//   button shadow -> QPalette::Dark       button highlight -> QPalette::Light
//
// Set-up calls return 0 on success and 1 for a resource that could not be
// found or used; they never throw.
#pragma once

#include <QColor>
#include <QCursor>
#include <QIcon>
#include <QPushButton>
#include <array>
#include <optional>

namespace widgets {

// The system colours the buttons paint with, read from a palette.
QColor ButtonFaceColor(const QPalette& palette);
QColor ButtonTextColor(const QPalette& palette);
QColor ButtonShadowColor(const QPalette& palette);
QColor ButtonHighlightColor(const QPalette& palette);

// Four one-pixel lines inside rect: top row (without its last pixel) and left
// column (without its last pixel) in topLeft, then the whole right column and
// the whole bottom row in bottomRight.
void Draw3dRect(QPainter& dc, const QRect& rect, const QColor& topLeft, const QColor& bottomRight);

// A grey copy of icon at its own size, or a null icon when it has no picture.
QIcon MakeGrayIcon(const QIcon& icon);

class CIconButton : public QPushButton {
    Q_OBJECT

public:
    // An icon and the size it is drawn at: twice its centre point, i.e. its
    // own size rounded down to even numbers.
    struct IconRecord {
        QIcon icon;
        int width = 0;
        int height = 0;
    };
    enum IconIndex { kInIcon = 0, kOutIcon = 1 };
    enum ColorIndex {
        kBackgroundIn = 0,  // hover or pressed
        kTextIn,
        kBackgroundOut,  // normal
        kTextOut,
        kBackgroundFocus,  // focused, neither hovered nor pressed
        kTextFocus,
    };
    // Out-icon id of SetIcon: make a grey copy of the in-icon.
    static constexpr int kGrayOutIcon = -2;
    // Out-icon argument of SetIcon by icons: make a grey copy of the in-icon.
    struct GrayCopy {};

    explicit CIconButton(QWidget* parent = nullptr);
    explicit CIconButton(const QString& text, QWidget* parent = nullptr);
    ~CIconButton() override;

    // Icons by resource id (see widgets/resources.h). outIconId: kGrayOutIcon
    // for a grey copy of the in-icon, 0 for none, > 0 an icon resource.
    // An in-icon id that cannot be found leaves the button without icons and
    // returns 1; an out-icon id that cannot be found leaves the in-icon alone
    // and returns 1.
    int SetIcon(int inIconId, int outIconId);
    // Icons by value; a null outIcon means none, a null inIcon clears both.
    // Returns 1, leaving no icons, when an icon has no picture to size it by.
    int SetIcon(const QIcon& inIcon, const QIcon& outIcon = QIcon());
    int SetIcon(const QIcon& inIcon, GrayCopy);
    // The cursor shown over the button; id 0 goes back to the default cursor.
    int SetHoverCursor(int cursorId, bool repaint);
    // All six colours back to the palette's face and text colours.
    int ResetColors(bool repaint);

    // The rectangle an icon of width x height covers in itemRect. With a
    // caption it sits m_margin from the left and the left of captionRect
    // moves by width + m_margin; without one it is centred across. Always centred
    // vertically; moved by the press offset while pressed. Halves round
    // toward zero.
    QRect ComputeImageRect(bool hasCaption, const QRect& itemRect, QRect& captionRect, bool pressed,
                           int width, int height) const;

    const IconRecord& Icon(IconIndex index) const { return m_icons[index]; }
    QColor Color(ColorIndex index) const { return m_colors[index]; }
    bool HasHoverCursor() const { return m_cursor.has_value(); }
    bool IsHover() const { return m_hover; }

protected:
    virtual int PaintBackground(QPainter& dc, QRect& rect);
    virtual int PaintBorder(QPainter& dc, QRect& rect);
    virtual int PaintIcon(QPainter& dc, bool hasCaption, const QRect& itemRect, QRect& captionRect,
                          bool pressed, bool disabled);
    virtual int PaintCaption(QPainter& dc, const QString& text, const QRect& itemRect,
                             QRect& captionRect, bool pressed, bool disabled);

    void CancelHover();

    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void nextCheckState() override;
    void checkStateSet() override;

    // Read from the button's state at each paint.
    bool m_pressed = false;
    bool m_focused = false;
    bool m_disabled = false;
    bool m_hover = false;

private:
    void FreeImages();
    int StoreIcons(const QIcon& inIcon, const QIcon& outIcon, bool grayOut);
    void MoveFocusOnDisable();
    const QColor& StateColor(ColorIndex in, ColorIndex focus, ColorIndex out) const;

    std::array<IconRecord, 2> m_icons;
    std::optional<QCursor> m_cursor;
    std::array<QColor, 6> m_colors;
    int m_margin = 3;
    QPoint m_pressOffset{1, 1};
};

}  // namespace widgets
