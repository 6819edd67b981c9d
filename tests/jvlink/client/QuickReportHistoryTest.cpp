#include "appfiles/AppFolder.h"
#include "history/OddsHistory.h"
#include "jvlink/client/QuickReport.h"
#include "jvlink/client/SoftwareId.h"
#include "jvlink/emulator/EmulatedJVLink.h"
#include "jvlink/emulator/GeneratedSource.h"
#include "jvlink/emulator/RaceCalendar.h"
#include "jvlink/emulator/RaceDraw.h"
#include "jvlink/emulator/RecordWriter.h"
#include "racedata/Clock.h"
#include "racedata/Cp932.h"
#include "racedata/PostTime.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"
#include "support/TestFiles.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavek;
using jvlink::GeneratedSource;
using Kind = jvlink::QuickReport::Result::Kind;

namespace {

struct NoView : jvlink::QuickView {
    void processEvents() override {}
    void restoreCursor() override {}
};

// The emulated service's morning of one race day, fetched into the day files
// and the history as the window and tavek-cli fetch it.
class QuickHistory : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        appfolder::setPath(dir.path());
        jvlink::EmulatorSettings s;
        s.storageFolder = dir.filePath("store");
        s.downloadPaceMs = 0;
        jv = std::make_unique<jvlink::EmulatedJVLink>(s);
        ASSERT_EQ(jv->JVInit(jvlink::softwareId()), 0);
        quick = std::make_unique<jvlink::QuickReport>(*jv, view, dir.filePath("Data"), access);
        log.writeStartupEntry(dir.path());
    }
    jvlink::QuickReport::Result fetchAt(const QTime& time)
    {
        clock::FixedNow fixed{QDateTime(kDay, time)};
        return quick->fetch(race);
    }
    static int winTotal(const history::Snapshot& s)
    {
        return record::blankAsZero(s.record, layout::kWinTotal, layout::kVoteLen);
    }

    static inline const QDate kDay{2024, 5, 26};
    // The day's last race of its first course: post time in the afternoon.
    static QByteArray lastRace()
    {
        QByteArray ra;
        const auto meetings = jvlink::calendar::meetingsOn(kDay);
        jvlink::records::appendRa(ra, jvlink::drawRace({kDay, meetings.at(0), 12, 0}), '2', kDay);
        return ra;
    }
    const QByteArray race = lastRace();
    const QByteArray key = layout::raceKey(race).toByteArray();
    QTemporaryDir dir;
    ErrorLog log{dir.filePath("ErrorLog.txt")};
    history::OddsHistory odds{history::databaseIn(dir.path())};
    history::HistoryAccess access{dir.path()};
    NoView view;
    std::unique_ptr<jvlink::EmulatedJVLink> jv;
    std::unique_ptr<jvlink::QuickReport> quick;
};

}  // namespace

TEST_F(QuickHistory, SnapshotsGrowThroughTheMorningAndUnmovedFiguresAreKeptOnce)
{
    ASSERT_TRUE(posttime::of(race).has_value());
    const QTime post = posttime::of(race)->time();
    EXPECT_EQ(fetchAt(QTime(6, 30)).kind(), Kind::NoVotes);  // before sales open the service has nothing
    EXPECT_TRUE(odds.snapshots(key).empty());

    for (const QTime t : {QTime(8, 0), QTime(9, 0), QTime(10, 30), QTime(12, 0)}) {
        const auto result = fetchAt(t);
        EXPECT_EQ(result.stored, 2);  // its H1 and its H6
        EXPECT_EQ(result.recorded, 1);
    }
    // The same minute again: the day file is rewritten, the history not.
    const auto again = fetchAt(QTime(12, 0));
    EXPECT_EQ(again.stored, 2);
    EXPECT_EQ(again.recorded, 0);
    EXPECT_EQ(again.kind(), Kind::Stored);
    fetchAt(post.addSecs(60));
    EXPECT_EQ(fetchAt(post.addSecs(600)).recorded, 0);  // after post time the figures stay final

    const auto kept = odds.snapshots(key);
    ASSERT_EQ(kept.size(), 5u);
    for (size_t i = 1; i < kept.size(); ++i) {
        EXPECT_LT(kept[i - 1].fetched, kept[i].fetched);
        EXPECT_LT(winTotal(kept[i - 1]), winTotal(kept[i]));
    }
    EXPECT_EQ(kept[0].fetched, QDateTime(kDay, QTime(8, 0)));
    EXPECT_EQ(kept[0].announced, QStringLiteral("20240526"));
    // The history keeps the record as received; the day file has zeros over category and date.
    EXPECT_EQ(kept[0].record.mid(layout::kDataCategory - 1, 1), "1");
    EXPECT_EQ(odds.snapshots(key, history::Detail::Whole).back().record.mid(layout::kDataCategory - 1, 1), "2");
    EXPECT_TRUE(test::readFile(dir.filePath("Data/2024年05月26日.jvH1")).startsWith("H1000000000"));
}

TEST_F(QuickHistory, AHistoryThatCannotBeWrittenIsReturnedAndLoggedWhileTheDayFileHasTheVotes)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(history::databaseIn(dir.path()));
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral("DROP TABLE snapshot")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));

    const auto result = fetchAt(QTime(9, 0));
    EXPECT_EQ(result.kind(), Kind::HistoryNotSaved);
    EXPECT_EQ(result.stored, 2);
    EXPECT_EQ(result.recorded, 0);
    EXPECT_TRUE(result.historyFailure.startsWith(QStringLiteral("オッズ履歴 "))) << result.historyFailure.toStdString();
    EXPECT_EQ(result.problem(), QStringLiteral("オッズ推移に保存できません（票数は日別ファイルに保存しました）：")
                                    + result.historyFailure);
    EXPECT_TRUE(QFile::exists(dir.filePath("Data/2024年05月26日.jvH1")));
    const QString text = cp932::decode(test::readFile(log.path()));
    EXPECT_EQ(text.count(QStringLiteral("【エラー】")), 1);
    EXPECT_TRUE(text.contains(result.historyFailure)) << text.toStdString();
}
