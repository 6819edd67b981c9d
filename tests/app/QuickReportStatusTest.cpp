// What the user sees of a quick report: a busy cursor while it runs, a
// status-line message when it ends, and for the whole day no race-by-race
// stepping of the race selector, one refresh at the end.
#include "history/OddsHistory.h"
#include "jvlink/client/JVResult.h"
#include "racedata/Clock.h"
#include "racedata/DayData.h"
#include "support/RaceFixture.h"
#include "support/ScriptedJVLink.h"
#include "support/gui/MainWindowFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStatusBar>

#include <gtest/gtest.h>

using tavek::jvlink::JVResult;
using tavek::test::H1Record;
using tavek::test::MainWindowFixture;

namespace {

// Notes, at each real-time open, the cursor and what the window shows.
struct WatchedJVLink : tavek::test::ScriptedJVLink {
    TMainForm* form = nullptr;
    QList<int> selectorAtOpen;
    QList<int> currentRaceAtOpen;
    QList<bool> busyAtOpen;

    int32_t JVRTOpen(const QString& spec, const QString& key) override
    {
        selectorAtOpen << form->lbRace->currentIndex();
        currentRaceAtOpen << form->dayData().currentRace();
        busyAtOpen << (form->cursor().shape() == Qt::BusyCursor);
        return ScriptedJVLink::JVRTOpen(spec, key);
    }
};

struct QuickStatusWindow {
    tavek::clock::FixedNow now{QDateTime(QDate(2005, 4, 16), QTime(15, 20, 5))};
    MainWindowFixture fx;
    WatchedJVLink* jv = nullptr;
    TMainForm* form = nullptr;

    QuickStatusWindow()
    {
        fx.writeFixtureDay();
        form = &fx.start();
        auto watched = std::make_unique<WatchedJVLink>();
        jv = watched.get();
        jv->form = form;
        form->JVLink1 = std::move(watched);
        fx.pickDate(MainWindowFixture::kFixtureDate);
    }
    QString status() const { return form->StatusLine->currentMessage(); }
};

}  // namespace

TEST(QuickReportStatus, SingleRaceRunsUnderABusyCursorAndTellsTheRaceAndTime)
{
    QuickStatusWindow w;
    w.fx.pickRace(1);
    const QString race = w.form->lbRace->currentText();
    w.jv->record(H1Record(QByteArray(w.form->dayData().raceRecord(1).data() + 11, 16), '4').registered(16));
    w.form->SokuhoHyosuBtnClick();
    EXPECT_EQ(w.jv->busyAtOpen, QList<bool>({true}));
    EXPECT_EQ(w.form->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(w.status(), "速報票数を取得しました：" + race + "（15:20:05）");
}

TEST(QuickReportStatus, SingleRaceTellsNoVotesFromAFailureAndNamesTheFailure)
{
    QuickStatusWindow w;
    const QString race = w.form->lbRace->currentText();
    w.jv->rtOpenResult = JVResult::NoData;
    w.form->SokuhoHyosuBtnClick();
    EXPECT_EQ(w.status(), "速報票数はまだありません：" + race + "（15:20:05）");

    w.jv->rtOpenResult = JVResult::StillOpen;
    w.form->SokuhoHyosuBtnClick();
    EXPECT_EQ(w.status(), "速報票数の取得に失敗しました：" + race
                              + "（15:20:05）JVRTOpenエラー:前回のJVOpen/JVRTOpen に対してJVClose "
                                "が呼ばれていません。（オープン中）(-202)");
    EXPECT_EQ(w.form->cursor().shape(), Qt::ArrowCursor);
}

TEST(QuickReportStatus, AHistoryThatTakesNothingIsNamedAfterTheVotesWereFetched)
{
    QuickStatusWindow w;
    ASSERT_NE(w.form->oddsHistory(), nullptr);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(tavek::history::databaseIn(w.form->applicationFolder()));
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral("DROP TABLE snapshot")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    const QString race = w.form->lbRace->currentText();
    w.jv->record(H1Record(QByteArray(w.form->dayData().raceRecord(0).data() + 11, 16), '4').registered(16));
    w.form->SokuhoHyosuBtnClick();
    EXPECT_TRUE(w.status().startsWith("速報票数を取得しました：" + race
                                      + "（15:20:05）オッズ推移に保存できません（票数は日別ファイルに保存しました）："
                                        "オッズ履歴 "))
        << w.status().toStdString();
}

TEST(QuickReportStatus, WholeDayKeepsTheSelectorStillAndRefreshesOnceAtTheEnd)
{
    QuickStatusWindow w;
    w.fx.pickRace(2);
    QSignalSpy refreshes(w.form->calcBtn, &QPushButton::clicked);
    w.form->N11Click();
    EXPECT_EQ(w.jv->selectorAtOpen, QList<int>({2, 2, 2}));
    EXPECT_EQ(w.jv->currentRaceAtOpen, QList<int>({2, 2, 2}));
    EXPECT_EQ(w.jv->busyAtOpen, QList<bool>({true, true, true}));
    EXPECT_EQ(refreshes.count(), 1);
    EXPECT_EQ(w.form->lbRace->currentIndex(), 2) << "the user's race stays";
    EXPECT_EQ(w.form->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(w.status(), "1日分の速報票数を取得しました：2005年04月16日 3レース（15:20:05）");
}

TEST(QuickReportStatus, WholeDayCountsTheRacesThatFailed)
{
    QuickStatusWindow w;
    w.jv->rtOpenResult = JVResult::Maintenance;
    w.form->N11Click();
    EXPECT_EQ(w.status(), "1日分の速報票数を取得しました：2005年04月16日 3レース中3レースで失敗（15:20:05）"
                          "JVRTOpenエラー:サーバーがメンテナンス中です。(-504)");
}
