// How one line of an INI file reads: section header, key line, or neither.
#pragma once

#include <string_view>

namespace platform {

struct IniLine {
    enum class Kind { Other, Section, Key };
    Kind kind = Kind::Other;
    std::string_view name;   // section or key name, blanks trimmed
    std::string_view value;  // key value, blanks trimmed, cut at a NUL byte
};

// line: without its "\n"; a trailing "\r" is treated as a blank.
IniLine ParseIniLine(std::string_view line);

bool EqualsNoCase(std::string_view a, std::string_view b);
// The order that goes with EqualsNoCase (ASCII letters folded to lower case).
bool LessNoCase(std::string_view a, std::string_view b);
struct NoCaseLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return LessNoCase(a, b); }
};

// The blanks that TrimBlanks removes: space, tab, CR, VT and FF.
bool IsBlank(char c);
std::string_view TrimBlanks(std::string_view text);

}  // namespace platform
