#include <string>
#include <string_view>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/file_system.h"
#include "platform/ini_file.h"
#include "platform/ini_syntax.h"

namespace platform {

namespace {

struct LineSpan {
    std::size_t begin, end, next;  // text [begin, end), next line at `next`
};

std::vector<LineSpan> SplitLines(const std::string& text) {
    std::vector<LineSpan> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t nl = text.find('\n', pos);
        std::size_t end = nl == std::string::npos ? text.size() : nl;
        lines.push_back({pos, end, nl == std::string::npos ? text.size() : nl + 1});
        pos = lines.back().next;
    }
    return lines;
}

// Returns the new text of the file.
std::string WithValue(const std::string& text, std::string_view section, std::string_view key,
                      std::string_view value) {
    const std::string eol = text.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    const std::string keyLine = std::string(key) + "=" + std::string(value);
    std::vector<LineSpan> lines = SplitLines(text);

    std::size_t i = 0;
    for (; i < lines.size(); ++i) {
        IniLine parsed = ParseIniLine(
            std::string_view(text).substr(lines[i].begin, lines[i].end - lines[i].begin));
        if (parsed.kind == IniLine::Kind::Section && EqualsNoCase(parsed.name, section)) break;
    }
    if (i == lines.size()) {
        std::string out = text;
        if (!out.empty() && out.back() != '\n') out += eol;
        return out + "[" + std::string(section) + "]" + eol + keyLine + eol;
    }

    // Insert point for a missing key: after the section's last non-blank line.
    std::size_t insertAt = lines[i].next;
    bool lastHasBreak = lines[i].next != lines[i].end;
    for (std::size_t j = i + 1; j < lines.size(); ++j) {
        std::string_view raw =
            std::string_view(text).substr(lines[j].begin, lines[j].end - lines[j].begin);
        IniLine parsed = ParseIniLine(raw);
        if (parsed.kind == IniLine::Kind::Section) break;
        if (parsed.kind == IniLine::Kind::Key && EqualsNoCase(parsed.name, key)) {
            // Keep everything up to and including "=", and the line break.
            std::size_t eq = text.find('=', lines[j].begin);
            std::size_t valueEnd = lines[j].end;
            if (valueEnd > lines[j].begin && text[valueEnd - 1] == '\r') --valueEnd;
            return text.substr(0, eq + 1) + std::string(value) + text.substr(valueEnd);
        }
        if (!TrimBlanks(raw).empty()) {
            insertAt = lines[j].next;
            lastHasBreak = lines[j].next != lines[j].end;
        }
    }
    std::string insert = (lastHasBreak ? "" : eol) + keyLine + eol;
    return text.substr(0, insertAt) + insert + text.substr(insertAt);
}

}  // namespace

bool WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value) {
    std::string text;
    ReadResult read = ReadWholeFile(path, kMaxSettingsFileSize, text);
    if (read == ReadResult::Failed) return false;
    return WriteFileAtomically(path, WithValue(text, section, key, value));
}

}  // namespace platform
