#include "platform/message_catalogue.h"

#include <array>
#include <atomic>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace platform {

namespace {

struct Entry {
    const char* russian;
    const char* english;
};

constexpr Entry kCatalogue[] = {
#include "message_catalogue_table.inc"
};

// A pattern cut at its place holders %1 ... %9: literal pieces and, between
// them, the numbers of the arguments.
struct Pattern {
    std::vector<std::string_view> literals;  // one more than holes
    std::vector<int> holes;
};

Pattern Cut(std::string_view pattern) {
    Pattern p;
    std::size_t start = 0;
    for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
        if (pattern[i] != '%' || pattern[i + 1] < '1' || pattern[i + 1] > '9') continue;
        p.literals.push_back(pattern.substr(start, i - start));
        p.holes.push_back(pattern[i + 1] - '0');
        start = i + 2;
        ++i;
    }
    p.literals.push_back(pattern.substr(start));
    return p;
}

// The arguments, by number, when text is an instance of the pattern.
std::optional<std::array<std::string_view, 10>> Match(const Pattern& p, std::string_view text) {
    if (!text.starts_with(p.literals.front())) return std::nullopt;
    std::array<std::string_view, 10> args;
    std::size_t pos = p.literals.front().size();
    for (std::size_t h = 0; h < p.holes.size(); ++h) {
        const std::string_view next = p.literals[h + 1];
        std::size_t end;
        if (h + 1 == p.holes.size()) {
            if (text.size() < pos + next.size() || !text.ends_with(next)) return std::nullopt;
            end = text.size() - next.size();
        } else {
            end = text.find(next, pos);
            if (next.empty() || end == std::string_view::npos) return std::nullopt;
        }
        args[static_cast<std::size_t>(p.holes[h])] = text.substr(pos, end - pos);
        pos = end + next.size();
    }
    if (p.holes.empty() && text.size() != pos) return std::nullopt;
    return args;
}

std::string Fill(std::string_view pattern, const std::array<std::string_view, 10>& args) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
            pattern[i + 1] <= '9') {
            out += args[static_cast<std::size_t>(pattern[i + 1] - '0')];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

// The catalogue's Russian patterns, cut once: a run may say thousands of lines.
const std::vector<Pattern>& CutCatalogue() {
    static const std::vector<Pattern> patterns = [] {
        std::vector<Pattern> cut;
        cut.reserve(std::size(kCatalogue));
        for (const Entry& e : kCatalogue) cut.push_back(Cut(e.russian));
        return cut;
    }();
    return patterns;
}

}  // namespace

std::string TranslateMessage(std::string_view text, InterfaceLanguage language) {
    if (language != InterfaceLanguage::English) return std::string(text);
    const std::vector<Pattern>& patterns = CutCatalogue();
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        const auto args = Match(patterns[i], text);
        if (!args) continue;
        // An argument may be a message itself (a system's reason, a check's
        // finding); names and paths match none and stay as they are.
        std::array<std::string, 10> english;
        std::array<std::string_view, 10> filled;
        for (std::size_t k = 0; k < args->size(); ++k) {
            const std::string_view arg = (*args)[k];
            english[k] =
                arg.size() < text.size() ? TranslateMessage(arg, language) : std::string(arg);
            filled[k] = english[k];
        }
        return Fill(kCatalogue[i].english, filled);
    }
    // A detail of several parts ("path: reason; Станция X, файл Y") is no
    // message as a whole: each part is one.
    if (const std::size_t cut = text.find("; "); cut != std::string_view::npos)
        return TranslateMessage(text.substr(0, cut), language) + "; " +
               TranslateMessage(text.substr(cut + 2), language);
    return std::string(text);
}

namespace {

// -1 until chosen; then the InterfaceLanguage.
std::atomic<int>& ProcessLanguage() {
    static std::atomic<int> language{-1};
    return language;
}

}  // namespace

void SetMessageLanguage(InterfaceLanguage language) {
    ProcessLanguage().store(static_cast<int>(language));
}

std::string TranslateMessage(std::string_view text) {
    int language = ProcessLanguage().load();
    if (language < 0) {
        language = static_cast<int>(CurrentInterfaceLanguage());
        ProcessLanguage().store(language);
    }
    return TranslateMessage(text, static_cast<InterfaceLanguage>(language));
}

}  // namespace platform
