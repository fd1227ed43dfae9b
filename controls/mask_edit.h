// CMaskEdit: a one-line edit with a fixed-length, fixed-layout text. Typing
// overwrites, literal positions are filled in by the control itself, and
// Backspace, Delete and Insert do nothing while a mask is in use. Pasted text
// goes through the mask as if typed, or not at all; undo, redo, cut and the
// menu's delete are off. So while a mask is in use the window shows exactly
// m_strText, the text the owner reads. Without a mask it is a plain line edit.
#pragma once

#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QString>
#include <optional>
#include <string>

#include "controls/mask_rules.h"

class CMaskEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit CMaskEdit(QWidget* parent = nullptr);

    // Switches mask checking on when a non-empty mask is given. An absent mask
    // switches it off and changes nothing else; a literal template that is not
    // as long as the mask is dropped (literal positions then refuse typing).
    void SetMask(std::optional<std::string> mask = std::nullopt,
                 std::optional<std::string> literal = std::nullopt,
                 std::optional<std::string> valid = std::nullopt);
    // Sets m_strText and the window text to the same text.
    void SetMaskedText(const std::string& text);

    // Whether ch may be typed at the caret. Collapses a selection to its
    // start and may write the literal under the caret; beeps on refusal,
    // except for the date limits.
    bool CheckChar(char ch);
    // Feeds ch to OnChar without CheckChar.
    void SendChar(char ch);
    // Types pasted (surrounding blanks and line ends dropped) at the start of
    // the selection or the caret, character by character as if typed; a
    // separator in it that the control has entered by itself is taken as
    // that literal. If any character is refused, nothing changes and the
    // control beeps once. Without a mask: a plain insert.
    bool PasteThroughMask(const QString& pasted);
    // The edit's context menu; with a mask, undo, redo, cut and delete are
    // disabled and paste goes through the mask.
    QMenu* CreateContextMenu();

    bool m_bUseMask = false;
    bool m_bDateChecks = false;  // the owner sets it where the day/month limits apply
    std::string m_strText;       // the control's own copy of its text
    std::string m_strMask;
    std::string m_strLiteral;
    std::string m_strValid;
    bool m_bSending = false;  // true while the control feeds itself a character

protected:
    // The platform's character message: a typed character (Backspace is 8).
    virtual void OnChar(char ch);
    // The platform's key-down message for keys that type no character.
    virtual void OnKeyDown(QKeyEvent* event);
    // The refusal sound; tests count it instead.
    virtual void Beep();

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    controls::MaskSettings Settings() const;
    // A refusal: beeps (when sound is wanted) unless a paste is being typed,
    // which then fails as a whole.
    void Refuse(bool sound);
    void PasteClipboard(QClipboard::Mode mode);
    // Puts m_strText back into the window after something other than the
    // control's own typing changed the window text.
    void RestoreWindowText();

    bool m_bPasting = false;  // true while PasteThroughMask types
    bool m_bPasteRefused = false;
    void TypeCharacter(QChar ch);
    void DefaultCharProcessing(char ch);
};
