// The front end's pictures and strings by numeric id, from the compiled-in
// Qt resource file. Unknown ids give null objects, never an exception.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <optional>

#include "res/resource_ids.h"

namespace res {

// An icon with its 16- and 32-pixel pictures.
QIcon LoadIcon(int id);
// A bitmap exactly as drawn (no transparency applied).
QPixmap LoadBitmap(int id);
// A cursor with its hot spot; nullopt for an unknown id.
std::optional<QCursor> LoadCursor(int id);
// A string table entry; empty for an unknown id.
QString LoadString(int id);

// The bitmap with every pixel of exactly `transparent` made transparent.
QPixmap WithTransparentColour(const QPixmap& bitmap, QColor transparent);

}  // namespace res
