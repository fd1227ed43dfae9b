// 8-bit texts (kelvaron.ini, recorder headers, catalogue rows, engine
// messages) at the UI edge: UTF-8 when the bytes are valid UTF-8, else the
// Cyrillic code page 1251 the recorders and older settings files use (the
// rule itself lives in platform/text_encoding.h).
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace app {

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates
// or code points above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);
// Code page 1251 bytes -> text (0x98, unassigned, becomes U+FFFD).
QString DecodeCp1251(std::string_view bytes);
// UTF-8 when valid, else code page 1251.
QString FromText8(std::string_view bytes);
// Text typed or shown in the dialog back to bytes for files and the engine.
std::string ToText8(const QString& text);

}  // namespace app
