#include "PairTabFixture.h"

#include "controls/Label3D.h"
#include "controls/MessageBox.h"
#include "controls/SaNumEditExC.h"
#include "odds/ui/BracketTab.h"
#include "odds/ui/PairCell.h"
#include "odds/ui/PairDialogs.h"
#include "odds/ui/QuinellaTab.h"
#include "support/gui/BoxAnswerer.h"
#include "support/gui/DialogCatcher.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace tavek::sim;
using tavek::pools::PairKind;
using tavek::test::BoxAnswerer;
using tavek::test::DialogCatcher;
using tavek::test::H1Record;

namespace {

void typeAndOk(QWidget* dialog, const QString& value)
{
    auto* d = qobject_cast<PairInputDialog*>(dialog);
    ASSERT_NE(d, nullptr);
    QTest::keyClicks(d->SaNumEditExC1, value);
    QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
}

// The texts the model gives for the same race and simulation: what tavek-cli prints.
PairBoard expectedBoard(PairKind kind, QByteArrayView record, int k, long long stake, double odds = 0)
{
    PairBoard board(kind);
    int total = -1;
    std::vector<int> votes(size_t(pairCount(kind)));
    board.calculate(record, {total, votes});
    if (odds > 0)
        board.simulateOdds(record, {total, votes}, pairLabel(kind, k), odds);
    else
        board.simulateStake(record, {total, votes}, pairLabel(kind, k), stake);
    return board;
}

}  // namespace

TEST(QuinellaTab, ShowsTheBoardAndOpensTheStakeDialogFromARealCell)
{
    PairDay day;
    QuinellaTab tab;
    tab.setSlotSource(day.source(PairKind::Quinella));
    tab.clearFigures();
    tab.calcUbtnClick(0);
    EXPECT_EQ(tab.realCell(1)->text(), tab.board().real(1).text);
    EXPECT_EQ(tab.realTotalBox()->text(), tab.board().realTotal());
    EXPECT_EQ(tab.virtualTotalBox()->text(), "");
    EXPECT_EQ(tab.realCell(5)->cursor().shape(), Qt::PointingHandCursor);

    QString caption, pair;
    DialogCatcher catcher([&](QDialog* w) {
        caption = w->windowTitle();
        pair = static_cast<PairInputDialog*>(w)->Label3D9->text();
        typeAndOk(w, "150000");
    });
    QTest::mouseClick(tab.realCell(20), Qt::LeftButton);
    ASSERT_EQ(catcher.count(), 1);
    EXPECT_EQ(caption, "仮定投資金額入力（馬連）");
    EXPECT_EQ(pair, " 2- 5");
    EXPECT_EQ(tab.realCell(20)->background(), PairSheet::selectedColour());

    const PairBoard expected = expectedBoard(PairKind::Quinella, day.record, 20, 150000);
    for (int k = 1; k <= 153; ++k)
        ASSERT_EQ(tab.virtualCell(k)->text(), expected.virtualCell(k).text) << k;
    EXPECT_EQ(tab.virtualTotalBox()->text(), expected.virtualTotal());
    EXPECT_EQ(tab.excessBox()->text(), "    150,000円");
}

TEST(QuinellaTab, BlankRealCellOpensNothingFromEitherSide)
{
    PairDay day(H1Record().quinellaTotal(1000).quinella(1, 10));
    QuinellaTab tab;
    tab.setSlotSource(day.source(PairKind::Quinella));
    tab.calcUbtnClick(0);
    DialogCatcher catcher;
    tab.Label4Click(2);
    tab.Label453Click(2);
    EXPECT_EQ(catcher.count(), 0);
    EXPECT_EQ(tab.virtualCell(2)->background(), PairSheet::virtualColour());
    EXPECT_EQ(tab.realCell(2)->background(), PairSheet::realColour());
}

