// A race with its result in the main window: the race header shows every
// payout beside the program's own figure, every board marks the winners, the
// stake advisor and the 妙味 table say what became of a bet; a damaged result
// is told on the status line and every pool is still shown.
#include "advisor/ui/AdvisorTab.h"
#include "app/ResultBoard.h"
#include "odds/ui/PairCell.h"
#include "odds/ui/PlaceRows.h"
#include "odds/ui/PoolTab.h"
#include "odds/ui/QuinellaTab.h"
#include "odds/ui/WinCellStyle.h"
#include "odds/ui/WinGrid.h"
#include "odds/ui/WinSheet.h"
#include "pools/PoolIndex.h"
#include "racedata/DayFiles.h"
#include "racedata/RecordLayout.h"
#include "support/RaceFixture.h"
#include "support/gui/MainWindowFixture.h"
#include "support/gui/WidgetInput.h"
#include "value/ui/ValueTab.h"

#include <QComboBox>
#include <QLabel>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace tavek;
using pools::Pool;
using test::MainWindowFixture;

namespace {

// The fixture day, its first race (東京 11R, 16 runners, 3 scratched) with
// the sample result: 5, 2 and 9 first to third.
class ResultMainWindow : public ::testing::Test {
protected:
    TMainForm& start(const QByteArray& result)
    {
        fx.writeFixtureDay();
        test::writeRecords(dayfiles::resultFilePath(fx.dataFolder(), MainWindowFixture::kFixtureDate), {result});
        TMainForm& form = fx.start();
        fx.pickDate(MainWindowFixture::kFixtureDate);
        fx.pickRace(0);
        return form;
    }

    // The colour a cell of the win grid is painted in, away from its text.
    QColor winCell(TMainForm& form, int horse, int column)
    {
        WinGrid* grid = form.winSheet->StringGrid1;
        const QRect cell = grid->visualRect(grid->model()->index(horse - 1, column));
        return grid->viewport()->grab().toImage().pixelColor(cell.topLeft() + QPoint(2, 2));
    }

    MainWindowFixture fx;
};

}  // namespace

TEST_F(ResultMainWindow, TheHeaderShowsEveryPayoutAndEveryBoardMarksTheWinners)
{
    TMainForm& form = start(test::sampleResult());
    ASSERT_TRUE(form.ResultPanel->isVisible());
    const ResultBoard* board = form.resultBoard;
    ASSERT_EQ(board->columns(), 12);
    const auto column = [&](int c) {
        QStringList texts;
        for (int row = 0; row < ResultBoard::kRows; ++row)
            texts.append(board->cellText(ResultBoard::Row(row), c));
        return texts.join(u' ');
    };
    // Win: 133,000 votes x 0.8 over 5,000 on number 5 pay 2,120 yen, not the 430 paid.
    EXPECT_EQ(column(0), "単勝 5 430 2 2,120");
    EXPECT_TRUE(board->differs(0));
    EXPECT_EQ(column(11), "3連単 5-2-9 41,230 131 －") << "no trifecta votes: nothing to compute";
    EXPECT_EQ(board->placeLine(0) + u'|' + board->placeLine(2), "1着 5|3着 9");

    EXPECT_EQ(winCell(form, 5, 2), wonColour());
    EXPECT_EQ(winCell(form, 5, 0), winCellStyle(0, 3).background) << "its bracket keeps its colour";
    EXPECT_NE(winCell(form, 2, 2), wonColour());

    form.PageControl1->setCurrentWidget(form.TabSheet2);
    EXPECT_EQ(form.quinellaTab->realCell(pools::entryOf(Pool::Quinella, 2, 5))->background(), wonColour());
    EXPECT_NE(form.quinellaTab->realCell(pools::entryOf(Pool::Quinella, 2, 9))->background(), wonColour());
    form.PageControl1->setCurrentWidget(form.TabSheet7);
    for (int h : {2, 5, 9})
        EXPECT_EQ(form.poolTab->placeRows->cell(h, PlaceRows::Odds)->background(), wonColour()) << h;

    form.PageControl1->setCurrentWidget(form.TabSheet5);
    AdvisorTab* advisor = form.advisorTab;
    test::choose(advisor->BetKindCombo, int(advice::BetKind::Win));
    test::choose(advisor->BetCombo, 5);
    EXPECT_EQ(advisor->OutcomeLabel->text(), "的中　払戻 430円（100円につき）");
    test::choose(advisor->BetCombo, 2);
    EXPECT_EQ(advisor->OutcomeLabel->text(), "不的中");

    form.PageControl1->setCurrentWidget(form.TabSheet8);
    const QTableWidget* value = form.valueTab->ValueTable;
    EXPECT_EQ(value->horizontalHeaderItem(value->columnCount() - 1)->text(), "結果");

    // A race without a result: no result under the header, no winner.
    fx.pickRace(1);
    EXPECT_FALSE(form.ResultPanel->isVisible());
    EXPECT_NE(winCell(form, 5, 2), wonColour());
    EXPECT_EQ(value->horizontalHeaderItem(value->columnCount() - 1)->text(), "期待回収率");
    form.PageControl1->setCurrentWidget(form.TabSheet5);
    EXPECT_TRUE(advisor->OutcomeLabel->text().isEmpty());
}

TEST_F(ResultMainWindow, ADamagedResultIsToldOnTheStatusLineAndEveryPoolIsStillShown)
{
    TMainForm& form = start(test::sampleResult().put(pools::payoutLayout(Pool::Exacta).yen(0), "00000212O"));
    EXPECT_TRUE(form.StatusLine->currentMessage().contains(QStringLiteral("馬単の払戻1番目の払戻金「00000212O」")))
        << form.StatusLine->currentMessage().toStdString();
    EXPECT_FALSE(form.ResultPanel->isVisible());
    EXPECT_TRUE(form.winSheet->StringGrid1->isVisible());
    EXPECT_EQ(form.winSheet->board().cellText(5, 4).trimmed(), "21.3");

    // The file mended, the day loaded again: the result shows and the problem is gone.
    test::writeRecords(dayfiles::resultFilePath(fx.dataFolder(), MainWindowFixture::kFixtureDate),
                       {test::sampleResult()});
    fx.pickDate(MainWindowFixture::kFixtureDate);
    EXPECT_TRUE(form.ResultPanel->isVisible());
    EXPECT_TRUE(form.StatusLine->currentMessage().isEmpty()) << form.StatusLine->currentMessage().toStdString();
}
