// The language of the operator's texts: Russian unless KELVARON_LANG=en in the
// environment or LANG=en in section KELVARON of ./kelvaron.ini chooses English.
// The environment wins over the file, so one run can be switched alone.
#pragma once

#include <string_view>

namespace platform {

enum class InterfaceLanguage { Russian, English };

// From the two settings' texts ("" when unset): "en" (any case, also "en_GB"
// or "en.UTF-8") chooses English; "ru" or anything else Russian.
InterfaceLanguage ChooseInterfaceLanguage(std::string_view environmentValue,
                                          std::string_view iniValue);

class IniFile;

// The choice for this process, from $KELVARON_LANG and ./kelvaron.ini.
InterfaceLanguage CurrentInterfaceLanguage();
// The same from a kelvaron.ini already open.
InterfaceLanguage CurrentInterfaceLanguage(IniFile& kelvaronIni);

}  // namespace platform
