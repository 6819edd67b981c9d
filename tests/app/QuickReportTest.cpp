#include "jvlink/client/JVResult.h"
#include "racedata/Cp932.h"
#include "racedata/DayData.h"
#include "support/FaultInjection.h"
#include "support/RaceFixture.h"
#include "support/ScriptedJVLink.h"
#include "support/TestFiles.h"
#include "support/gui/BoxAnswerer.h"
#include "support/gui/MainWindowFixture.h"

#include <QComboBox>

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

    QuickWindow()
    {
        fx.writeFixtureDay();
        form = &fx.start();
        auto scripted = std::make_unique<ScriptedJVLink>();
        jv = scripted.get();
        form->JVLink1 = std::move(scripted);
        fx.pickDate(MainWindowFixture::kFixtureDate);
    }
};

}  // namespace

TEST(QuickReport, SingleRaceKeepsTheSelectedRaceAndShowsTheNewVotes)
{
    QuickWindow w;
    w.fx.pickRace(1);
    const QByteArray key = QByteArray(w.form->dayData().RaceRecords[1].data() + 11, 16);
    w.jv->record(H1Record(key, '4').registered(18).win(1, 777).winTotal(9999));
    w.form->SokuhoHyosuBtnClick();
    EXPECT_EQ(w.jv->realTimeKey, QString::fromLatin1(key));
    EXPECT_EQ(w.form->lbRace->currentIndex(), 1);
    EXPECT_EQ(w.form->dayData().CurrentRace, 1);
    EXPECT_EQ(w.form->dayData().WinTotal[1], 9999);
    EXPECT_FALSE(w.form->dayData().KeepRaceOnReload);
    EXPECT_EQ(errorLines(w.fx.logPath()), 0);
}

TEST(QuickReport, WholeDayFetchesEveryRaceReloadsOnceAndSelectsTheFirst)
{
    QuickWindow w;
    w.fx.pickRace(2);
    w.jv->rtOpenResult = tavek::jvlink::JVResult::StillOpen;  // every race fails, and the day goes on
    w.form->N11Click();
    EXPECT_EQ(w.jv->count("JVRTOpen"), 3);
    EXPECT_EQ(errorLines(w.fx.logPath()), 3);
    EXPECT_EQ(w.form->lbRace->currentIndex(), 0);
    EXPECT_FALSE(w.form->BulkQuickReport);
}

TEST(QuickReport, NothingWithoutASelectedDate)
{
    QuickWindow w;
    w.form->MakeDataListBtnClick();  // as after the acquisition window: no date selected
    w.form->SokuhoHyosuBtnClick();
    w.form->N11Click();
    EXPECT_TRUE(w.jv->calls.isEmpty());
    EXPECT_EQ(w.form->lbRace->count(), 3);
}

TEST(QuickReport, WholeDayStopsAtAFailureToStoreWithOneBoxAndReloads)
{
    QuickWindow w;
    w.fx.pickRace(2);
    const QByteArray key = QByteArray(w.form->dayData().RaceRecords[0].data() + 11, 16);
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
    EXPECT_EQ(w.form->lbRace->currentIndex(), 0);
    EXPECT_NE(w.form->dayData().WinTotal[0], 9999);
    EXPECT_FALSE(w.form->BulkQuickReport);
}
