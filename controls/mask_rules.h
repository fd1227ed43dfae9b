// Which character a masked edit accepts where: the mask classes, the literal
// positions it fills in itself and the day/month digit limits. Pure functions
// over the control's strings, so they can be checked without a widget.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace controls {

// What becomes of a typed character.
enum class Verdict {
    Accept,
    RefuseWithBeep,
    RefuseSilently,  // a digit beyond a date limit: no sound
};

// The settings of one control. literal is either as long as mask or empty;
// '_' in it marks an input position, anything else is that position's literal.
struct MaskSettings {
    std::string_view mask;
    std::string_view literal;
    std::string_view valid;  // accepted at every input position
    bool dateChecks = false;
};

// Character classes of the "C" locale, whatever locale the process runs in:
// bytes outside 0x20..0x7E are never printable.
bool IsPrintable(char ch);
bool IsLetter(char ch);
bool IsDigit(char ch);

// The class that one mask character accepts, for a printable ch. Any mask
// character not in the table marks a literal position and refuses everything.
Verdict MaskCharAccepts(char maskChar, char ch);

// The limits on the first digits of a day (positions 0-1) and a month
// (positions 3-4); text is the control's own copy of its text.
bool WithinDateLimits(std::string_view text, std::size_t pos, char ch);

// The literal the control enters by itself at pos, or none for an input
// position, a position past the template, or an empty template.
std::optional<char> LiteralAt(std::string_view literal, std::size_t pos);

// The decision for a character typed with the caret at caret (selection
// already collapsed). When literal is set the control first writes it at the
// caret, which moves one on; the character is then judged, and written if
// accepted, at position.
struct TypedCharCheck {
    Verdict verdict = Verdict::Accept;
    std::optional<char> literal;
    std::size_t position = 0;
};
TypedCharCheck CheckTypedChar(const MaskSettings& settings, std::string_view text,
                              std::size_t caret, char ch);

// Writes ch at pos of the control's copy of its text; a position outside the
// text (after a clipboard edit shortened or lengthened the window) is left alone.
void OverwriteAt(std::string& text, std::size_t pos, char ch);

}  // namespace controls
