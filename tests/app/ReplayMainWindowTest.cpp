// The 回収率 window from the main window: the menu opens it, once, and a bet's
// race it asks for is shown in the main window.
#include "replay/ui/ReplayForm.h"
#include "support/gui/BoxAnswerer.h"
#include "support/gui/MainWindowFixture.h"

#include <QAction>
#include <QComboBox>

#include <gtest/gtest.h>

using namespace tavek;
using test::MainWindowFixture;

TEST(ReplayMainWindow, TheMenuOpensTheWindowAndABetsRaceIsShown)
{
    MainWindowFixture fx;
    fx.writeFixtureDay();
    TMainForm& form = fx.start();
    form.ReplayItem->trigger();
    auto* replay = form.findChild<TReplayForm*>("ReplayForm");
    ASSERT_TRUE(replay);
    EXPECT_TRUE(replay->isVisible());
    form.ReplayItem->trigger();
    EXPECT_EQ(form.findChildren<TReplayForm*>().size(), 1);

    fx.pickDate(MainWindowFixture::kFixtureDate);
    ASSERT_GE(form.lbRace->count(), 2);
    const QString second = form.lbRace->itemText(1);
    fx.pickRace(0);
    emit replay->raceRequested(MainWindowFixture::kFixtureDate, second);
    EXPECT_EQ(form.DateCombo->currentText(), MainWindowFixture::kFixtureDate);
    EXPECT_EQ(form.lbRace->currentText(), second);

    test::BoxAnswerer boxes;
    emit replay->raceRequested(QStringLiteral("2099年01月01日"), second);
    EXPECT_EQ(boxes.texts(), QStringList{"2099年01月01日 のデータがありません。"});
    EXPECT_EQ(form.lbRace->currentText(), second);
}
