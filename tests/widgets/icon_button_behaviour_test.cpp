#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "tests/widgets/widget_test_support.h"
#include "widgets/icon_button.h"

using widgets::CIconButton;
using namespace widgets_test;

namespace {

// A dialog: edit, button, edit, edit, laid out top to bottom in tab order.
class DialogFixture : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApp();
        auto* layout = new QVBoxLayout(&dialog);
        first = new QLineEdit(&dialog);
        button = new CIconButton(QStringLiteral("Конвертировать"), &dialog);
        second = new QLineEdit(&dialog);
        third = new QLineEdit(&dialog);
        for (QWidget* w : {static_cast<QWidget*>(first), static_cast<QWidget*>(button),
                           static_cast<QWidget*>(second), static_cast<QWidget*>(third)})
            layout->addWidget(w);
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    QPoint Inside() const { return button->rect().center(); }

    QApplication& app = EnsureQtApp();  // before any widget
    QDialog dialog;
    QLineEdit* first = nullptr;
    CIconButton* button = nullptr;
    QLineEdit* second = nullptr;
    QLineEdit* third = nullptr;
};

TEST_F(DialogFixture, HoverStartsOnAMoveOverTheButton) {
    EXPECT_FALSE(button->IsHover());
    SendMouseMove(button, Inside());
    EXPECT_TRUE(button->IsHover());
}

TEST_F(DialogFixture, DraggingInWithTheLeftButtonHeldDoesNotStartHover) {
    SendMouseMove(button, Inside(), Qt::LeftButton);
    EXPECT_FALSE(button->IsHover());
    // Other buttons held do not count.
    SendMouseMove(button, Inside(), Qt::RightButton);
    EXPECT_TRUE(button->IsHover());
    SendMouseMove(button, QPoint(-5, -5));
    EXPECT_FALSE(button->IsHover());
    // Released and moved again: it lights up.
    SendMouseMove(button, Inside());
    EXPECT_TRUE(button->IsHover());
}

TEST_F(DialogFixture, HoverEndsOnMoveOutsideLeaveFocusLossAndDisabling) {
    const std::function<void()> enders[] = {
        [&] { SendMouseMove(button, QPoint(button->width() + 3, 2), Qt::LeftButton); },
        [&] {
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(button, &leave);
        },
        [&] {
            button->setFocus();
            first->setFocus();
        },
        [&] { button->setEnabled(false); },
    };
    for (const auto& end : enders) {
        button->setEnabled(true);
        SendMouseMove(button, Inside());
        ASSERT_TRUE(button->IsHover());
        end();
        EXPECT_FALSE(button->IsHover());
    }
}

TEST_F(DialogFixture, DoubleClickCountsAsTwoClicks) {
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    const QPoint at = Inside();
    SendMouse(button, QEvent::MouseButtonPress, at, Qt::LeftButton);
    SendMouse(button, QEvent::MouseButtonRelease, at, Qt::NoButton);
    SendMouse(button, QEvent::MouseButtonDblClick, at, Qt::LeftButton);
    SendMouse(button, QEvent::MouseButtonRelease, at, Qt::NoButton);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(DialogFixture, AClickGivesTheButtonTheFocusBeforeTheDialogHearsOfIt) {
    button->setFocusPolicy(Qt::TabFocus);  // a press alone would not focus it
    first->setFocus();
    bool focusedWhenClicked = false;
    QObject::connect(button, &QAbstractButton::clicked,
                     [&] { focusedWhenClicked = button->hasFocus(); });
    QTest::mouseClick(button, Qt::LeftButton, {}, Inside());
    EXPECT_TRUE(focusedWhenClicked);
}

TEST_F(DialogFixture, DisablingMovesTheFocusToTheNextTabStopWhoeverHadIt) {
    for (QWidget* holder : {static_cast<QWidget*>(button), static_cast<QWidget*>(first),
                            static_cast<QWidget*>(third)}) {
        button->setEnabled(true);
        holder->setFocus();
        button->setEnabled(false);
        EXPECT_EQ(QApplication::focusWidget(), second);
    }
}

TEST_F(DialogFixture, DisablingSkipsDisabledTabStopsAndWrapsAround) {
    second->setEnabled(false);
    first->setFocus();
    button->setEnabled(false);
    EXPECT_EQ(QApplication::focusWidget(), third);

    button->setEnabled(true);
    third->setEnabled(false);
    button->setEnabled(false);
    EXPECT_EQ(QApplication::focusWidget(), first);
}

TEST_F(DialogFixture, DisablingWithNoOtherTabStopFocusesTheDialog) {
    first->setEnabled(false);
    second->setEnabled(false);
    third->setEnabled(false);
    button->setFocus();
    button->setEnabled(false);
    EXPECT_EQ(QApplication::focusWidget(), &dialog);
}

TEST(IconButtonBehaviour, DisablingTheParentLeavesTheFocusAlone) {
    EnsureQtApp();
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* edit = new QLineEdit(&dialog);
    auto* group = new QWidget(&dialog);
    auto* button = new CIconButton(QStringLiteral("Все"), group);
    auto* after = new QLineEdit(&dialog);
    layout->addWidget(edit);
    layout->addWidget(group);
    layout->addWidget(after);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    edit->setFocus();
    group->setEnabled(false);
    EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), edit);
}

TEST_F(DialogFixture, TheButtonIsNeverChecked) {
    button->setCheckable(true);
    button->setChecked(true);
    EXPECT_FALSE(button->isChecked());
    QTest::mouseClick(button, Qt::LeftButton, {}, Inside());
    EXPECT_FALSE(button->isChecked());
    EXPECT_FALSE(button->isCheckable());
}

TEST_F(DialogFixture, EnterClicksTheDialogsDefaultButton) {
    button->setDefault(true);
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 1);
}

}  // namespace
