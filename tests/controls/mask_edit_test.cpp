#include "controls/mask_edit.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QtTest/QTest>

#include "controls/duration_field.h"
#include "counting_edits.h"

namespace {

class DurationField : public ::testing::Test {
protected:
    void SetUp() override { controls::ConfigureDurationField(edit); }

    void TypeAt(int caret, const char* keys) {
        edit.setCursorPosition(caret);
        QTest::keyClicks(&edit, keys);
    }

    CountingMaskEdit edit;
};

TEST_F(DurationField, ConfigurationMatchesTheDialogsDurationField) {
    EXPECT_TRUE(edit.m_bUseMask);
    EXPECT_FALSE(edit.m_bDateChecks);
    EXPECT_EQ(edit.m_strMask, "000 00:00:00");
    EXPECT_EQ(edit.m_strLiteral, "___ __:__:__");
    EXPECT_EQ(edit.m_strValid, "000 00:01:00");
    EXPECT_EQ(edit.m_strText, "000 00:30:00");
    EXPECT_EQ(edit.Window(), "000 00:30:00");
}

TEST_F(DurationField, DigitOnTheBlankWritesTheBlankThenTheDigitAfterIt) {
    // The blank is rewritten, the caret steps to 4 and the '5' overwrites the
    // hours' tens digit there.
    TypeAt(3, "5");
    EXPECT_EQ(edit.Window(), "000 50:30:00");
    EXPECT_EQ(edit.m_strText, "000 50:30:00");
    EXPECT_EQ(edit.cursorPosition(), 5);
    EXPECT_EQ(edit.beeps, 0);
}

TEST_F(DurationField, TypingOverwritesAndStepsOverLiterals) {
    TypeAt(0, "0011230");
    EXPECT_EQ(edit.Window(), "001 12:30:00");
    EXPECT_EQ(edit.m_strText, "001 12:30:00");
    EXPECT_EQ(edit.cursorPosition(), 10);
}

TEST_F(DurationField, DeletingKeysChangeNothing) {
    for (const int caret : {0, 4, 12}) {
        for (const auto key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Insert}) {
            for (const auto mods : {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier}) {
                edit.setCursorPosition(caret);
                QTest::keyClick(&edit, key, mods);
                EXPECT_EQ(edit.Window(), "000 00:30:00")
                    << caret << " key " << key << " mods " << mods;
            }
        }
    }
    EXPECT_EQ(edit.m_strText, "000 00:30:00");
    EXPECT_EQ(edit.beeps, 0);
}

TEST_F(DurationField, ASelectionIsReplacedOnlyAtItsFirstCharacter) {
    edit.setSelection(4, 5);  // "00:30"
    QTest::keyClicks(&edit, "7");
    EXPECT_EQ(edit.Window(), "000 70:30:00");
    EXPECT_EQ(edit.m_strText, "000 70:30:00");
    EXPECT_EQ(edit.cursorPosition(), 5);
    EXPECT_FALSE(edit.hasSelectedText());

    // A selection made from right to left behaves the same.
    edit.setCursorPosition(12);
    edit.cursorBackward(true, 4);
    QTest::keyClicks(&edit, "9");
    EXPECT_EQ(edit.Window(), "000 70:39:00");
}

TEST_F(DurationField, AlwaysValidCharactersGoOverDigitPositions) {
    TypeAt(1, " :");
    EXPECT_EQ(edit.Window(), "0 : 00:30:00");
    EXPECT_EQ(edit.m_strText, "0 : 00:30:00");
    EXPECT_EQ(edit.beeps, 0);
}

TEST_F(DurationField, RefusedCharactersBeepAndChangeNothing) {
    TypeAt(4, "x-/");
    EXPECT_EQ(edit.Window(), "000 00:30:00");
    EXPECT_EQ(edit.cursorPosition(), 4);
    EXPECT_EQ(edit.beeps, 3);
}

TEST_F(DurationField, TypingAtTheEndOfTheMaskIsRefused) {
    TypeAt(12, "1");
    EXPECT_EQ(edit.Window(), "000 00:30:00");
    EXPECT_EQ(edit.beeps, 1);
}

