// The one rule for 8-bit texts (recorder headers, settings files, TVX
// headers) where they meet a Unicode boundary: the catalogue, file names,
// the screen. Bytes that are well-formed UTF-8 are UTF-8; anything else is
// the Cyrillic code page 1251 of the recorders and older settings files.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates
// or code points above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Code page 1251 bytes as UTF-8 (0x98, unassigned, becomes U+FFFD).
std::string Cp1251ToUtf8(std::string_view bytes);

// An 8-bit text as UTF-8: unchanged when valid UTF-8, else read as code page 1251.
std::string Text8ToUtf8(std::string_view bytes);

// The first `chars` characters of an 8-bit text as the rule reads it: whole
// UTF-8 sequences of a UTF-8 text, bytes of a code page 1251 text.
std::string CutText8(std::string text, std::size_t chars);

}  // namespace platform
