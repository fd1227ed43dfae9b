#include "res/resource_table.h"

#include <QBitmap>
#include <QFile>

// The resource file lives in a static library: register it once by hand.
static void EnsureResourcesRegistered() {
    static const bool done = [] {
        Q_INIT_RESOURCE(kelvaron);
        return true;
    }();
    (void)done;
}

namespace res {
namespace {

struct CursorEntry {
    int id;
    const char* path;
    int hotX, hotY;
};

constexpr CursorEntry kCursors[] = {
    {kHoverCursor, ":/res/pictures/cursor133.png", 9, 1},  // the index fingertip
};

bool IsIconId(int id) {
    switch (id) {
        case kAppIcon:
        case kExitIcon:
        case kConvertIcon:
        case kConvertFileIcon:
        case kSelectAllIcon:
        case kClearIcon:
            return true;
        default:
            return false;
    }
}

bool IsBitmapId(int id) {
    return id == kCheckBoxBitmap || id == kDiskBitmap || id == kDiskMaskBitmap;
}

}  // namespace

QIcon LoadIcon(int id) {
    EnsureResourcesRegistered();
    if (!IsIconId(id)) return {};
    QIcon icon;
    for (int size : {16, 32})
        icon.addFile(QStringLiteral(":/res/pictures/icon%1_%2.png").arg(id).arg(size),
                     QSize(size, size));
    return icon;
}

QPixmap LoadBitmap(int id) {
    EnsureResourcesRegistered();
    if (!IsBitmapId(id)) return {};
    return QPixmap(QStringLiteral(":/res/pictures/bitmap%1.png").arg(id));
}

std::optional<QCursor> LoadCursor(int id) {
    EnsureResourcesRegistered();
    for (const CursorEntry& c : kCursors) {
        if (c.id != id) continue;
        QPixmap picture(QString::fromLatin1(c.path));
        if (picture.isNull()) return std::nullopt;
        return QCursor(picture, c.hotX, c.hotY);
    }
    return std::nullopt;
}

QString LoadString(int id) {
    switch (id) {
        case kAboutMenuText:
            return QStringLiteral("&About kelvaron...");
        default:
            return {};
    }
}

QPixmap WithTransparentColour(const QPixmap& bitmap, QColor transparent) {
    if (bitmap.isNull()) return bitmap;
    QPixmap result = bitmap;
    result.setMask(bitmap.createMaskFromColor(transparent, Qt::MaskInColor));
    return result;
}

}  // namespace res
