#include "platform/message_catalogue.h"

#include <gtest/gtest.h>

namespace {

using platform::InterfaceLanguage;
using platform::TranslateMessage;

TEST(TranslateMessage, EnglishFillsTheMessagesArgumentsRussianKeepsTheText) {
    const struct {
        const char* text;
        const char* english;
    } cases[] = {
        {"Ошибка", "Error"},
        {"Ошибка записи файла /1429112007/143045-29112007.SHZ",
         "Cannot write file /1429112007/143045-29112007.SHZ"},
        {"Имя станции в файле '/data/ОБН 1.rec' не совпадает с выбранным(и)",
         "The station name in file '/data/ОБН 1.rec' does not match the selected station(s)"},
        {"Дата или время начала записи в файле '/data/krv 1.rec' невозможны",
         "The recording start date or time in file '/data/krv 1.rec' is impossible"},
        {"Ошибка открытия файла ", "Cannot open file "},  // an empty argument
        {"Связь с базой данных потеряна и не восстановлена, конвертирование остановлено\n"
         "08S01 server closed the connection",
         "The connection to the catalogue database was lost and could not be restored; the "
         "conversion has stopped\n08S01 server closed the connection"},
        // A detail of parts: each part in English, the path as it is.
        {"/srv/tvx/KRV/1015032024/100000-15032024.BHZ: файловая система только для чтения; "
         "Станция KRV, файл /rec/a; b.rec",
         "/srv/tvx/KRV/1015032024/100000-15032024.BHZ: read-only file system; Station KRV, file "
         "/rec/a; b.rec"},
        // Not a message of the catalogue: left alone, also a longer text
        // that merely begins like one without arguments.
        {"Ошибка: нет связи", "Ошибка: нет связи"},
        {"[unixODBC] connection refused", "[unixODBC] connection refused"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TranslateMessage(c.text, InterfaceLanguage::English), c.english) << c.text;
        EXPECT_EQ(TranslateMessage(c.text, InterfaceLanguage::Russian), c.text);
    }
}

}  // namespace
