#include "app/fit_text.h"

namespace app {
namespace {

// The cut text and its "..." are built in a 256-byte buffer.
constexpr int kBufferSize = 256;
const QString kEllipsis = QStringLiteral("...");

}  // namespace

QString FitTextToWidth(const QString& text, int room, const TextWidthFn& width) {
    const auto limit = static_cast<unsigned>(room);
    const int full = width(text);
    if (full < 0 || static_cast<unsigned>(full) <= limit) return text;
    const int ellipsis = width(kEllipsis);
    if (ellipsis < 0) return text;
    for (qsizetype keep = text.size() - 1; keep >= 0; --keep) {
        if (keep + kEllipsis.size() >= kBufferSize) continue;
        const int head = width(text.left(keep));
        if (head < 0) return text;
        if (static_cast<unsigned>(head) + static_cast<unsigned>(ellipsis) <= limit)
            return text.left(keep) + kEllipsis;
    }
    return text;
}

}  // namespace app
