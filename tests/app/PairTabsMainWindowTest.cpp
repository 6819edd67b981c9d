// The pair tabs and the reference tab in the main window: a race selection
// fills them, and a dialog's OK leaves the texts that tavek-cli prints.
#include "controls/Label3D.h"
#include "controls/SaNumEditExC.h"
#include "odds/ui/BracketTab.h"
#include "odds/ui/PairCell.h"
#include "odds/ui/PairInputDialog.h"
#include "odds/ui/QuinellaTab.h"
#include "odds/ui/ReferenceTab.h"
#include "odds/ui/WinSheet.h"
#include "support/RaceFixture.h"
#include "support/SampleRace.h"
#include "support/cli/CliRunner.h"
#include "support/gui/DialogCatcher.h"
#include "support/gui/MainWindowFixture.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using tavek::test::DialogCatcher;
using tavek::test::MainWindowFixture;

namespace {

QJsonObject cli(const MainWindowFixture& fx, const QStringList& args, int expectedCode = 0)
{
    const tavek::test::CliOutcome r = tavek::test::runCli(fx.dataFolder(), args + QStringList{"--json"});
    EXPECT_EQ(r.code, expectedCode) << r.err.toStdString();
    return r.json();
}

void expectSheetShows(const PairSheet& sheet, const QJsonObject& json)
{
    const QJsonArray pairs = json["pairs"].toArray();
    ASSERT_EQ(pairs.size(), sheet.board().size());
    for (int k = 1; k <= int(pairs.size()); ++k) {
        ASSERT_EQ(sheet.realCell(k)->text(), pairs[k - 1].toObject()["real"].toString()) << k;
        ASSERT_EQ(sheet.virtualCell(k)->text(), pairs[k - 1].toObject()["virtual"].toString()) << k;
    }
    EXPECT_EQ(sheet.realTotalBox()->text(), json["total"].toString());
    EXPECT_EQ(sheet.virtualTotalBox()->text(), json["virtual_total"].toString());
    EXPECT_EQ(sheet.excessBox()->text(), json["excess"].toString());
}

// Clicks `cell`; the dialog that opens gets `keys` and OK.
void runDialog(PairCell* cell, const QString& keys, QString* caption = nullptr)
{
    DialogCatcher catcher([&](QDialog* modal) {
        auto* form = qobject_cast<PairInputDialog*>(modal);
        ASSERT_NE(form, nullptr);
        if (caption)
            *caption = form->windowTitle();
        QTest::keyClicks(form->SaNumEditExC1, keys);
        QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
    });
    QTest::mouseClick(cell, Qt::LeftButton);
    EXPECT_EQ(catcher.count(), 1);
}

class PairTabsMainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        using tavek::test::raceKey;
        using tavek::test::RaRecord;
        tavek::test::H1Record small(raceKey("20050416", "05", 1));
        small.registered(18).starters(18).quinellaTotal(1000).quinella(1, 10);
        fx.writeDay(MainWindowFixture::kFixtureDate,
                    {RaRecord(raceKey("20050416", "05", 11)), RaRecord(raceKey("20050416", "05", 1))},
                    {sampleRace18().bytes(), small.bytes()});
        form = &fx.start();
        fx.pickDate(MainWindowFixture::kFixtureDate);
    }

    MainWindowFixture fx;
    TMainForm* form = nullptr;
};

}  // namespace