TEST(QuinellaTab, OddsDialogRefusesAndStaysOpenThenAccepts)
{
    PairDay day;
    QuinellaTab tab;
    tab.setSlotSource(day.source(PairKind::Quinella));
    tab.calcUbtnClick(0);

    BoxAnswerer boxes;
    bool closedAfterAccept = false;
    DialogCatcher catcher([&](QDialog* w) {
        auto* d = static_cast<PairInputDialog*>(w);
        EXPECT_EQ(d->windowTitle(), "仮定オッズ入力（馬連）");
        typeAndOk(d, "1.0");
        EXPECT_TRUE(d->isVisible());
        d->SaNumEditExC1->setText("1.5");
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        EXPECT_TRUE(d->isVisible());
        d->SaNumEditExC1->setText("999.9");
        QTest::mouseClick(d->BitBtn1, Qt::LeftButton);
        closedAfterAccept = !d->isVisible();
    });
    tab.Label453Click(1);
    ASSERT_EQ(catcher.count(), 1);
    EXPECT_EQ(boxes.texts(),
              QStringList({"１倍よりも大きい数字を入力してください。", "非現実的な数値が入力されました。"}));
    for (const tavek::MessageBox::Request& box : boxes.seen()) {
        EXPECT_EQ(box.kind, tavek::MessageBox::Kind::Error);
        EXPECT_EQ(box.title, "エラー");
    }
    EXPECT_TRUE(closedAfterAccept);
    const PairBoard expected = expectedBoard(PairKind::Quinella, day.record, 1, 0, 999.9);
    for (int k = 1; k <= 153; ++k)
        ASSERT_EQ(tab.virtualCell(k)->text(), expected.virtualCell(k).text) << k;
    EXPECT_EQ(tab.excessBox()->text(), expected.excess());
    EXPECT_EQ(tab.virtualCell(1)->background(), PairSheet::selectedColour());
}

TEST(BracketTab, SameBracketPairAndBracketColours)
{
    PairDay day(H1Record().bracketTotal(200000).bracket(9, 6000).bracket(2, 1000));
    BracketTab tab;
    tab.setSlotSource(day.source(PairKind::Bracket));
    tab.bracketSection(0);
    EXPECT_EQ(tab.realCell(9)->text(), "  25.0");
    EXPECT_EQ(tab.realCell(1)->text(), " ");
    EXPECT_EQ(tab.findChild<QLabel*>("Heading3")->palette().color(QPalette::Window), QColor(0xFF0000));
    EXPECT_EQ(tab.findChild<QLabel*>("Row36")->palette().color(QPalette::Window), QColor(0xFF00FF));
    // Light numbers on the dark brackets, dark ones on white and yellow.
    for (const auto& [bracket, text] :
         {std::pair{1, Qt::black}, {2, Qt::white}, {3, Qt::white}, {4, Qt::white}, {5, Qt::black}, {8, Qt::white}})
        EXPECT_EQ(
            tab.findChild<QLabel*>(QStringLiteral("Heading%1").arg(bracket))->palette().color(QPalette::WindowText),
            QColor(text))
            << bracket;

    QStringList captions;
    {
        DialogCatcher catcher([&](QDialog* w) {
            captions << w->windowTitle();
            typeAndOk(w, "600000");
        });
        QTest::mouseClick(tab.realCell(9), Qt::LeftButton);
    }
    EXPECT_EQ(tab.virtualCell(9)->text(), "  12.9");
    EXPECT_EQ(tab.virtualCell(2)->text(), " 154.5");
    {
        DialogCatcher catcher([&](QDialog* w) { captions << w->windowTitle(); });
        tab.Label220Click(9);
    }
    EXPECT_EQ(captions, QStringList({"仮定投資金額入力（枠連）", "仮定オッズ入力（枠連）"}));
    EXPECT_EQ(tab.virtualCell(9)->text(), "  12.9");

    // A race change empties texts and marks but keeps the colours.
    tab.clearFigures();
    EXPECT_EQ(tab.realCell(9)->text(), "");
    EXPECT_EQ(tab.realTotalBox()->text(), "");
    EXPECT_EQ(tab.virtualCell(9)->background(), PairSheet::selectedColour());
}

TEST(QuinellaTab, OddsOnARaceWithoutTotalFailWithTheDialogOpen)
{
    PairDay day(H1Record().quinellaTotal(0).quinella(1, 10));
    QuinellaTab tab;
    tab.setSlotSource(day.source(PairKind::Quinella));
    tab.calcUbtnClick(0);
    TInputOddsUForm form(tab, &tab);
    form.Label3D9->setText(u" 1- 2"_qs);
    form.show();
    QTest::keyClicks(form.SaNumEditExC1, u"10.0"_qs);
    BoxAnswerer boxes;
    form.BitBtn1Click();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.seen()[0].kind, tavek::MessageBox::Kind::Error);
    EXPECT_TRUE(boxes.seen()[0].text.contains(u"レース 2005041605020811 の馬連合計票数が 0 です"_qs))
        << boxes.seen()[0].text.toStdString();
    EXPECT_TRUE(form.isVisible());
}
