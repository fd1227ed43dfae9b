// The controls with their refusal sound counted instead of played, and
// typing of characters beyond Latin-1.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QString>
#include <QtTest/QTest>
#include <memory>

#include "controls/date_time_edit.h"
#include "controls/mask_edit.h"

template <class Edit>
class Counting : public Edit {
public:
    int beeps = 0;

    QString Window() const { return this->text(); }

protected:
    void Beep() override { ++beeps; }
};

using CountingMaskEdit = Counting<CMaskEdit>;
using CountingDateTimeEdit = Counting<CDateTimeEdit>;

// Types each character of text as a key press carrying it, whatever its
// code (QTest::keyClicks knows Latin-1 only).
inline void TypeText(QWidget* widget, const QString& text) {
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// The named action of the edit's context menu ("edit-undo", "edit-paste", ...), triggered when
// enabled. Returns whether the menu had it enabled.
inline bool TriggerMenuAction(CMaskEdit& edit, const QString& name) {
    const std::unique_ptr<QMenu> menu(edit.CreateContextMenu());
    for (QAction* action : menu->actions()) {
        if (action->objectName() != name) continue;
        if (!action->isEnabled()) return false;
        action->trigger();
        return true;
    }
    ADD_FAILURE() << "no context menu action " << name.toStdString();
    return false;
}
