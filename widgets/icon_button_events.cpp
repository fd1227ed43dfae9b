// Mouse, focus and state handling of CIconButton.
#include <QMouseEvent>

#include "widgets/icon_button.h"

namespace widgets {

void CIconButton::CancelHover() {
    if (!m_hover) return;
    m_hover = false;
    update();
}

void CIconButton::mouseMoveEvent(QMouseEvent* event) {
    QPushButton::mouseMoveEvent(event);
    // Dragging in with the button held never lights the button up.
    if ((event->buttons() & Qt::LeftButton) && !m_hover) return;
    if (rect().contains(event->position().toPoint())) {
        if (!m_hover) {
            m_hover = true;
            update();
        }
    } else {
        CancelHover();
    }
}

void CIconButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // A quick second click is another click, not a double click.
    mousePressEvent(event);
}

void CIconButton::focusOutEvent(QFocusEvent* event) {
    QPushButton::focusOutEvent(event);
    CancelHover();
}

bool CIconButton::event(QEvent* event) {
    const bool handled = QPushButton::event(event);
    // Qt also sends Leave when a modal window comes up over the dialog.
    if (event->type() == QEvent::Leave) CancelHover();
    return handled;
}

void CIconButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    switch (event->type()) {
        case QEvent::EnabledChange:
            if (!isEnabled()) {
                // Only when this button itself is switched off, not its parent.
                if (testAttribute(Qt::WA_ForceDisabled)) MoveFocusOnDisable();
                CancelHover();
            }
            break;
        case QEvent::PaletteChange:
            ResetColors(true);
            break;
        default:
            break;
    }
}

void CIconButton::MoveFocusOnDisable() {
    QWidget* const dialog = window();
    if (dialog == this) return;
    for (QWidget* next = nextInFocusChain(); next != nullptr && next != this;
         next = next->nextInFocusChain()) {
        if (next == dialog || next->window() != dialog) continue;
        if (!next->isEnabled() || !next->isVisibleTo(dialog) ||
            (next->focusPolicy() & Qt::TabFocus) != Qt::TabFocus)
            continue;
        next->setFocus(Qt::TabFocusReason);
        return;
    }
    dialog->setFocus(Qt::OtherFocusReason);
}

void CIconButton::nextCheckState() {
    // Never checkable: a click changes no check state.
}

void CIconButton::checkStateSet() {
    QPushButton::checkStateSet();
    if (isCheckable()) setCheckable(false);
}

}  // namespace widgets
