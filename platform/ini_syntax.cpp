#include "platform/ini_syntax.h"

namespace platform {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

namespace {
char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

bool LessNoCase(std::string_view a, std::string_view b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(LowerAscii(a[i]));
        const auto y = static_cast<unsigned char>(LowerAscii(b[i]));
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

IniLine ParseIniLine(std::string_view line) {
    IniLine result;
    std::string_view text = TrimBlanks(line);
    if (text.empty()) return result;
    if (text.front() == '[') {
        text.remove_prefix(1);
        std::size_t close = text.find(']');
        result.kind = IniLine::Kind::Section;
        result.name = TrimBlanks(text.substr(0, close));
        return result;
    }
    std::size_t eq = text.find('=');
    if (eq == std::string_view::npos) return result;
    result.kind = IniLine::Kind::Key;
    result.name = TrimBlanks(text.substr(0, eq));
    std::string_view value = text.substr(eq + 1);
    // Values are C strings to every caller: a NUL ends them.
    value = value.substr(0, value.find('\0'));
    result.value = TrimBlanks(value);
    return result;
}

}  // namespace platform
