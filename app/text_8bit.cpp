#include "app/text_8bit.h"

#include "platform/text8.h"

namespace app {

bool IsValidUtf8(std::string_view bytes) { return platform::IsValidUtf8(bytes); }

QString DecodeCp1251(std::string_view bytes) {
    const std::u32string points = platform::DecodeCp1251(bytes);
    return QString::fromUcs4(points.data(), static_cast<qsizetype>(points.size()));
}

QString FromText8(std::string_view bytes) {
    if (IsValidUtf8(bytes))
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return DecodeCp1251(bytes);
}

std::string ToText8(const QString& text) {
    return text.toStdString();  // UTF-8
}

}  // namespace app
