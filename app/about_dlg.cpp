#include "app/about_dlg.h"

#include <QLabel>
#include <QPushButton>

#include "app/dialog_frame.h"
#include "res/dialog_templates.h"
#include "res/dialog_units.h"
#include "res/resource_table.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    const res::DialogTemplate& t = res::AboutDialogTemplate();
    const res::DialogBaseUnits units = SetUpDialogFrame(*this, t);

    for (const res::ControlTemplate& c : t.controls) {
        const QRect r = res::DialogUnitsToPixels(units, c.x, c.y, c.cx, c.cy);
        switch (c.kind) {
            case res::ControlKind::Icon: {
                auto* icon = new QLabel(this);
                icon->setPixmap(res::LoadIcon(res::kAppIcon).pixmap(32, 32));
                icon->setGeometry(r.x(), r.y(), 32, 32);  // an icon control takes the icon's size
                break;
            }
            case res::ControlKind::StaticText: {
                auto* text = new QLabel(QString::fromUtf8(c.text), this);
                text->setTextFormat(Qt::PlainText);
                text->setGeometry(r);
                break;
            }
            case res::ControlKind::DefaultPushButton: {
                auto* ok = new QPushButton(QString::fromUtf8(c.text), this);
                ok->setDefault(true);
                ok->setGeometry(r);
                connect(ok, &QPushButton::clicked, this, &QDialog::accept);
                break;
            }
            default:
                break;
        }
    }
}
