#include "FieldFixture.h"

#include <QFont>

TEST_F(FieldTest, FixedFlagsAndMarksShapeTheDisplay)
{
    field->setDecimalFixed(true);
    EXPECT_EQ(field->DisplayText(), "0.000");
    type("12.5");
    EXPECT_EQ(field->DisplayText(), "12.500");
    field->setDecimalFixed(false);
    field->setIntegerFixed(true);
    field->setText(QString());
    EXPECT_EQ(field->DisplayText(), "0");
    field->setIntegerFixed(false);
    EXPECT_EQ(field->DisplayText(), "");

    field->setLeftMark(QStringLiteral("¥"));
    field->setRightMark(QStringLiteral("円"));
    EXPECT_EQ(field->DisplayText(), "");
    field->setText(QStringLiteral("1234567"));
    EXPECT_EQ(field->DisplayText(), "¥1,234,567円");
    field->setComma(false);
    EXPECT_EQ(field->DisplayText(), "¥1234567円");
}

TEST_F(FieldTest, MarksAndNumberAreLaidOutForEachAlignment)
{
    field->setAutoSize(false);
    field->resize(160, 24);
    field->setLeftMark(QStringLiteral("¥"));
    field->setRightMark(QStringLiteral("円"));
    field->setText(QStringLiteral("1234"));
    const int edge = 2;

    // Right: the right mark ends at client width - margin - 1.
    EXPECT_EQ(field->RightMarkRect().left() + field->RightMarkRect().width(), edge + 156 - 2 - 1);
    EXPECT_EQ(field->TextRect().right() + 1, field->RightMarkRect().left());
    EXPECT_EQ(field->LeftMarkRect().right() + 1, field->TextRect().left());

    field->setAlignment(TSaNumEdit::taLeftJustify);
    EXPECT_EQ(field->LeftMarkRect().left(), edge + 2);
    EXPECT_EQ(field->LeftMarkRect().right() + 1, field->TextRect().left());

    field->setAlignment(TSaNumEdit::taCenter);
    const int leftGap = field->LeftMarkRect().left() - (edge + 2);
    const int rightGap = (edge + 156 - 2) - (field->RightMarkRect().right() + 1);
    EXPECT_LE(std::abs(leftGap - rightGap), 1);

    // Vertical placement.
    field->setVertAlignment(TSaNumEdit::taTopJustify);
    EXPECT_EQ(field->TextRect().top(), edge + 2);
    field->setVertAlignment(TSaNumEdit::taBottomJustify);
    EXPECT_EQ(field->TextRect().bottom() + 1, edge + 20 - 2);
}

TEST_F(FieldTest, IntegerFixedReservesRoomForEveryDigit)
{
    field->setAlignment(TSaNumEdit::taLeftJustify);
    field->setIntegerFixed(true);
    field->setMinus(false);
    field->setIntegerLength(4);
    field->setDecimalLength(0);
    type("5");
    // The number stands at the right end of a box as wide as "0,000".
    EXPECT_EQ(field->TextRect().left(),
              4 + field->TextWidthOf(QStringLiteral("0,000")) - field->TextWidthOf(QStringLiteral("5")));
}

TEST_F(FieldTest, CaretStandsAfterTheTypedPart)
{
    QFont bold = field->font();
    bold.setBold(true);
    field->setFont(bold);
    field->setDecimalLength(2);
    field->setDecimalFixed(true);
    type("1.5");
    const QRect number = field->TextRect();
    EXPECT_EQ(field->CaretPoint(), QPoint(number.left() + field->TextWidthOf(QStringLiteral("1.5")) - 1, number.top()));
    const QRect caret = field->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_EQ(caret.width(), 2);
}

TEST_F(FieldTest, MouseSelectsWholeOrNothing)
{
    type("1234");
    field->ClearSelection();
    const QPoint onNumber = field->TextRect().center();
    QTest::mouseDClick(field, Qt::LeftButton, Qt::NoModifier, onNumber);
    EXPECT_TRUE(field->Selected());
    QTest::mousePress(field, Qt::LeftButton, Qt::NoModifier, onNumber);
    EXPECT_FALSE(field->Selected());
    QMouseEvent drag(QEvent::MouseMove, onNumber, field->mapToGlobal(onNumber), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(field, &drag);
    EXPECT_TRUE(field->Selected());
    QTest::mouseRelease(field, Qt::LeftButton, Qt::NoModifier, onNumber);

    before->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(field->Selected());  // HideSelection
    QTest::mousePress(field, Qt::RightButton, Qt::NoModifier, onNumber);
    EXPECT_TRUE(field->hasFocus());
}

TEST_F(FieldTest, SelectedAndDisabledColours)
{
    type("88");
    field->SelectAll();
    const QPoint inside = field->TextRect().topLeft() + QPoint(1, 1);
    QImage image = field->grab().toImage();
    const QColor highlight = field->palette().color(QPalette::Highlight);
    bool found = false;
    for (int x = field->TextRect().left(); x <= field->TextRect().right() && !found; ++x)
        found = image.pixelColor(x, inside.y()) == highlight;
    EXPECT_TRUE(found);

    field->ClearSelection();
    field->setDisabledColor(Qt::red);
    field->setEnabled(false);
    image = field->grab().toImage();
    found = false;
    for (int y = field->TextRect().top(); y <= field->TextRect().bottom() && !found; ++y)
        for (int x = field->TextRect().left(); x <= field->TextRect().right() && !found; ++x)
            found = image.pixelColor(x, y) == QColor(Qt::red);
    EXPECT_TRUE(found);
}