TEST_F(DurationField, CharactersBeyondSingleBytesAreRefused) {
    edit.setCursorPosition(0);
    TypeText(&edit, QStringLiteral("жё"));
    EXPECT_EQ(edit.Window(), "000 00:30:00");
    EXPECT_EQ(edit.m_strText, "000 00:30:00");
    EXPECT_EQ(edit.beeps, 2);
}

TEST_F(DurationField, ComposedInputIsTypedCharacterByCharacter) {
    edit.setCursorPosition(0);
    QInputMethodEvent compose(QStringLiteral("12"), {});
    QApplication::sendEvent(&edit, &compose);
    EXPECT_EQ(edit.Window(), "000 00:30:00");
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("1x2"));
    QApplication::sendEvent(&edit, &commit);
    EXPECT_EQ(edit.Window(), "120 00:30:00");
    EXPECT_EQ(edit.m_strText, "120 00:30:00");
    EXPECT_EQ(edit.beeps, 1);
}

TEST_F(DurationField, CaretKeysMoveAsInAPlainEdit) {
    edit.setCursorPosition(0);
    QTest::keyClick(&edit, Qt::Key_End);
    EXPECT_EQ(edit.cursorPosition(), 12);
    QTest::keyClick(&edit, Qt::Key_Left);
    QTest::keyClick(&edit, Qt::Key_Left);
    EXPECT_EQ(edit.cursorPosition(), 10);
    QTest::keyClick(&edit, Qt::Key_Home);
    EXPECT_EQ(edit.cursorPosition(), 0);
}

// Undo, redo, cut and delete would change the text outside the mask: by key,
// by the context menu and by a queued slot call, none changes it.
TEST_F(DurationField, CommandsPastTheMaskChangeNothing) {
    TypeAt(0, "001");  // gives the edit an undo history
    const std::string typed = "001 00:30:00";
    ASSERT_EQ(edit.m_strText, typed);
    QGuiApplication::clipboard()->setText(QStringLiteral("999 99:99:99"));
    const auto expectUnchanged = [&](const std::string& what) {
        EXPECT_EQ(edit.Window().toStdString(), typed) << what;
        EXPECT_EQ(edit.m_strText, typed) << what;
    };

    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_Z, Qt::ControlModifier},    {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_Y, Qt::ControlModifier},    {Qt::Key_X, Qt::ControlModifier},
        {Qt::Key_Delete, Qt::ShiftModifier}, {Qt::Key_Insert, Qt::ShiftModifier},
    };
    for (const auto& [key, mods] : keys) {
        edit.setSelection(4, 5);
        QTest::keyClick(&edit, key, mods);
        expectUnchanged("key " + std::to_string(key));
    }
    for (const char* name : {"edit-undo", "edit-redo", "edit-cut", "edit-delete"}) {
        edit.setSelection(4, 5);
        EXPECT_FALSE(TriggerMenuAction(edit, QString::fromLatin1(name))) << name;
        expectUnchanged(name);
    }
    for (const char* slot : {"undo", "cut", "paste", "clear"}) {
        edit.setSelection(4, 5);
        QMetaObject::invokeMethod(&edit, slot, Qt::QueuedConnection);
        QCoreApplication::processEvents();
        expectUnchanged(slot);
    }
    EXPECT_EQ(edit.beeps, 0);
}

TEST(MaskEdit, StartsAsAPlainEdit) {
    CountingMaskEdit edit;
    EXPECT_FALSE(edit.m_bUseMask);
    EXPECT_FALSE(edit.m_bDateChecks);
    EXPECT_FALSE(edit.m_bSending);
    EXPECT_TRUE(edit.m_strText.empty());
    QTest::keyClicks(&edit, "ab-12");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Delete);
    TypeText(&edit, QStringLiteral("ж"));
    EXPECT_EQ(edit.Window(), QStringLiteral("жb-1"));
    edit.selectAll();
    QTest::keyClicks(&edit, "z");
    EXPECT_EQ(edit.Window(), "z");
    // The clipboard commands are a plain edit's own.
    QGuiApplication::clipboard()->setText(QStringLiteral("x y"));
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.Window(), "zx y");
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit.Window(), "z");
    EXPECT_TRUE(TriggerMenuAction(edit, QStringLiteral("edit-paste")));
    EXPECT_EQ(edit.Window(), "zx y");
    EXPECT_EQ(edit.beeps, 0);
    EXPECT_TRUE(edit.m_strText.empty());
}