TEST_F(PairTabsMainWindow, RaceSelectionFillsTheThreeTabs)
{
    // Each tab is filled when it comes into view.
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    expectSheetShows(*form->quinellaTab, cli(fx, {"quinella", MainWindowFixture::kFixtureDate, "1"}));
    form->PageControl1->setCurrentWidget(form->TabSheet3);
    expectSheetShows(*form->bracketTab, cli(fx, {"bracket", MainWindowFixture::kFixtureDate, "1"}));
    const QJsonObject reference = cli(fx, {"reference", MainWindowFixture::kFixtureDate, "1"});
    form->PageControl1->setCurrentWidget(form->TabSheet4);
    const QJsonArray exacta = reference["exacta"].toArray();
    ASSERT_EQ(form->referenceTab->ListBox1->count(), exacta.size());
    for (int i = 0; i < int(exacta.size()); ++i)
        ASSERT_EQ(form->referenceTab->ListBox1->item(i)->text(), exacta[i].toString());
    EXPECT_EQ(form->referenceTab->ListBox2->count(), reference["trio"].toArray().size());
    EXPECT_EQ(form->referenceTab->totalBox(0)->text(), reference["totals"].toObject()["win"].toString());
}

TEST_F(PairTabsMainWindow, DialogOkLeavesWhatTheCliPrints)
{
    QString caption;
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    runDialog(form->quinellaTab->realCell(tavek::pools::pairIndexOf(tavek::pools::PairKind::Quinella, 3, 7)), "250000",
              &caption);
    EXPECT_EQ(caption, "仮定投資金額入力（馬連）");
    expectSheetShows(*form->quinellaTab,
                     cli(fx, {"quinella", MainWindowFixture::kFixtureDate, "1", "--stake", "3-7:250000"}));

    form->PageControl1->setCurrentWidget(form->TabSheet3);
    runDialog(form->bracketTab->virtualCell(tavek::pools::pairIndexOf(tavek::pools::PairKind::Bracket, 2, 5)), "300.0",
              &caption);
    EXPECT_EQ(caption, "仮定オッズ入力（枠連）");
    expectSheetShows(*form->bracketTab,
                     cli(fx, {"bracket", MainWindowFixture::kFixtureDate, "1", "--odds", "2-5:300.0"}));

    // The next race starts with empty virtual figures on both tabs; the excess
    // amounts stay, as only the dialogs write them.
    fx.pickRace(1);
    EXPECT_EQ(form->bracketTab->virtualTotalBox()->text(), "");
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    EXPECT_EQ(form->quinellaTab->virtualTotalBox()->text(), "");
    EXPECT_EQ(form->quinellaTab->virtualCell(1)->text(), "");
    EXPECT_EQ(form->quinellaTab->realCell(1)->text(), "  75.0");
    EXPECT_EQ(form->quinellaTab->excessBox()->text(), "    250,000円");
}

// One rule for every race picked, with votes or without: a simulation does
// not wait for a return to its race (a quick report of the race keeps it).
TEST(PairTabsMainWindowTrip, ARaceWithoutVotesForgetsTheSimulationsAsAnyOtherRace)
{
    using tavek::test::raceKey;
    using tavek::test::RaRecord;
    MainWindowFixture fx;
    fx.writeDay(MainWindowFixture::kFixtureDate,
                {RaRecord(raceKey("20050416", "05", 11)), RaRecord(raceKey("20050416", "05", 12))},
                {sampleRace18().bytes()});
    TMainForm* form = &fx.start();
    fx.pickDate(MainWindowFixture::kFixtureDate);
    ASSERT_EQ(form->winSheet->simulateStake(1, 500'000), tavek::sim::SimResult::Accepted);
    form->PageControl1->setCurrentWidget(form->TabSheet3);
    runDialog(form->bracketTab->realCell(tavek::pools::pairIndexOf(tavek::pools::PairKind::Bracket, 2, 5)), "300000");
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    runDialog(form->quinellaTab->realCell(tavek::pools::pairIndexOf(tavek::pools::PairKind::Quinella, 3, 7)), "250000");
    ASSERT_FALSE(form->bracketTab->board().virtualTotal().isEmpty());

    fx.pickRace(1);  // 12R: its race card only
    ASSERT_FALSE(form->PageControl1->isVisible());
    fx.pickRace(0);
    EXPECT_EQ(form->winSheet->board().cellText(1, 6), " ");
    EXPECT_EQ(form->bracketTab->board().virtualTotal(), "");
    EXPECT_EQ(form->quinellaTab->board().virtualTotal(), "");
}
