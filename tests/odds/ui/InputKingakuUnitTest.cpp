#include "WinDialogFixture.h"
#include "controls/FixedDialog.h"
#include "odds/ui/InputKingakuUnit.h"

#include <QPushButton>

TEST_F(WinDialogTest, AmountDialogLooksAsDesigned)
{
    TInputKingakuForm form(sheet);
    EXPECT_EQ(form.objectName(), QStringLiteral("InputKingakuForm"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("仮定投資金額入力"));
    // 187 wide as designed, widened where a title bar would cut the caption.
    EXPECT_EQ(form.size(),
              QSize(std::max(187, tavek::dialog::captionWidth(form.windowTitle())), 138 + 30));  // and the note
    EXPECT_EQ(form.Label1->text(), QStringLiteral("シミュレーションしたい金額を入力\nしてください。"));
    EXPECT_EQ(form.Label3D8->text(), QStringLiteral("対象馬の馬番："));
    EXPECT_EQ(form.BitBtn2->text(), QStringLiteral("閉じる(&C)"));
    EXPECT_TRUE(form.BitBtn1->isDefault());
    EXPECT_EQ(form.SaNumEditExC1->IntegerLength(), 7);
    EXPECT_EQ(form.SaNumEditExC1->DecimalLength(), 0);
    EXPECT_FALSE(form.SaNumEditExC1->Minus());
    EXPECT_EQ(form.SaNumEditExC1->size(), QSize(121, 20));
}

TEST_F(WinDialogTest, AmountOkRunsTheStakeSimulationOnTheSheetAndCloses)
{
    TInputKingakuForm form(sheet);
    enterAndOk(form, 1, "150000");
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(cell(1, 6), "    150,000");
    EXPECT_EQ(sheet.Label3D13->text(), "  1,001,500");

    // An empty field is an amount of 0.
    TInputKingakuForm empty(sheet);
    enterAndOk(empty, 3, "");
    EXPECT_EQ(cell(3, 6), "          0");
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(WinDialogTest, CloseChangesNothing)
{
    TInputKingakuForm form(sheet);
    form.Label3D9->setText(QStringLiteral("1"));
    form.show();
    QTest::keyClicks(form.SaNumEditExC1, QStringLiteral("5000"));
    QTest::mouseClick(form.BitBtn2, Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(cell(1, 6), " ");
    EXPECT_EQ(sheet.Label3D13->text(), "");
    EXPECT_EQ(day->winTotal(0), 1'000'000);
}

TEST_F(WinDialogTest, EnterMovesFromTheFieldToOkAndThenPressesIt)
{
    TInputKingakuForm form(sheet);
    form.Label3D9->setText(QStringLiteral("2"));
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_TRUE(form.SaNumEditExC1->hasFocus());
    QTest::keyClicks(form.SaNumEditExC1, QStringLiteral("1000"));
    QTest::keyClick(form.SaNumEditExC1, Qt::Key_Return);
    EXPECT_TRUE(form.BitBtn1->hasFocus());
    EXPECT_EQ(cell(2, 6), " ");
    QTest::keyClick(form.BitBtn1, Qt::Key_Return);
    EXPECT_EQ(cell(2, 6), "      1,000");
}

// A beep alone goes unheard on a muted desktop: the note under the field says
// the limit, and what a stake with a remainder is taken as, before OK.
TEST_F(WinDialogTest, NoteSaysTheLimitAndTheStakeTakenAndEscapeCloses)
{
    TInputKingakuForm form(sheet);
    form.Label3D9->setText(QStringLiteral("1"));
    form.show();
    int refusals = 0;
    QObject::connect(form.SaNumEditExC1, &TSaNumEdit::OnRefuse, [&] { ++refusals; });
    QTest::keyClicks(form.SaNumEditExC1, QStringLiteral("1253"));
    EXPECT_EQ(form.Label2->text(), QStringLiteral("1,253円は1,200円（12票）として計算します。"));
    QTest::keyClicks(form.SaNumEditExC1, QStringLiteral("0000"));
    EXPECT_EQ(form.SaNumEditExC1->Text(), "1253000");
    EXPECT_EQ(refusals, 1);
    EXPECT_EQ(form.Label2->text(), QStringLiteral("金額は9,999,999円（7桁）までです。"));
    EXPECT_EQ(form.SaNumEditExC1->toolTip(), form.Label2->text());
    QTest::keyClick(form.SaNumEditExC1, Qt::Key_Backspace);
    EXPECT_EQ(form.Label2->text(), "");  // 125,300 yen is whole votes

    QTest::keyClick(form.SaNumEditExC1, Qt::Key_Escape);
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(cell(1, 6), " ");
}
