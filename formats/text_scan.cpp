#include "formats/text_scan.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace engine {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

void TextScanner::SkipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
}

bool TextScanner::Int(int width, std::int32_t& value) {
    SkipBlanks();
    std::size_t p = pos_;
    const std::size_t end = std::min(text_.size(), pos_ + static_cast<std::size_t>(width));
    bool negative = false;
    if (p < end && (text_[p] == '+' || text_[p] == '-')) {
        negative = text_[p] == '-';
        ++p;
    }
    if (p >= end || !IsDigit(text_[p])) return false;
    std::int64_t v = 0;
    for (; p < end && IsDigit(text_[p]); ++p) {
        // Widths here are at most a few digits; the clamp only guards misuse.
        v = std::min<std::int64_t>(v * 10 + (text_[p] - '0'),
                                   std::numeric_limits<std::int32_t>::max());
    }
    pos_ = p;
    value = static_cast<std::int32_t>(negative ? -v : v);
    return true;
}

bool TextScanner::AnyChar() {
    if (pos_ >= text_.size()) return false;
    ++pos_;
    return true;
}

bool TextScanner::Float(float& value) {
    SkipBlanks();
    std::size_t p = pos_;
    bool explicitPlus = false;
    if (p < text_.size() && text_[p] == '+') {
        explicitPlus = true;
        ++p;
    }
    if (p >= text_.size() || (explicitPlus && text_[p] == '-')) return false;
    const char* first = text_.data() + p;
    const char* last = text_.data() + text_.size();
    float f = 0;
    auto [ptr, ec] = std::from_chars(first, last, f, std::chars_format::general);
    if (ec == std::errc::invalid_argument) return false;
    if (ec == std::errc::result_out_of_range) {
        // Beyond float: take the double and let the narrowing give inf or 0.
        double d = 0;
        auto [dptr, dec] = std::from_chars(first, last, d, std::chars_format::general);
        ptr = dptr;
        if (dec == std::errc()) {
            f = static_cast<float>(d);
        } else {
            const std::string_view number(first, static_cast<std::size_t>(dptr - first));
            const bool tiny = number.find("e-") != std::string_view::npos ||
                              number.find("E-") != std::string_view::npos;
            f = tiny ? 0.0f : std::numeric_limits<float>::infinity();
            if (!number.empty() && number.front() == '-') f = -f;
        }
    }
    pos_ = static_cast<std::size_t>(ptr - text_.data());
    value = f;
    return true;
}

bool TextScanner::SkipRun(std::string_view set) {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && set.find(text_[pos_]) != std::string_view::npos) ++pos_;
    return pos_ > start;
}

}  // namespace engine
