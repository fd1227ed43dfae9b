// 8-bit texts (kelvaron.ini, recorder headers, trace headers) read as
// characters, by one rule: UTF-8 when the bytes are valid UTF-8, else the
// Cyrillic code page 1251 that the recorders and older settings files use.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates
// or code points above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);
// Code page 1251 bytes as code points (0x98, unassigned, becomes U+FFFD).
std::u32string DecodeCp1251(std::string_view bytes);
// UTF-8 when valid, else code page 1251.
std::u32string DecodeText8(std::string_view bytes);

}  // namespace platform
