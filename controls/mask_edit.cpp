#include "controls/mask_edit.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>

namespace {

constexpr char kBackspace = 8;

bool HasCommandModifier(const QKeyEvent& event) {
    return (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
}

// The character a key press types, if it types one.
std::optional<QChar> TypedCharacter(const QKeyEvent& event) {
    if (HasCommandModifier(event)) return std::nullopt;
    if (event.key() == Qt::Key_Backspace) return QChar(kBackspace);
    const QString text = event.text();
    if (text.size() == 1 && text.at(0).isPrint()) return text.at(0);
    return std::nullopt;
}

// Keys that delete text without typing. Besides Delete and Insert (which also
// carry the Shift+Delete and Shift+Insert clipboard commands), Qt binds
// deletions the platform edit never had; a mask keeps the text's length, so
// those are blocked too.
bool DeletesWithoutTyping(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Insert:
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            return true;
        default:
            return event->matches(QKeySequence::DeleteEndOfLine) ||
                   event->matches(QKeySequence::DeleteCompleteLine) ||
                   event->matches(QKeySequence::DeleteStartOfWord) ||
                   event->matches(QKeySequence::DeleteEndOfWord);
    }
}

// Commands that would change the text outside the mask: the undo history
// holds texts the mask never saw, and cut shortens the text.
bool EditsPastTheMask(QKeyEvent* event) {
    return event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) ||
           event->matches(QKeySequence::Cut);
}

}  // namespace

CMaskEdit::CMaskEdit(QWidget* parent) : QLineEdit(parent) {
    // The platform edit takes no dropped text; only the clipboard commands
    // may put text in past the mask.
    setAcceptDrops(false);
}

void CMaskEdit::SetMask(std::optional<std::string> mask, std::optional<std::string> literal,
                        std::optional<std::string> valid) {
    m_bUseMask = false;
    if (!mask) return;
    m_strMask = std::move(*mask);
    if (m_strMask.empty()) return;
    m_strLiteral = literal && literal->size() == m_strMask.size() ? std::move(*literal) : "";
    m_strValid = valid ? std::move(*valid) : "";
    m_bUseMask = true;
}

void CMaskEdit::SetMaskedText(const std::string& text) {
    m_strText = text;
    setText(QString::fromStdString(text));
}

controls::MaskSettings CMaskEdit::Settings() const {
    return {m_strMask, m_strLiteral, m_strValid, m_bDateChecks};
}

bool CMaskEdit::CheckChar(char ch) {
    if (!m_bUseMask || !controls::IsPrintable(ch)) return true;
    // Typing never replaces a range: the caret goes to the selection's start.
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    setCursorPosition(start);
    const auto caret = static_cast<std::size_t>(cursorPosition());

    const auto check = controls::CheckTypedChar(Settings(), m_strText, caret, ch);
    if (check.literal) SendChar(*check.literal);
    switch (check.verdict) {
        case controls::Verdict::Accept:
            return true;
        case controls::Verdict::RefuseWithBeep:
            Refuse(true);
            return false;
        case controls::Verdict::RefuseSilently:
            Refuse(false);
            return false;
    }
    return false;
}

void CMaskEdit::Refuse(bool sound) {
    if (m_bPasting)
        m_bPasteRefused = true;
    else if (sound)
        Beep();
}

void CMaskEdit::SendChar(char ch) {
    m_bSending = true;
    OnChar(ch);
    m_bSending = false;
}

void CMaskEdit::OnChar(char ch) {
    if (!m_bSending && !CheckChar(ch)) return;
    if (m_bUseMask) {
        if (ch == kBackspace) return;
        if (controls::IsPrintable(ch)) {
            // Overwrite: the character under the caret goes, the typed one
            // takes its place, in the window and in m_strText alike.
            const int start = hasSelectedText() ? selectionStart() : cursorPosition();
            const int end = hasSelectedText() ? selectionEnd() : start;
            setSelection(start, end + 1 - start);
            if (hasSelectedText()) del();
            // At the end of a text shorter than the mask the window grows by
            // the character; the copy grows with it.
            if (static_cast<std::size_t>(end) == m_strText.size())
                m_strText.push_back(ch);
            else
                controls::OverwriteAt(m_strText, static_cast<std::size_t>(end), ch);
        }
    }
    DefaultCharProcessing(ch);
    if (!m_bSending && m_bUseMask) {
        const auto next =
            controls::LiteralAt(m_strLiteral, static_cast<std::size_t>(cursorPosition()));
        if (next) SendChar(*next);
    }
}

void CMaskEdit::DefaultCharProcessing(char ch) {
    if (controls::IsPrintable(ch))
        insert(QString(QChar::fromLatin1(ch)));
    else if (ch == kBackspace)
        backspace();
}

