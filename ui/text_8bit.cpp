#include "ui/text_8bit.h"

#include "platform/text_encoding.h"

namespace app {

bool IsValidUtf8(std::string_view bytes) { return platform::IsValidUtf8(bytes); }

QString DecodeCp1251(std::string_view bytes) {
    return QString::fromStdString(platform::Cp1251ToUtf8(bytes));
}

QString FromText8(std::string_view bytes) {
    return QString::fromStdString(platform::Text8ToUtf8(bytes));
}

std::string ToText8(const QString& text) {
    return text.toStdString();  // UTF-8
}

}  // namespace app
