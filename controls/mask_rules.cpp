#include "controls/mask_rules.h"

namespace controls {

bool IsPrintable(char ch) {
    const auto c = static_cast<unsigned char>(ch);
    return c >= 0x20 && c <= 0x7E;
}

bool IsLetter(char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); }

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

Verdict MaskCharAccepts(char maskChar, char ch) {
    bool accepted = false;
    switch (maskChar) {
        case '0':
            accepted = IsDigit(ch);
            break;
        case '9':
            accepted = IsPrintable(ch) && ch != ' ';
            break;
        case '#':
            accepted = IsDigit(ch) || ch == ' ' || ch == 'k' || ch == 'm';
            break;
        case 'L':
            accepted = IsLetter(ch);
            break;
        case '?':
            accepted = IsLetter(ch) || ch == ' ';
            break;
        case 'A':
            accepted = IsLetter(ch) || IsDigit(ch);
            break;
        case 'a':
            accepted = IsLetter(ch) || IsDigit(ch) || ch == ' ';
            break;
        case '&':
            accepted = IsPrintable(ch);
            break;
        default:
            accepted = false;
            break;
    }
    return accepted ? Verdict::Accept : Verdict::RefuseWithBeep;
}

bool WithinDateLimits(std::string_view text, std::size_t pos, char ch) {
    const auto charAt = [&](std::size_t i) { return i < text.size() ? text[i] : '\0'; };
    switch (pos) {
        case 0:
            return ch <= '3';
        case 1:
            return charAt(0) != '3' || ch <= '1';
        case 3:
            return ch <= '1';
        case 4:
            return charAt(3) != '1' || ch <= '2';
        default:
            return true;
    }
}

std::optional<char> LiteralAt(std::string_view literal, std::size_t pos) {
    if (pos >= literal.size() || literal[pos] == '_') return std::nullopt;
    return literal[pos];
}

TypedCharCheck CheckTypedChar(const MaskSettings& settings, std::string_view text,
                              std::size_t caret, char ch) {
    TypedCharCheck check;
    check.position = caret;
    if (!IsPrintable(ch)) return check;
    if (caret >= settings.mask.size()) {
        check.verdict = Verdict::RefuseWithBeep;
        return check;
    }
    // The literal under the caret is written first; the date limits then see
    // the text as it stands after that write.
    std::string current(text);
    if ((check.literal = LiteralAt(settings.literal, caret))) {
        OverwriteAt(current, caret, *check.literal);
        check.position = caret + 1;
    }
    if (settings.valid.find(ch) != std::string_view::npos) return check;
    const std::size_t pos = check.position;
    if (pos >= settings.mask.size()) {
        check.verdict = Verdict::RefuseWithBeep;
        return check;
    }
    check.verdict = MaskCharAccepts(settings.mask[pos], ch);
    if (check.verdict == Verdict::Accept && settings.mask[pos] == '0' && settings.dateChecks &&
        !WithinDateLimits(current, pos, ch))
        check.verdict = Verdict::RefuseSilently;
    return check;
}

void OverwriteAt(std::string& text, std::size_t pos, char ch) {
    if (pos < text.size()) text[pos] = ch;
}

}  // namespace controls