void CMaskEdit::OnKeyDown(QKeyEvent* event) {
    if (m_bUseMask) {
        // Insert stays blocked with any modifier, Shift+Insert included.
        if (DeletesWithoutTyping(event) || EditsPastTheMask(event)) {
            event->accept();
            return;
        }
        if (event->matches(QKeySequence::Paste)) {
            PasteClipboard(QClipboard::Clipboard);
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

bool CMaskEdit::PasteThroughMask(const QString& pasted) {
    if (!m_bUseMask) {
        insert(pasted);
        return true;
    }
    const QString windowBefore = text();
    const std::string textBefore = m_strText;
    const int caretBefore = hasSelectedText() ? selectionStart() : cursorPosition();
    setCursorPosition(caretBefore);

    m_bPasting = true;
    m_bPasteRefused = false;
    // The literal the control entered by itself after the last character:
    // the same separator in the pasted text stands for it.
    char entered = 0;
    for (const QChar qch : pasted.trimmed()) {
        if (qch.unicode() >= 0x80 || !controls::IsPrintable(static_cast<char>(qch.unicode()))) {
            m_bPasteRefused = true;
            break;
        }
        const char ch = static_cast<char>(qch.unicode());
        const auto caret = static_cast<std::size_t>(cursorPosition());
        if (entered == ch) {
            entered = 0;
            continue;
        }
        entered = 0;
        if (controls::LiteralAt(m_strLiteral, caret) == ch) {
            SendChar(ch);
            continue;
        }
        OnChar(ch);
        if (m_bPasteRefused) break;
        const auto after = static_cast<std::size_t>(cursorPosition());
        if (after >= caret + 2) entered = controls::LiteralAt(m_strLiteral, after - 1).value_or(0);
    }
    m_bPasting = false;
    if (!m_bPasteRefused) return true;
    m_strText = textBefore;
    setText(windowBefore);
    setCursorPosition(caretBefore);
    Beep();
    return false;
}

void CMaskEdit::PasteClipboard(QClipboard::Mode mode) {
    PasteThroughMask(QGuiApplication::clipboard()->text(mode));
}

QMenu* CMaskEdit::CreateContextMenu() {
    QMenu* menu = createStandardContextMenu();
    // Qt 6.4 leaves the menu's actions unnamed; they are told apart by their
    // (translated) captions and given the names later Qt versions use.
    struct Command {
        const char* caption;
        const char* name;
        bool pastTheMask;
    };
    static const Command kCommands[] = {
        {QT_TRANSLATE_NOOP("QLineEdit", "&Undo"), "edit-undo", true},
        {QT_TRANSLATE_NOOP("QLineEdit", "&Redo"), "edit-redo", true},
        {QT_TRANSLATE_NOOP("QLineEdit", "Cu&t"), "edit-cut", true},
        {QT_TRANSLATE_NOOP("QLineEdit", "Delete"), "edit-delete", true},
        {QT_TRANSLATE_NOOP("QLineEdit", "&Paste"), "edit-paste", false},
    };
    for (QAction* action : menu->actions()) {
        const QString caption = action->text().section(QLatin1Char('\t'), 0, 0);
        for (const Command& command : kCommands) {
            if (caption != QLineEdit::tr(command.caption)) continue;
            if (action->objectName().isEmpty()) action->setObjectName(QLatin1String(command.name));
            if (!m_bUseMask) break;
            if (command.pastTheMask) {
                action->setEnabled(false);
            } else {
                disconnect(action, nullptr, this, nullptr);
                connect(action, &QAction::triggered, this,
                        [this] { PasteClipboard(QClipboard::Clipboard); });
            }
            break;
        }
    }
    return menu;
}

void CMaskEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = CreateContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void CMaskEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The X11 selection paste of the middle button.
    if (m_bUseMask && event->button() == Qt::MiddleButton) {
        if (QGuiApplication::clipboard()->supportsSelection()) {
            deselect();
            PasteClipboard(QClipboard::Selection);
        }
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

bool CMaskEdit::event(QEvent* event) {
    const bool handled = QLineEdit::event(event);
    // Whatever reached the window past the handlers above (a queued slot
    // call, a binding of a later Qt) is taken back.
    if (m_bUseMask && text() != QString::fromStdString(m_strText)) RestoreWindowText();
    return handled;
}

void CMaskEdit::RestoreWindowText() {
    const int caret = cursorPosition();
    setText(QString::fromStdString(m_strText));
    setCursorPosition(caret);
}

void CMaskEdit::Beep() { QApplication::beep(); }

void CMaskEdit::keyPressEvent(QKeyEvent* event) {
    const auto typed = TypedCharacter(*event);
    if (!typed) {
        OnKeyDown(event);
        return;
    }
    TypeCharacter(*typed);
    event->accept();
}

void CMaskEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!m_bUseMask) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // Composed text reaches a masked field one character at a time, as if
    // typed; the composition itself is not shown.
    for (const QChar ch : event->commitString()) TypeCharacter(ch);
    event->accept();
}

void CMaskEdit::TypeCharacter(QChar ch) {
    // The mask classes know single-byte characters; anything wider cannot
    // fill a mask position.
    if (ch.unicode() >= 0x80) {
        if (m_bUseMask)
            Beep();
        else
            insert(QString(ch));
        return;
    }
    OnChar(static_cast<char>(ch.unicode()));
}
