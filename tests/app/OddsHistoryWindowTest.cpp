#include "app/CsvExportForm.h"
#include "app/MainForm.h"
#include "jvlink/client/JVResult.h"
#include "racedata/Clock.h"
#include "racedata/Cp932.h"
#include "racedata/DayData.h"
#include "support/RaceFixture.h"
#include "support/ScriptedJVLink.h"
#include "support/TestFiles.h"
#include "support/gui/BoxAnswerer.h"
#include "support/gui/DialogCatcher.h"
#include "support/gui/MainWindowFixture.h"
#include "timeline/ui/OddsHistoryView.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

using tavek::test::H1Record;
using tavek::test::MainWindowFixture;
using tavek::test::ScriptedJVLink;

namespace {

// The main window on the fixture day's first race, with a scripted JV-Link
// and a fixed clock.
struct HistoryWindow {
    tavek::clock::FixedNow now{QDateTime(QDate(2005, 4, 16), QTime(9, 30))};
    MainWindowFixture fx;
    ScriptedJVLink* jv = nullptr;
    TMainForm* form = nullptr;
    QByteArray key;

    HistoryWindow()
    {
        fx.writeFixtureDay();
        form = &fx.start();
        auto scripted = std::make_unique<ScriptedJVLink>();
        jv = scripted.get();
        form->JVLink1 = std::move(scripted);
        fx.pickDate(MainWindowFixture::kFixtureDate);
        key = QByteArray(form->dayData().raceRecord(0).data() + 11, 16);
    }
    void serve(long long horse1)
    {
        jv->record(H1Record(key, '4').registered(2).win(1, horse1).win(2, 100).winTotal(horse1 + 100));
        jv->code(0);
    }
    int errorLines() const
    {
        return int(tavek::cp932::decode(tavek::test::readFile(fx.logPath())).count(QStringLiteral("【エラー】")));
    }
};

}  // namespace

TEST(OddsHistoryWindow, EachQuickReportAddsARowToTheHistoryTab)
{
    HistoryWindow w;
    w.form->PageControl1->setCurrentWidget(w.form->TabSheet6);
    EXPECT_EQ(w.form->oddsHistoryView->SnapshotGrid->model()->rowCount(), 0);
    EXPECT_TRUE(w.form->oddsHistoryView->CaptionLabel->text().contains(QStringLiteral("まだありません")));
    w.serve(300);
    w.form->SokuhoHyosuBtnClick();
    w.serve(500);
    w.form->SokuhoHyosuBtnClick();
    const QAbstractItemModel* grid = w.form->oddsHistoryView->SnapshotGrid->model();
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->columnCount(), 2 + 2);
    EXPECT_EQ(grid->index(0, 2).data().toString(), QStringLiteral("1.0"));  // newest first: 600 x 0.8 / 500
    EXPECT_EQ(grid->index(1, 2).data().toString(), QStringLiteral("1.1"));
}

