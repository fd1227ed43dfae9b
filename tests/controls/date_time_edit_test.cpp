#include "controls/date_time_edit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest/QTest>
#include <string>
#include <vector>

#include "controls/error_box.h"
#include "counting_edits.h"

namespace {

class StartField : public ::testing::Test {
protected:
    void SetUp() override {
        edit.SetDisplayMode(2);
        edit.SetDateTime(2000, 1, 1, 0, 0, 0);
    }

    CountingDateTimeEdit edit;
};

TEST(DateTimeEdit, ConstructedWithTheMaskOnAndNoDateChecks) {
    CountingDateTimeEdit edit;
    EXPECT_TRUE(edit.m_bUseMask);
    EXPECT_FALSE(edit.m_bDateChecks);
    EXPECT_TRUE(edit.m_strValid.empty());
}

TEST(DateTimeEdit, DisplayModeTwoSetsMaskAndTemplateButNotTheText) {
    CountingDateTimeEdit edit;
    edit.SetMaskedText("whatever");
    edit.m_strValid = "x";
    edit.SetDisplayMode(2);
    EXPECT_EQ(edit.m_nMode, 2);
    EXPECT_EQ(edit.m_strMask, "00:00:00 00/00/0000");
    EXPECT_EQ(edit.m_strLiteral, "__:__:__ __/__/____");
    EXPECT_EQ(edit.m_strValid, "x");
    EXPECT_EQ(edit.m_strText, "whatever");
    EXPECT_EQ(edit.Window(), "whatever");

    edit.SetDisplayMode(3);  // no other mode has a layout
    EXPECT_EQ(edit.m_nMode, 3);
    EXPECT_EQ(edit.m_strMask, "00:00:00 00/00/0000");
}

TEST_F(StartField, SetDateTimeShowsModeTwoText) {
    EXPECT_EQ(edit.Window(), "00:00:00 01/01/2000");
    EXPECT_EQ(edit.m_strText, "00:00:00 01/01/2000");
    edit.SetDateTime(2024, 12, 31, 23, 5, 9);
    EXPECT_EQ(edit.Window(), "23:05:09 31/12/2024");
}

TEST_F(StartField, TypingSixDigitsFillsTheTimeAndWritesTheColons) {
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, "123045");
    EXPECT_EQ(edit.Window(), "12:30:45 01/01/2000");
    EXPECT_EQ(edit.m_strText, "12:30:45 01/01/2000");
    EXPECT_EQ(edit.cursorPosition(), 9);  // the blank after the seconds is written too
    EXPECT_EQ(edit.beeps, 0);

    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    edit.GetDateTime(y, mo, d, h, mi, s);
    EXPECT_EQ((std::vector<int>{y, mo, d, h, mi, s}), (std::vector<int>{2000, 1, 1, 12, 30, 45}));
}

TEST_F(StartField, TypingTheWholeFieldThenOneMoreIsRefused) {
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, "23595929021999");
    EXPECT_EQ(edit.Window(), "23:59:59 29/02/1999");
    EXPECT_EQ(edit.beeps, 0);
    QTest::keyClicks(&edit, "1");
    EXPECT_EQ(edit.Window(), "23:59:59 29/02/1999");
    EXPECT_EQ(edit.beeps, 1);
    EXPECT_FALSE(edit.IsValid());  // typing allows what IsValid then rejects
}

TEST_F(StartField, IsValidJudgesTheTextTheFieldHolds) {
    struct Case {
        const char* text;
        bool valid;
    };
    const Case cases[] = {
        {"12:00:00 29/02/2007", false}, {"12:00:00 29/02/2000", true},
        {"12:00:00 29/02/1900", false}, {"24:00:00 01/01/2000", false},
        {"00:60:00 01/01/2000", false}, {"00:00:60 01/01/2000", false},
        {"00:00:00 00/01/2000", true},  {"00:00:00 01/00/2000", false},
        {"00:00:00 31/04/2000", false}, {"23:59:59 31/12/1999", true},
        {"00:00:00 01/01", false},      {"", false},
        {"00:00:00 01.01.2000", false},
    };
    for (const auto& c : cases) {
        edit.SetMaskedText(c.text);
        EXPECT_EQ(edit.IsValid(), c.valid) << c.text;
    }
}

