#include "formats/tvx/tvx_header_reading.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "formats/date_time.h"
#include "formats/tvx/tvx_header.h"

namespace engine {

namespace {

// A cursor over the header's text, line by line.
class HeaderText {
public:
    explicit HeaderText(std::string_view text) : text_(text) {}

    // The rest of the line after `label`, or nullopt when the next line does
    // not start with it or has no CR LF.
    std::optional<std::string_view> Line(std::string_view label) {
        if (text_.substr(pos_, label.size()) != label) return std::nullopt;
        const std::size_t end = text_.find("\r\n", pos_);
        if (end == std::string_view::npos) return std::nullopt;
        const std::string_view value = text_.substr(pos_ + label.size(), end - pos_ - label.size());
        if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
            return std::nullopt;
        pos_ = end + 2;
        return value;
    }
    std::size_t position() const { return pos_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

bool Digits(std::string_view text, std::size_t minimum, std::size_t maximum, std::int32_t& value) {
    if (text.size() < minimum || text.size() > maximum) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

// "%02d %02d %02d" / "%02d %02d %04d" of non-negative fields.
bool ThreeFields(std::string_view text, std::size_t lastWidth, std::int32_t& a, std::int32_t& b,
                 std::int32_t& c) {
    const std::size_t first = text.find(' ');
    if (first == std::string_view::npos) return false;
    const std::size_t second = text.find(' ', first + 1);
    if (second == std::string_view::npos) return false;
    return Digits(text.substr(0, first), 2, 9, a) &&
           Digits(text.substr(first + 1, second - first - 1), 2, 9, b) &&
           Digits(text.substr(second + 1), lastWidth, 9, c);
}

// "%lf": an optional sign, digits, a point and six decimals.
bool IsRateText(std::string_view text) {
    if (!text.empty() && text[0] == '-') text.remove_prefix(1);
    const std::size_t point = text.find('.');
    if (point == 0 || point == std::string_view::npos || text.size() - point - 1 != 6) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (i != point && (text[i] < '0' || text[i] > '9')) return false;
    return true;
}

}  // namespace

std::optional<TraceHeaderFields> ParseTraceHeader(const char* bytes, std::size_t size) {
    if (bytes == nullptr || size < static_cast<std::size_t>(kTraceHeaderSize)) return std::nullopt;
    const std::string_view block(bytes, kTraceHeaderSize);
    // The text ends at its zero byte; the rest of the block is padding.
    const std::size_t nul = block.find('\0');
    if (nul == std::string_view::npos) return std::nullopt;
    if (block.find_first_not_of(' ', nul + 1) != std::string_view::npos) return std::nullopt;

    HeaderText text(block.substr(0, nul));
    TraceHeaderFields h;
    std::optional<std::string_view> v;
    if (!(v = text.Line("[TVX4.0]")) || !v->empty()) return std::nullopt;
    if (!(v = text.Line("Data offset=")) || *v != "512") return std::nullopt;
    if (!(v = text.Line("Start time=")) ||
        !ThreeFields(*v, 2, h.start.hour, h.start.minute, h.start.second))
        return std::nullopt;
    if (!(v = text.Line("Start date=")) ||
        !ThreeFields(*v, 4, h.start.day, h.start.month, h.start.year))
        return std::nullopt;
    if (!(v = text.Line("Time duration=")) ||
        !ThreeFields(*v, 2, h.durationHour, h.durationMinute, h.durationSecond))
        return std::nullopt;
    if (!(v = text.Line("Data Type=")) || *v != "SHORT") return std::nullopt;
    if (!(v = text.Line("SpS=")) || !IsRateText(*v)) return std::nullopt;
    h.rateText = *v;
    std::from_chars(v->data(), v->data() + v->size(), h.rate);
    if (!(v = text.Line("Gain=")) || *v != "1") return std::nullopt;
    if (!(v = text.Line("Station="))) return std::nullopt;
    h.station = *v;
    if (!(v = text.Line("Channel="))) return std::nullopt;
    h.channel = *v;
    if (text.position() != nul) return std::nullopt;
    return h;
}

DurationClock DurationClockOf(double seconds) {
    platform::CalendarFields c;
    CalendarFromEpoch(seconds, c);
    return {c.hour, c.minute, c.second};
}

}  // namespace engine
