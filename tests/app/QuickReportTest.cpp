#include "controls/Label3D.h"
#include "jvlink/client/JVResult.h"
#include "odds/ui/WinGrid.h"
#include "odds/ui/WinSheet.h"
#include "racedata/Clock.h"
#include "racedata/Cp932.h"
#include "racedata/DayData.h"
#include "support/FaultInjection.h"
#include "support/RaceFixture.h"
#include "support/ScriptedJVLink.h"
#include "support/TestFiles.h"
#include "support/gui/BoxAnswerer.h"
#include "support/gui/DialogCatcher.h"
#include "support/gui/MainWindowFixture.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QStatusBar>
#include <QTabWidget>

#include <gtest/gtest.h>

using tavek::test::H1Record;
using tavek::test::MainWindowFixture;
using tavek::test::ScriptedJVLink;

namespace {

int errorLines(const QString& path)
{
    return int(tavek::cp932::decode(tavek::test::readFile(path)).count(QStringLiteral("【エラー】")));
}

// The main window on the fixture day with a scripted JV-Link.
struct QuickWindow {
    MainWindowFixture fx;
    ScriptedJVLink* jv = nullptr;
    TMainForm* form = nullptr;

    explicit QuickWindow(bool pickDay = true)
    {
        fx.writeFixtureDay();
        form = &fx.start();
        auto scripted = std::make_unique<ScriptedJVLink>();
        jv = scripted.get();
        form->JVLink1 = std::move(scripted);
        if (pickDay)
            fx.pickDate(MainWindowFixture::kFixtureDate);
    }
};

// Fresh votes of race slot `race`: 16 runners with `votes` each, runner 1 scratched when `scratched`.
H1Record freshVotes(TMainForm& form, int race, long long votes, bool scratched = false)
{
    H1Record r(QByteArray(form.dayData().raceRecord(race).data() + 11, 16), '4');
    r.registered(16).starters(16);
    for (int h = 1; h <= 16; ++h)
        r.win(h, scratched && h == 1 ? 0 : votes);
    if (scratched)
        r.refund(1);
    return r.winTotal(votes * (scratched ? 15 : 16));
}

}  // namespace