TEST(OddsHistoryWindow, AutomaticRefreshFetchesGoesOnAfterAFailureAndStops)
{
    HistoryWindow w;
    w.serve(300);
    w.form->AutoRefreshBtn->click();
    EXPECT_EQ(w.jv->count("JVRTOpen"), 1);
    EXPECT_TRUE(w.form->RefreshTimer->isActive());
    EXPECT_EQ(w.form->RefreshTimer->interval(), 60'000);
    EXPECT_TRUE(w.form->RefreshStatus->text().contains(QStringLiteral("前回 09:30:00 ／ 次回 09:31:00")))
        << w.form->RefreshStatus->text().toStdString();

    w.jv->rtOpenResult = tavek::jvlink::JVResult::StillOpen;
    w.form->RefreshTimerTimer();
    EXPECT_EQ(w.jv->count("JVRTOpen"), 2);
    EXPECT_EQ(w.errorLines(), 1);
    EXPECT_TRUE(w.form->RefreshTimer->isActive());  // the failure is logged and the refresh goes on
    EXPECT_TRUE(w.form->StatusLine->currentMessage().contains(QStringLiteral("JVRTOpenエラー:")))
        << w.form->StatusLine->currentMessage().toStdString();

    w.form->AutoRefreshBtn->click();
    EXPECT_FALSE(w.form->RefreshTimer->isActive());
    EXPECT_FALSE(w.form->AutoRefreshBtn->isChecked());
}

// With the automatic refresh on, another race picked is fetched at once,
// and the page and the status line speak of that race.
TEST(OddsHistoryWindow, AutomaticRefreshFollowsTheRacePicked)
{
    HistoryWindow w;
    w.serve(300);
    w.form->AutoRefreshBtn->click();
    ASSERT_EQ(w.jv->count("JVRTOpen"), 1);

    // 中山 12R has no votes, and the service has none yet either.
    w.fx.pickRace(2);
    EXPECT_EQ(w.jv->count("JVRTOpen"), 2) << "fetched at once";
    EXPECT_EQ(w.jv->realTimeKey, QString::fromLatin1(w.form->dayData().raceRecord(2).sliced(11, 16)));
    EXPECT_TRUE(w.form->StatusLine->currentMessage().contains(w.form->lbRace->currentText()))
        << w.form->StatusLine->currentMessage().toStdString();
    EXPECT_TRUE(w.form->HintLabel->text().contains(QStringLiteral("「自動更新」が発走時刻まで取得を続けます")))
        << w.form->HintLabel->text().toStdString();
    EXPECT_TRUE(w.form->RefreshTimer->isActive());

    // Its votes arrive: the page shows the race, the status line says so.
    const QByteArray key = w.form->dayData().raceRecord(2).sliced(11, 16).toByteArray();
    w.jv->record(H1Record(key, '4').registered(2).win(1, 700).win(2, 300).winTotal(1000));
    w.form->RefreshTimerTimer();
    EXPECT_TRUE(w.form->PageControl1->isVisible());
    EXPECT_FALSE(w.form->HintLabel->isVisible());
    EXPECT_TRUE(w.form->StatusLine->currentMessage().startsWith(
        QStringLiteral("速報票数を取得しました：%1").arg(w.form->lbRace->currentText())));

    // Stopped, the refresh fetches no race picked.
    w.form->AutoRefreshBtn->click();
    w.fx.pickRace(0);
    EXPECT_EQ(w.jv->count("JVRTOpen"), 3);
}

TEST(OddsHistoryWindow, CsvExportWritesTheChosenTableInTheChosenCode)
{
    HistoryWindow w;
    const QString path = w.fx.folder() + QStringLiteral("/馬連.csv");
    tavek::test::DialogCatcher catcher([&](QDialog* d) {
        auto* form = qobject_cast<TCsvExportForm*>(d);
        ASSERT_NE(form, nullptr);
        form->RadioQuinella->setChecked(true);
        form->EncodingCombo->setCurrentIndex(1);
        form->FileNameEdit->setText(path);
        form->BitBtn1->click();
    });
    w.form->CsvExportItemClick();
    ASSERT_EQ(catcher.count(), 1);
    const QByteArray bytes = tavek::test::readFile(path);
    EXPECT_TRUE(bytes.startsWith(tavek::cp932::encode(u"組番,馬番1,馬番2,オッズ,オッズ(仮想)\r\n1-2,1,2,")))
        << bytes.left(40).toStdString();
    EXPECT_EQ(bytes.count("\r\n"), 1 + 153);
}

TEST(OddsHistoryWindow, AHistoryOfANewerSchemaIsShownOnceAndTheQuickReportGoesOn)
{
    HistoryWindow w;
    const QString path = tavek::history::databaseIn(w.form->applicationFolder());
    {
        tavek::history::OddsHistory created(path);
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = 9"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));

    tavek::test::BoxAnswerer boxes;
    w.serve(300);
    w.form->SokuhoHyosuBtnClick();
    w.serve(400);
    w.form->SokuhoHyosuBtnClick();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.seen()[0].kind, tavek::MessageBox::Kind::Information);
    EXPECT_TRUE(boxes.texts()[0].contains(QStringLiteral("新しい版"))) << boxes.texts()[0].toStdString();
    EXPECT_EQ(w.form->dayData().winTotal(0), 500);  // the day file has the second fetch
}

// A history that cannot be opened is tried again at every fetch: each one
// says the day file has the votes and why the history has not, and the log
// has the cause once, not at every turn of the refresh.
TEST(OddsHistoryWindow, AHistoryThatCannotBeOpenedIsNamedAfterEachFetchAndLoggedOnce)
{
    HistoryWindow w;
    const QString path = tavek::history::databaseIn(w.form->applicationFolder());
    tavek::test::writeFile(path, QByteArray(4096, 'x'));
    const QString reason = QStringLiteral("オッズ履歴 %1 を開けません（SQLiteのデータベースではありません）：")
                               .arg(QDir::toNativeSeparators(path));
    const QString expected = QStringLiteral("速報票数を取得しました：%1（09:30:00）"
                                            "オッズ推移に保存できません（票数は日別ファイルに保存しました）：")
                                 .arg(w.form->lbRace->currentText())
                             + reason;
    w.serve(300);
    w.form->SokuhoHyosuBtnClick();
    EXPECT_TRUE(w.form->StatusLine->currentMessage().startsWith(expected))
        << w.form->StatusLine->currentMessage().toStdString();
    w.serve(500);
    w.form->AutoRefreshBtn->click();
    EXPECT_TRUE(w.form->StatusLine->currentMessage().startsWith(expected))
        << w.form->StatusLine->currentMessage().toStdString();
    EXPECT_EQ(w.form->dayData().winTotal(0), 600);  // the day file has the second fetch
    EXPECT_EQ(w.errorLines(), 1);
    EXPECT_TRUE(tavek::cp932::decode(tavek::test::readFile(w.fx.logPath())).contains(reason));
    // The tab says why it has nothing to show, not that nothing was fetched yet.
    w.form->PageControl1->setCurrentWidget(w.form->TabSheet6);
    EXPECT_TRUE(w.form->oddsHistoryView->CaptionLabel->text().contains(reason))
        << w.form->oddsHistoryView->CaptionLabel->text().toStdString();
}
