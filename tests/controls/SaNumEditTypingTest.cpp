#include "FieldFixture.h"

TEST_F(FieldTest, IntegerDigitsStopAtIntegerLength)
{
    field->setIntegerLength(7);
    field->setDecimalLength(0);
    type("12345678");
    EXPECT_EQ(field->Text(), "1234567");
    EXPECT_EQ(field->DisplayText(), "1,234,567");
    EXPECT_EQ(field->beeps, 1);
    EXPECT_EQ(field->AsInteger(), 1234567);
    EXPECT_EQ(changes, 7);
    type(".");  // no decimals allowed
    EXPECT_EQ(field->beeps, 2);
}

TEST_F(FieldTest, DecimalsStopAtDecimalLength)
{
    field->setDecimalLength(1);
    type("12.3");
    EXPECT_EQ(field->DisplayText(), "12.3");
    type("4");
    type(".");
    EXPECT_EQ(field->Text(), "12.3");
    EXPECT_EQ(field->beeps, 2);
    EXPECT_DOUBLE_EQ(double(field->AsFloat()), 12.3);
    EXPECT_EQ(field->AsInteger(), 0);
}

TEST_F(FieldTest, LeadingZerosAreTrimmedAsTyped)
{
    type(".");
    EXPECT_EQ(field->Text(), "0.");
    EXPECT_EQ(field->DisplayText(), "0.");
    field->ClearValue();
    type("00");
    EXPECT_EQ(field->Text(), "0");
    type("5");
    EXPECT_EQ(field->Text(), "5");
    EXPECT_EQ(field->beeps, 0);
}

TEST_F(FieldTest, MinusTogglesTheSignOrIsRefused)
{
    field->setMinus(false);
    type("12-");
    EXPECT_EQ(field->Text(), "12");
    EXPECT_EQ(field->beeps, 1);
    field->setMinus(true);
    type("-");
    EXPECT_EQ(field->Text(), "-12");
    type("-");
    EXPECT_EQ(field->Text(), "12");
}

TEST_F(FieldTest, OtherCharactersAreRefused)
{
    type("1a");
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(field->Text(), "1");
    EXPECT_EQ(field->beeps, 2);
}

TEST_F(FieldTest, BackspaceDropsTheLastCharacterAndAStrandedPoint)
{
    type("12.5");
    key(Qt::Key_Backspace);
    EXPECT_EQ(field->Text(), "12");
    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(field->Selected());
    key(Qt::Key_Delete);
    EXPECT_EQ(field->Text(), "");
    key(Qt::Key_Backspace);  // nothing left to delete
    EXPECT_EQ(field->beeps, 0);
}

TEST_F(FieldTest, UndoSwapsWithThePreviousValue)
{
    type("12.5");
    key(Qt::Key_Backspace);
    field->Undo();
    EXPECT_EQ(field->Text(), "12.5");
    EXPECT_TRUE(field->Selected());
    field->Undo();
    EXPECT_EQ(field->Text(), "12");

    // Typing over a selection is a clear and then a digit: undo gives the empty field.
    field->SelectAll();
    type("7");
    EXPECT_EQ(field->Text(), "7");
    field->Undo();
    EXPECT_EQ(field->Text(), "");
    field->Undo();
    EXPECT_EQ(field->Text(), "7");
}

TEST_F(FieldTest, TypingOverASelectionReplacesTheNumber)
{
    field->setMinus(false);
    type("99");
    field->SelectAll();
    type("-");  // refused before anything is cleared
    EXPECT_EQ(field->Text(), "99");
    EXPECT_TRUE(field->Selected());
    EXPECT_EQ(field->beeps, 1);
    type("3");
    EXPECT_EQ(field->Text(), "3");
}

TEST_F(FieldTest, ReadOnlyDropsTypingSilentlyButSelectsAndCopies)
{
    field->setText(QStringLiteral("42"));
    field->setReadOnly(true);
    type("1-.a");
    key(Qt::Key_Backspace);
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(field->Text(), "42");
    EXPECT_EQ(field->beeps, 0);
    key(Qt::Key_A, Qt::ControlModifier);
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "42");
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->Text(), "42");
}

TEST_F(FieldTest, EnterMovesTheFocusInsteadOfPressingTheDefaultButton)
{
    field->setEnterFocusMove(true);
    key(Qt::Key_Return);
    EXPECT_EQ(okClicks, 0);
    EXPECT_TRUE(okButton->hasFocus());

    field->setFocus(Qt::TabFocusReason);
    field->setEnterFocusMove(false);
    key(Qt::Key_Return);
    EXPECT_EQ(okClicks, 1);
}

TEST_F(FieldTest, ArrowsMoveTheFocusOnlyWhenAskedTo)
{
    key(Qt::Key_Down);
    EXPECT_TRUE(field->hasFocus());
    field->setArrowFocusMove(true);
    key(Qt::Key_Up);
    EXPECT_TRUE(before->hasFocus());
    field->setFocus(Qt::TabFocusReason);
    field->setOptions(TSaNumEdit::eoArrowUp);
    key(Qt::Key_Down);
    EXPECT_TRUE(field->hasFocus());
}

TEST_F(FieldTest, ModifiersMustMatchExactly)
{
    type("12");
    key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_TRUE(field->Selected());
    key(Qt::Key_Home);
    EXPECT_FALSE(field->Selected());
    key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(field->Selected());
}

TEST_F(FieldTest, InputMethodFullWidthFormsCountAsAscii)
{
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("－１２．５"));
    QApplication::sendEvent(field, &commit);
    EXPECT_EQ(field->Text(), "-12.5");
    QInputMethodEvent other;
    other.setCommitString(QStringLiteral("あ"));
    QApplication::sendEvent(field, &other);
    EXPECT_EQ(field->Text(), "-12.5");
    EXPECT_EQ(field->beeps, 1);
}

TEST_F(FieldTest, InputStopRefusesWhatWouldNotFit)
{
    field->setAutoSize(false);
    field->resize(field->TextWidthOf(QStringLiteral("1,234")) + 12, 20);
    field->setOptions(field->Options() | TSaNumEdit::eoORInputStop);
    type("123456");
    EXPECT_EQ(field->Text(), "1234");
    EXPECT_EQ(field->beeps, 2);

    // Over a selection the clear stands even when the digit does not fit.
    field->setLeftMark(QStringLiteral("WWWWWWWWWW"));
    field->SelectAll();
    type("1");
    EXPECT_EQ(field->Text(), "");
    EXPECT_EQ(field->beeps, 3);
}
