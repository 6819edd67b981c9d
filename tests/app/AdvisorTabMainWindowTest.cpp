// The stake advisor tab in the main window: it follows the race selection and
// shows what tavek-cli advise and dutch print for the same race.
#include "advisor/ui/AdvisorTab.h"
#include "controls/SaNumEdit.h"
#include "odds/ui/BracketTab.h"
#include "odds/ui/QuinellaTab.h"
#include "odds/ui/WinGrid.h"
#include "odds/ui/WinSheet.h"
#include "pools/Payout.h"
#include "racedata/DayData.h"
#include "support/RaceFixture.h"
#include "support/ScriptedJVLink.h"
#include "support/cli/CliRunner.h"
#include "support/gui/MainWindowFixture.h"
#include "support/gui/WidgetInput.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using tavek::test::choose;
using tavek::test::MainWindowFixture;
using tavek::test::retype;
using tavek::test::tableRow;

namespace {

QStringList cliLines(const MainWindowFixture& fx, const QStringList& args)
{
    const tavek::test::CliOutcome r = tavek::test::runCli(fx.dataFolder(), args);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    return r.lines();
}

class AdvisorTabMainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        fx.writeFixtureDay();
        form = &fx.start();
        fx.pickDate(MainWindowFixture::kFixtureDate);
        fx.pickRace(0);  // 東京 11R: horse h with 1,000 h votes, horse 3 scratched
        tab = form->advisorTab;
        form->PageControl1->setCurrentWidget(form->TabSheet5);
    }

    MainWindowFixture fx;
    TMainForm* form = nullptr;
    AdvisorTab* tab = nullptr;
};

}  // namespace

TEST_F(AdvisorTabMainWindow, AfterTheProgramsFourTabsAndThePoolBoards)
{
    ASSERT_EQ(form->PageControl1->count(), 9);
    EXPECT_EQ(form->PageControl1->tabText(3), "参考資料");
    EXPECT_EQ(form->PageControl1->tabText(4), "賭式別オッズ");
    EXPECT_EQ(form->PageControl1->tabText(5), "資金配分");
    EXPECT_EQ(form->PageControl1->tabText(6), "妙味");
    EXPECT_EQ(form->PageControl1->tabText(7), "買い目");
    EXPECT_EQ(form->PageControl1->tabText(8), "オッズ推移");
    EXPECT_EQ(tab->BetCombo->count(), 16) << "the race's registered runners";
    EXPECT_EQ(tab->OddsNowLabel->text(), "106.4倍") << "horse 1: 133,000 x 0.8 / 1,000";
    EXPECT_FALSE(tab->MessageLabel->text().isEmpty()) << "asks for P";

    fx.pickRace(1);  // 東京 01R, 18 runners
    EXPECT_EQ(tab->BetCombo->count(), 18);
}

TEST_F(AdvisorTabMainWindow, TheBoardsOfExactOddsAndTheAdvisorOfPaidOddsSayWhichRuleTheyShow)
{
    const QString note = tavek::pools::oddsRulesNote();
    ASSERT_FALSE(note.isEmpty());
    for (const QWidget* w :
         {static_cast<QWidget*>(form->winSheet->StringGrid1),
          form->quinellaTab->findChild<QWidget*>(QStringLiteral("Matrix")),
          form->bracketTab->findChild<QWidget*>(QStringLiteral("Matrix")), static_cast<QWidget*>(tab->OddsNowLabel),
          tab->findChild<QWidget*>(QStringLiteral("ResultBox"))}) {
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->toolTip(), note) << w->objectName().toStdString();
    }
}

