#include "platform/station_order.h"

#include <algorithm>
#include <utility>

#include "platform/text_encoding.h"

namespace platform {
namespace {

char32_t Lower(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 0x20;
    if (c >= 0x0410 && c <= 0x042F) return c + 0x20;  // А..Я
    if (c >= 0x0400 && c <= 0x040F) return c + 0x50;  // Ѐ..Џ, Ё among them
    if (c == 0x0490) return 0x0491;                   // Ґ
    return c;
}

// The code points of well-formed UTF-8.
std::u32string CodePoints(const std::string& utf8) {
    std::u32string points;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const int extra = b < 0x80 ? 0 : b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
        char32_t c = extra == 0 ? b : b & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < utf8.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        points.push_back(c);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return points;
}

// Twice the code point of the lower-case letter; ё goes between е and ж.
std::u32string SortKey(std::string_view name) {
    std::u32string key = CodePoints(Text8ToUtf8(name));
    for (char32_t& c : key) {
        const char32_t lower = Lower(c);
        c = lower == 0x0451 ? (0x0435 << 1) + 1 : lower << 1;
    }
    return key;
}

}  // namespace

bool StationLess(std::string_view a, std::string_view b) { return SortKey(a) < SortKey(b); }

bool StationEquals(std::string_view a, std::string_view b) { return SortKey(a) == SortKey(b); }

bool SameStationText(std::string_view a, std::string_view b) {
    return a == b || Text8ToUtf8(a) == Text8ToUtf8(b);
}

void SortStations(std::vector<std::string>& names) {
    // Each name's key once, not once per comparison: kelvaron.ini may list
    // a hundred thousand stations.
    std::vector<std::pair<std::u32string, std::size_t>> keys;
    keys.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) keys.emplace_back(SortKey(names[i]), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const auto& key : keys) sorted.push_back(std::move(names[key.second]));
    names = std::move(sorted);
}

}  // namespace platform