TEST_F(StartField, GetDateTimeLeavesFieldsTheTextDoesNotHold) {
    edit.SetMaskedText("07:08 ");
    int y = 1, mo = 2, d = 3, h = 4, mi = 5, s = 6;
    edit.GetDateTime(y, mo, d, h, mi, s);
    EXPECT_EQ((std::vector<int>{y, mo, d, h, mi, s}), (std::vector<int>{1, 2, 3, 7, 8, 6}));
}

// Pasted text is typed through the mask or refused as a whole, by key and by
// the context menu alike: the window always shows what GetDateTime reads.
TEST_F(StartField, PasteGoesThroughTheMaskOrNotAtAll) {
    constexpr const char* kBefore = "00:00:00 01/01/2000";
    struct Case {
        int selectionStart;
        int selectionLength;
        const char* pasted;
        const char* shown;
        int beeps;
    };
    const Case cases[] = {
        {0, 19, "11:00:00 09/12/2026", "11:00:00 09/12/2026", 0},
        {0, 0, " 11\n", "11:00:00 01/01/2000", 0},
        {0, 0, "1130", "11:30:00 01/01/2000", 0},
        {2, 0, ":3", "00:30:00 01/01/2000", 0},  // the separator on its own place
        {9, 0, "09/12", "00:00:00 09/12/2000", 0},
        {0, 0, "25:00:00", "25:00:00 01/01/2000", 0},  // shown as used; the run's check refuses it
        {0, 0, "x", kBefore, 1},
        {0, 0, "11.00", kBefore, 1},
        {0, 19, "11:00:00 09/12/2026 more", kBefore, 1},
        {0, 0, "\xd0\xb6", kBefore, 1},
    };
    for (const bool byMenu : {false, true}) {
        for (const auto& c : cases) {
            edit.SetDateTime(2000, 1, 1, 0, 0, 0);
            edit.beeps = 0;
            edit.setSelection(c.selectionStart, c.selectionLength);
            QGuiApplication::clipboard()->setText(QString::fromUtf8(c.pasted));
            if (byMenu)
                EXPECT_TRUE(TriggerMenuAction(edit, QStringLiteral("edit-paste")));
            else
                QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
            EXPECT_EQ(edit.Window(), c.shown) << c.pasted << " menu " << byMenu;
            EXPECT_EQ(edit.m_strText, c.shown) << c.pasted << " menu " << byMenu;
            EXPECT_EQ(edit.beeps, c.beeps) << c.pasted << " menu " << byMenu;
        }
    }
}

// The dialog's check before a run, with the modal box recorded instead.
class StartFieldExchange : public StartField {
protected:
    struct Shown {
        QWidget* owner;
        QString text;
        QString caption;
    };

    void SetUp() override {
        StartField::SetUp();
        previous = controls::SetErrorBoxHandler(
            [this](QWidget* owner, const QString& text, const QString& caption) {
                shown.push_back({owner, text, caption});
            });
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(&other);
        layout->addWidget(&edit);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        other.setFocus();
        ASSERT_TRUE(other.hasFocus());
    }
    void TearDown() override {
        controls::SetErrorBoxHandler(previous);
        edit.setParent(nullptr);
    }

    controls::ErrorBoxHandler previous;
    std::vector<Shown> shown;
    QWidget window;
    QLineEdit other;
};

TEST_F(StartFieldExchange, SavingAValidStartSucceedsQuietly) {
    EXPECT_TRUE(DDX_DateTimeEdit(DataExchange::Save, edit));
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(other.hasFocus());
}

TEST_F(StartFieldExchange, SavingAnInvalidStartTellsTheOperatorAndFails) {
    edit.SetMaskedText("24:00:00 01/01/2000");
    EXPECT_FALSE(DDX_DateTimeEdit(DataExchange::Save, edit));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].owner, &edit);
    EXPECT_EQ(shown[0].text.toStdString(), "Введено ошибочное время");
    EXPECT_EQ(shown[0].caption.toStdString(), "Ошибка");
    EXPECT_TRUE(edit.hasFocus());
}

TEST_F(StartFieldExchange, LoadingNeverChecks) {
    edit.SetMaskedText("24:00:00 01/01/2000");
    EXPECT_TRUE(DDX_DateTimeEdit(DataExchange::Load, edit));
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(other.hasFocus());
}

}  // namespace
