#include "platform/interface_language.h"

#include <cstdlib>
#include <string>

#include "platform/ini_file.h"

namespace platform {

namespace {

// "en", "EN", "en_US", "en.UTF-8": the language part of a locale-like text.
bool IsEnglish(std::string_view value) {
    if (value.size() < 2) return false;
    const auto lower = [](char c) { return static_cast<char>(c | 0x20); };
    if (lower(value[0]) != 'e' || lower(value[1]) != 'n') return false;
    return value.size() == 2 || value[2] == '_' || value[2] == '-' || value[2] == '.';
}

}  // namespace

InterfaceLanguage ChooseInterfaceLanguage(std::string_view environmentValue,
                                          std::string_view iniValue) {
    const std::string_view chosen = environmentValue.empty() ? iniValue : environmentValue;
    return IsEnglish(chosen) ? InterfaceLanguage::English : InterfaceLanguage::Russian;
}

InterfaceLanguage CurrentInterfaceLanguage() {
    IniFile kelvaronIni(KelvaronIniPath());
    return CurrentInterfaceLanguage(kelvaronIni);
}

InterfaceLanguage CurrentInterfaceLanguage(IniFile& kelvaronIni) {
    const char* env = std::getenv("KELVARON_LANG");
    return ChooseInterfaceLanguage(env ? env : "",
                                   kelvaronIni.GetString("KELVARON", "LANG", "", 31));
}

}  // namespace platform