TEST_F(AdvisorTabMainWindow, ShowsWhatTavekCliAdvises)
{
    choose(tab->BetCombo, 5);
    QTest::keyClicks(tab->ProbEdit, "20");
    retype(tab->BankrollEdit, "3000000");
    retype(tab->KellyEdit, "0.5");
    ASSERT_TRUE(tab->MessageLabel->text().isEmpty()) << tab->MessageLabel->text().toStdString();

    const QStringList lines = cliLines(
        fx, {"advise", "2005-04-16", "1", "--win", "5", "--prob", "0.2", "--bankroll", "3000000", "--kelly", "0.5"});
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[1], "単勝 5\t合計票数 " + tab->PoolLabel->text() + "\t票数 " + tab->VotesLabel->text() + "\t払戻率 "
                            + tab->RateLabel->text());
    EXPECT_EQ(lines[2], "現在のオッズ " + tab->OddsNowLabel->text().chopped(1) + "\t適正オッズ "
                            + tab->FairOddsLabel->text().chopped(1));
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(
            lines[4 + r],
            (QStringList{tab->StakeTable->verticalHeaderItem(r)->text()} + tableRow(tab->StakeTable, r)).join(u'\t'));
    EXPECT_NE(tableRow(tab->StakeTable, 1)[0], "3,000,000円") << "the break-even stake lies inside the bankroll";

    // The same chance as fair odds of 5.0 gives the same advice.
    const QStringList percentRow = tableRow(tab->StakeTable, 2);
    choose(tab->ProbFormCombo, 2);
    EXPECT_TRUE(tab->ProbEdit->Text().isEmpty());
    QTest::keyClicks(tab->ProbEdit, "5");
    EXPECT_EQ(tableRow(tab->StakeTable, 2), percentRow);
}

// P is the bettor's chance of one bet of one race: a quick report keeps it,
// another bet, kind of bet or race clears it; bankroll and Kelly fraction stay.
TEST_F(AdvisorTabMainWindow, PBelongsToOneBetOfOneRace)
{
    auto scripted = std::make_unique<tavek::test::ScriptedJVLink>();
    tavek::test::ScriptedJVLink& jv = *scripted;
    form->JVLink1 = std::move(scripted);
    choose(tab->BetCombo, 5);
    QTest::keyClicks(tab->ProbEdit, "3");
    retype(tab->BankrollEdit, "50000");
    const QString oddsBefore = tab->OddsNowLabel->text();
    jv.record(tavek::test::H1Record(QByteArray(form->dayData().raceRecord(0).data() + 11, 16), '4')
                  .registered(16)
                  .win(5, 2000)
                  .winTotal(100000));
    form->SokuhoHyosuBtnClick();
    EXPECT_NE(tab->OddsNowLabel->text(), oddsBefore) << "the fresh votes";
    EXPECT_EQ(tab->BetCombo->currentData().toInt(), 5);
    EXPECT_EQ(tab->ProbEdit->Text(), "3");

    auto cleared = [&](const char* why) {
        EXPECT_TRUE(tab->ProbEdit->Text().isEmpty()) << why;
        EXPECT_EQ(tab->BankrollEdit->Text(), "50000") << why;
        QTest::keyClicks(tab->ProbEdit, "3");
    };
    choose(tab->BetCombo, 6);
    cleared("another bet");
    choose(tab->BetKindCombo, int(tavek::advice::BetKind::Quinella));
    cleared("another kind of bet");
    fx.pickRace(1);
    cleared("another race");

    // Away from the tab its bets wait for it, but a race passed through on
    // the way still clears P.
    form->PageControl1->setCurrentWidget(form->TabSheet1);
    fx.pickRace(0);
    fx.pickRace(1);
    form->PageControl1->setCurrentWidget(form->TabSheet5);
    cleared("another race while away");
}

TEST_F(AdvisorTabMainWindow, DutchingShowsWhatTavekCliSpreads)
{
    for (int row : {0, 4, 9})
        tab->DutchList->item(row)->setCheckState(Qt::Checked);
    retype(tab->DutchTotalEdit, "50000");
    const QStringList lines = cliLines(fx, {"dutch", "2005-04-16", "1", "--win", "1,5,10", "--total", "50000"});
    ASSERT_EQ(lines.size(), 6);
    ASSERT_EQ(tab->DutchTable->rowCount(), 3);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(lines[2 + r], tableRow(tab->DutchTable, r).join(u'\t'));
    EXPECT_EQ(lines[5], "最低払戻金 " + tab->DutchMinLabel->text());

    tab->DutchList->item(2)->setCheckState(Qt::Checked);  // horse 3, scratched
    EXPECT_EQ(tab->DutchTable->rowCount(), 0);
    EXPECT_TRUE(tab->DutchMessageLabel->text().contains(u"取消"));
}
