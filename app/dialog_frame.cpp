#include "app/dialog_frame.h"

res::DialogBaseUnits SetUpDialogFrame(QDialog& dialog, const res::DialogTemplate& t) {
    dialog.setWindowTitle(QString::fromUtf8(t.caption));
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const QFont font = res::DialogFont(t.fontName, t.pointSize);
    dialog.setFont(font);
    const res::DialogBaseUnits units = res::BaseUnitsOf(font);
    dialog.setFixedSize(res::DialogUnitsToPixels(units, t.cx, t.cy));
    return units;
}
