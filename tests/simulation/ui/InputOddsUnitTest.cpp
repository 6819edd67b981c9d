#include "WinDialogFixture.h"
#include "simulation/ui/InputKingakuUnit.h"
#include "simulation/ui/InputOddsUnit.h"

#include <QPushButton>

TEST_F(WinDialogTest, OddsDialogLooksAsDesigned)
{
    TInputOddsForm form(*day, inputs, showResult);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("仮定オッズ入力"));
    EXPECT_EQ(form.size(), QSize(197, 140));
    EXPECT_EQ(form.Label1->text(),
              QStringLiteral("シミュレーションしたいオッズを入力\nしてください。（低下した仮定オッズ）"));
    EXPECT_EQ(form.SaNumEditExC1->DecimalLength(), 1);
    EXPECT_TRUE(form.SaNumEditExC1->EnterFocusMove());
    EXPECT_TRUE(form.SaNumEditExC1->ArrowFocusMove());
}

TEST_F(WinDialogTest, AcceptedOddsWriteAmountOddsAndTotal)
{
    TInputOddsForm form(*day, inputs, showResult);
    enterAndOk(form, 1, "10.0");
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(cell(1, 6), "  2,173,900");
    EXPECT_EQ(cell(1, 7), "     10.0");
    EXPECT_EQ(inputs.virtualTotal, "    978,261");
}

TEST_F(WinDialogTest, UnrealisticOddsKeepTheDialogOpen)
{
    TInputKingakuForm earlier(*day, inputs, showResult);
    enterAndOk(earlier, 1, "150000");

    TInputOddsForm form(*day, inputs, showResult);
    enterAndOk(form, 1, "4.0");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.seen()[0].title, QStringLiteral("エラー"));
    EXPECT_EQ(boxes.seen()[0].text, QStringLiteral("非現実的な数値が入力されました。"));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.SaNumEditExC1->Text(), "4.0");
    EXPECT_EQ(cell(1, 6), " ");
    EXPECT_EQ(cell(1, 7), " ");
    EXPECT_EQ(inputs.virtualTotal, "  1,001,500");
}

TEST_F(WinDialogTest, OddsNotAboveOneOrEmptyAreRefusedWithTheGridUntouched)
{
    TInputOddsForm accepted(*day, inputs, showResult);
    enterAndOk(accepted, 1, "10.0");

    for (const char* keys : {"1.0", ""}) {
        TInputOddsForm form(*day, inputs, showResult);
        enterAndOk(form, 1, keys);
        ASSERT_FALSE(boxes.seen().isEmpty());
        EXPECT_EQ(boxes.seen().back().text, QStringLiteral("１倍よりも大きい数字を入力してください。")) << keys;
        EXPECT_EQ(boxes.seen().back().title, QStringLiteral("エラー"));
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(cell(1, 7), "     10.0");
        EXPECT_EQ(cell(1, 8), "   100000");
    }
    EXPECT_EQ(boxes.count(), 2);
}

TEST_F(WinDialogTest, ASecondSimulationOnAnotherRunnerClearsTheFirst)
{
    TInputOddsForm odds(*day, inputs, showResult);
    enterAndOk(odds, 1, "10.0");
    TInputKingakuForm amount(*day, inputs, showResult);
    enterAndOk(amount, 2, "150000");
    EXPECT_EQ(cell(1, 6), " ");
    EXPECT_EQ(cell(1, 7), " ");
    EXPECT_EQ(cell(1, 8), "   100000");
    EXPECT_EQ(cell(2, 6), "    150,000");
}

TEST_F(WinDialogTest, OddsOnARaceWithoutVotesFailWithTheDialogOpen)
{
    const tavek::test::H1Record empty = tavek::test::exampleWinRace().winTotal(0);
    std::copy(empty.bytes().begin(), empty.bytes().end(), day->VoteRecords[0].begin());
    TInputOddsForm form(*day, inputs, showResult);
    form.Label3D9->setText(QStringLiteral("1"));
    form.show();
    QTest::keyClicks(form.SaNumEditExC1, QStringLiteral("10.0"));
    // The application's error report takes the exception; the dialog stays.
    EXPECT_THROW(form.BitBtn1Click(), std::runtime_error);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(boxes.count(), 0);
}
