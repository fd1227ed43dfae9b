#include "controls/mask_edit.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>

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
            Beep();
            return false;
        case controls::Verdict::RefuseSilently:
            return false;
    }
    return false;
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
    if (m_bUseMask && DeletesWithoutTyping(event)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
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
