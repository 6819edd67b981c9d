#include "controls/Label3D.h"
#include "controls/SaNumEditExC.h"
#include "odds/ui/BracketTab.h"
#include "odds/ui/PairDialogs.h"
#include "odds/ui/QuinellaTab.h"
#include "support/RaceFixture.h"
#include "support/SampleRace.h"
#include "support/gui/DialogCatcher.h"
#include "support/gui/MainWindowFixture.h"

#include <QDir>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

// Saves pictures of the main window on the three tabs, an 18-runner race
// selected and one simulation on each pair tab, for a look by eye:
//   TAVEK_SHOT_DIR=/tmp/shots xvfb-run -a app_tests --gtest_also_run_disabled_tests --gtest_filter='*Screenshots*'
TEST(PairTabs, DISABLED_Screenshots)
{
    using tavek::pools::PairKind;
    using tavek::test::MainWindowFixture;
    const QString dir = qEnvironmentVariable("TAVEK_SHOT_DIR", QDir::tempPath());
    MainWindowFixture fx;
    fx.writeDay(
        MainWindowFixture::kFixtureDate,
        {tavek::test::RaRecord(tavek::test::raceKey("20050416", "05", 11)).name(QStringLiteral("テストステークス"))},
        {sampleRace18().bytes()});
    TMainForm& form = fx.start();
    fx.pickDate(MainWindowFixture::kFixtureDate);
    {
        tavek::test::DialogCatcher closeDialogs;
        form.quinellaTab->Label4Click(60);
        form.bracketTab->Label220Click(9);
    }
    form.quinellaTab->simulateStake(tavek::pools::pairLabel(PairKind::Quinella, 60), 1000000);
    form.bracketTab->simulateOdds(tavek::pools::pairLabel(PairKind::Bracket, 9), 150.0);

    const char* const names[] = {"win", "bracket", "quinella", "reference"};
    for (int tab = 1; tab < 4; ++tab) {
        form.PageControl1->setCurrentIndex(tab);
        QTest::qWait(50);
        EXPECT_TRUE(form.grab().save(dir + "/main-" + names[tab] + ".png"));
    }

    TInputKingakuUForm stakeU(*form.quinellaTab, &form);
    TInputOddsUForm oddsU(*form.quinellaTab, &form);
    TInputKingakuWForm stakeW(*form.bracketTab, &form);
    TInputOddsWForm oddsW(*form.bracketTab, &form);
    const std::pair<PairInputDialog*, const char*> dialogs[] = {
        {&stakeU, "1000000"}, {&oddsU, "25.5"}, {&stakeW, "150"}, {&oddsW, "9999999.9"}};
    for (const auto& [dialog, keys] : dialogs) {
        dialog->Label3D9->setText(dialog == &stakeU || dialog == &oddsU ? u"17-18"_qs : u" 2- 2"_qs);
        dialog->show();
        QTest::keyClicks(dialog->SaNumEditExC1, QString::fromLatin1(keys));
        QTest::qWait(50);
        EXPECT_TRUE(dialog->grab().save(dir + "/" + dialog->objectName() + ".png"));
        dialog->hide();
    }
}
