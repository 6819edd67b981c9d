#include "WinDialogFixture.h"
#include "odds/ui/InputKingakuUnit.h"
#include "odds/ui/InputOddsUnit.h"

#include <QPushButton>

using tavek::MessageBox;

TEST_F(WinDialogTest, OddsDialogLooksAsDesigned)
{
    TInputOddsForm form(sheet);
    EXPECT_EQ(form.objectName(), QStringLiteral("InputOddsForm"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("仮定オッズ入力"));
    EXPECT_EQ(form.size(), QSize(197, 140 + 30));  // and the note
    EXPECT_EQ(form.Label1->text(),
              QStringLiteral("シミュレーションしたいオッズを入力\nしてください。（低下した仮定オッズ）"));
    EXPECT_EQ(form.SaNumEditExC1->DecimalLength(), 1);
    EXPECT_TRUE(form.SaNumEditExC1->EnterFocusMove());
    EXPECT_TRUE(form.SaNumEditExC1->ArrowFocusMove());
}

TEST_F(WinDialogTest, AcceptedOddsAreShownAndClose)
{
    TInputOddsForm form(sheet);
    enterAndOk(form, 1, "10.0");
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(cell(1, 7), "     10.0");
    EXPECT_EQ(sheet.Label3D13->text(), "    978,261");
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(WinDialogTest, RefusedOddsShowTheMessageAndKeepTheDialogOpen)
{
    TInputKingakuForm earlier(sheet);
    enterAndOk(earlier, 1, "150000");

    TInputOddsForm form(sheet);
    enterAndOk(form, 1, "4.0");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.seen()[0].kind, MessageBox::Kind::Error);
    EXPECT_EQ(boxes.seen()[0].title, QStringLiteral("エラー"));
    EXPECT_EQ(boxes.seen()[0].text,
              QStringLiteral("非現実的な数値が入力されました。現在のオッズ 8.0 倍より大きい数字を入力してください。"));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.SaNumEditExC1->Text(), "4.0");
    // The field has the focus back, its text selected: the next odds typed replace it.
    EXPECT_EQ(form.focusWidget(), form.SaNumEditExC1);
    QTest::keyClicks(form.SaNumEditExC1, "9.5");
    EXPECT_EQ(form.SaNumEditExC1->Text(), "9.5");
    // The refused odds change nothing: the earlier stake stays on the sheet.
    EXPECT_EQ(cell(1, 6), "    150,000");
    EXPECT_EQ(cell(1, 8), "   101,500");
    EXPECT_EQ(sheet.Label3D13->text(), "  1,001,500");

    // An empty field is no odds at all: refused like odds not above 1.
    TInputOddsForm empty(sheet);
    enterAndOk(empty, 1, "");
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.seen()[1].kind, MessageBox::Kind::Error);
    EXPECT_EQ(boxes.seen()[1].title, QStringLiteral("エラー"));
    EXPECT_EQ(boxes.seen()[1].text, QStringLiteral("１倍よりも大きい数字を入力してください。"));
    EXPECT_TRUE(empty.isVisible());
}

TEST_F(WinDialogTest, OddsOnARaceWithoutVotesShowTheFailureWithTheDialogOpen)
{
    const tavek::test::H1Record empty = tavek::test::exampleWinRace().winTotal(0);
    day->setVoteRecord(0, empty.bytes());
    TInputOddsForm form(sheet);
    enterAndOk(form, 1, "10.0");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.seen()[0].kind, MessageBox::Kind::Error);
    EXPECT_TRUE(boxes.seen()[0].text.contains(QStringLiteral("単勝合計票数が 0")))
        << boxes.seen()[0].text.toStdString();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.SaNumEditExC1->Text(), "10.0");
}