TEST(MaskEdit, SetMaskDecidesWhetherTheMaskIsOn) {
    CountingMaskEdit edit;
    edit.SetMask("00:00", "__:__", "1");
    EXPECT_TRUE(edit.m_bUseMask);
    EXPECT_EQ(edit.m_strLiteral, "__:__");
    EXPECT_EQ(edit.m_strValid, "1");

    edit.SetMask();  // absent: off, the rest kept
    EXPECT_FALSE(edit.m_bUseMask);
    EXPECT_EQ(edit.m_strMask, "00:00");
    EXPECT_EQ(edit.m_strLiteral, "__:__");

    edit.SetMask("");  // empty: off
    EXPECT_FALSE(edit.m_bUseMask);
    EXPECT_EQ(edit.m_strMask, "");

    edit.SetMask("00:00", "__:", std::nullopt);  // template of the wrong length is dropped
    EXPECT_TRUE(edit.m_bUseMask);
    EXPECT_EQ(edit.m_strLiteral, "");
    EXPECT_EQ(edit.m_strValid, "");
}

TEST(MaskEdit, WithoutATemplateLiteralPositionsRefuseTyping) {
    CountingMaskEdit edit;
    edit.SetMask("00:00", "__:", std::nullopt);
    edit.SetMaskedText("12:34");
    edit.setCursorPosition(1);
    QTest::keyClicks(&edit, "56");
    EXPECT_EQ(edit.Window(), "15:34");
    EXPECT_EQ(edit.cursorPosition(), 2);
    EXPECT_EQ(edit.beeps, 1);
}

TEST(MaskEdit, TypingAtTheEndOfAShortTextGrowsItUpToTheMask) {
    CountingMaskEdit edit;
    edit.SetMask("00:00", "__:__", std::nullopt);
    edit.SetMaskedText("");
    QTest::keyClicks(&edit, "12345");
    EXPECT_EQ(edit.Window(), "12:34");
    EXPECT_EQ(edit.beeps, 1);  // '5' lands past the mask
    EXPECT_EQ(edit.m_strText, "12:34");
}

TEST(MaskEdit, DateChecksRefuseSilentlyBeyondTheLimits) {
    CountingMaskEdit edit;
    edit.SetMask("00/00/0000", "__/__/____", std::nullopt);
    edit.m_bDateChecks = true;
    edit.SetMaskedText("01/01/2000");

    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, "4");
    EXPECT_EQ(edit.Window(), "01/01/2000");
    QTest::keyClicks(&edit, "3");
    QTest::keyClicks(&edit, "2");  // 32 is no day
    EXPECT_EQ(edit.Window(), "31/01/2000");
    EXPECT_EQ(edit.cursorPosition(), 1);
    QTest::keyClicks(&edit, "0");
    EXPECT_EQ(edit.Window(), "30/01/2000");
    QTest::keyClicks(&edit, "2");  // month tens
    EXPECT_EQ(edit.Window(), "30/01/2000");
    QTest::keyClicks(&edit, "13");  // 13 is no month
    EXPECT_EQ(edit.Window(), "30/11/2000");
    QTest::keyClicks(&edit, "2");
    EXPECT_EQ(edit.Window(), "30/12/2000");
    EXPECT_EQ(edit.m_strText, "30/12/2000");
    EXPECT_EQ(edit.beeps, 0);

    QTest::keyClicks(&edit, "x");  // not a digit: beeps even with date checks
    EXPECT_EQ(edit.beeps, 1);
}

TEST(MaskEdit, WithoutDateChecksAnyDigitGoes) {
    CountingMaskEdit edit;
    edit.SetMask("00/00/0000", "__/__/____", std::nullopt);
    edit.SetMaskedText("01/01/2000");
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, "9999");
    EXPECT_EQ(edit.Window(), "99/99/2000");
}

}  // namespace