// The bettor keeps asking "and if I bet this now" while the votes come in.
TEST(QuickReport, TheStakeRunsAgainOnTheFreshVotesOrGoesWithANote)
{
    QuickWindow w;
    tavek::test::BoxAnswerer boxes;
    const tavek::win::WinBoard& board = w.form->winSheet->board();
    ASSERT_EQ(w.form->winSheet->simulateStake(1, 500'000), tavek::sim::SimResult::Accepted);
    w.jv->record(freshVotes(*w.form, 0, 2000));
    w.form->SokuhoHyosuBtnClick();
    EXPECT_EQ(board.cellText(1, 6), "    500,000");
    EXPECT_EQ(board.virtualTotal(), "     37,000") << "32,000 votes and the stake's 5,000";

    w.jv->record(freshVotes(*w.form, 0, 2000, true));
    w.form->SokuhoHyosuBtnClick();
    EXPECT_EQ(board.cellText(1, 6), " ");
    EXPECT_TRUE(w.form->StatusLine->currentMessage().contains(QStringLiteral("単勝 1番 のシミュレーション")))
        << w.form->StatusLine->currentMessage().toStdString();
    EXPECT_EQ(boxes.count(), 0);
}

TEST(QuickReport, ClosingTheAcquisitionWindowKeepsTheDayAndRaceWhileTheyExist)
{
    QuickWindow w;
    w.fx.pickRace(1);
    w.form->winSheet->simulateStake(2, 10'000);
    tavek::test::DialogCatcher closeUnused;
    w.form->JVBtnClick();
    ASSERT_EQ(closeUnused.count(), 1);
    EXPECT_EQ(w.form->DateCombo->currentText(), MainWindowFixture::kFixtureDate);
    EXPECT_EQ(w.form->lbRace->currentIndex(), 1);
    EXPECT_EQ(w.form->winSheet->board().cellText(2, 6), "     10,000");

    ASSERT_TRUE(QDir(w.fx.dataFolder()).removeRecursively());
    w.form->JVBtnClick();
    EXPECT_EQ(w.form->DateCombo->currentIndex(), -1);
    EXPECT_EQ(w.form->lbRace->count(), 0);
    EXPECT_FALSE(w.form->PageControl1->isVisible());
    EXPECT_FALSE(w.form->Panel5->isVisible());
    EXPECT_TRUE(w.form->HintLabel->text().contains(QStringLiteral("「JVデータ取得」")));
}

TEST(QuickReport, SingleRaceKeepsTheSelectedRaceAndShowsTheNewVotes)
{
    QuickWindow w;
    w.fx.pickRace(1);
    const auto oddsHeading = [&] { return w.form->winSheet->StringGrid1->horizontalHeaderItem(4)->text(); };
    EXPECT_EQ(oddsHeading(), QStringLiteral("確定オッズ"));
    EXPECT_EQ(w.form->Label3D14->text(), "");
    const QByteArray key = QByteArray(w.form->dayData().raceRecord(1).data() + 11, 16);
    w.jv->record(H1Record(key, '4').registered(18).win(1, 777).winTotal(9999));
    const tavek::clock::FixedNow now(QDateTime(QDate(2005, 4, 16), QTime(10, 32, 15)));
    w.form->SokuhoHyosuBtnClick();
    // The votes on screen are a quick report's, fetched just now.
    EXPECT_EQ(oddsHeading(), QStringLiteral("速報オッズ"));
    EXPECT_EQ(w.form->Label3D14->text(), QStringLiteral("速報 10:32:15現在"));
    EXPECT_EQ(w.jv->realTimeKey, QString::fromLatin1(key));
    EXPECT_EQ(w.form->lbRace->currentIndex(), 1);
    EXPECT_EQ(w.form->dayData().currentRace(), 1);
    EXPECT_EQ(w.form->dayData().winTotal(1), 9999);
    EXPECT_FALSE(w.form->dayData().keepRaceOnReload());
    EXPECT_EQ(errorLines(w.fx.logPath()), 0);
}

TEST(QuickReport, WholeDayFetchesEveryRaceReloadsOnceAndKeepsTheRace)
{
    QuickWindow w;
    w.fx.pickRace(2);
    w.jv->rtOpenResult = tavek::jvlink::JVResult::StillOpen;  // every race fails, and the day goes on
    w.form->N11Click();
    EXPECT_EQ(w.jv->count("JVRTOpen"), 3);
    EXPECT_EQ(errorLines(w.fx.logPath()), 3);
    EXPECT_EQ(w.form->lbRace->currentIndex(), 2);
    EXPECT_EQ(w.form->dayData().currentRace(), 2);
    EXPECT_FALSE(w.form->BulkQuickReport);
}

TEST(QuickReport, WithoutASelectedDateSaysWhatToDo)
{
    QuickWindow w(false);
    w.form->SokuhoHyosuBtnClick();
    EXPECT_EQ(w.form->StatusLine->currentMessage(), QStringLiteral("速報票数：日付とレースを選んでから押してください"));
    w.form->N11Click();
    EXPECT_EQ(w.form->StatusLine->currentMessage(),
              QStringLiteral("1日分の速報票数：日付を選んでから実行してください"));
    EXPECT_TRUE(w.jv->calls.isEmpty());
}

TEST(QuickReport, WholeDayStopsAtAFailureToStoreWithOneBoxAndReloads)
{
    QuickWindow w;
    w.fx.pickRace(2);
    const QByteArray key = QByteArray(w.form->dayData().raceRecord(0).data() + 11, 16);
    w.jv->record(H1Record(key, '4').registered(16).win(1, 777).winTotal(9999));
    tavek::test::BoxAnswerer boxes;
    {
        const tavek::test::FileSizeLimit disk(1000);
        w.form->N11Click();
    }
    EXPECT_EQ(w.jv->count("JVRTOpen"), 1);
    EXPECT_EQ(w.jv->calls.last(), "JVClose");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.seen()[0].kind, tavek::MessageBox::Kind::Unexpected);
    EXPECT_TRUE(boxes.texts()[0].contains(".jvH1")) << boxes.texts()[0].toStdString();
    EXPECT_EQ(w.form->lbRace->currentIndex(), 2);
    EXPECT_NE(w.form->dayData().winTotal(0), 9999);
    EXPECT_FALSE(w.form->BulkQuickReport);
}
