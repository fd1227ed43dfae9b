#include "platform/text_encoding.h"

#include <cstdint>

namespace platform {
namespace {

constexpr char16_t kCp1251High[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

bool IsContinuation(std::uint8_t b) { return (b & 0xC0) == 0x80; }

// Every code point of the table lies in the Basic Multilingual Plane.
void AppendUtf8(std::string& out, char16_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const std::uint8_t b = p[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        int extra;
        std::uint32_t cp;
        std::uint32_t minimum;
        if (b >= 0xC2 && b <= 0xDF) {
            extra = 1, cp = b & 0x1F, minimum = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2, cp = b & 0x0F, minimum = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3, cp = b & 0x07, minimum = 0x10000;
        } else {
            return false;
        }
        if (n - i < static_cast<std::size_t>(extra) + 1) return false;
        for (int k = 1; k <= extra; ++k) {
            if (!IsContinuation(p[i + k])) return false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += extra + 1;
    }
    return true;
}

std::string Cp1251ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto b = static_cast<std::uint8_t>(c);
        AppendUtf8(out, b < 0x80 ? char16_t(b) : kCp1251High[b - 0x80]);
    }
    return out;
}

std::string Text8ToUtf8(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return Cp1251ToUtf8(bytes);
}

std::string CutText8(std::string text, std::size_t chars) {
    if (text.size() <= chars) return text;
    if (!IsValidUtf8(text)) {
        text.resize(chars);
        return text;
    }
    std::size_t end = 0;
    for (std::size_t seen = 0; end < text.size(); ++end) {
        if (IsContinuation(static_cast<std::uint8_t>(text[end]))) continue;
        if (seen++ == chars) break;
    }
    text.resize(end);
    return text;
}

}  // namespace platform
