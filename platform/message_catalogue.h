// The operator messages of the engine and of the batch command in the
// interface language, without Qt. The catalogue is the program's one English
// catalogue (context "messages"), built into this library.
#pragma once

#include <string>
#include <string_view>

#include "platform/interface_language.h"

namespace platform {

// Russian: the text as it is. English: the catalogue's translation of the
// message the text is an instance of: a message "Ошибка записи файла %1"
// translates "Ошибка записи файла /1429112007/x.SHZ" with the file name put
// into the English text, itself translated when it is a message. A text that
// is no message but parts joined by "; " is translated part by part. A text
// the catalogue does not know stays as it is.
std::string TranslateMessage(std::string_view text, InterfaceLanguage language);
// In the language of this process: the one last set, else the one
// CurrentInterfaceLanguage() gives on first use.
std::string TranslateMessage(std::string_view text);
void SetMessageLanguage(InterfaceLanguage language);

}  // namespace platform
