#include "history/OddsHistory.h"
#include "racedata/RecordLayout.h"
#include "support/RaceFixture.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavek;
using history::Detail;
using history::OddsHistory;
using test::H1Record;
using test::raceKey;

namespace {

class History : public ::testing::Test {
protected:
    QString path() const { return history::databaseIn(dir.path()); }
    static QDateTime at(int h, int m) { return QDateTime(QDate(2005, 4, 16), QTime(h, m)); }
    static QByteArray fetch(long long winVotes, const QByteArray& key = raceKey(), const char* created = "20050416")
    {
        return H1Record(key, '1')
            .put(layout::kCreationDate, created)
            .winTotal(1000)
            .win(1, winVotes)
            .exacta(0, 1, 2, 77);
    }
    // Sets the schema version by hand, as a newer program would leave it.
    void setUserVersion(int version) const
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
            db.setDatabaseName(path());
            ASSERT_TRUE(db.open());
            QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = %1").arg(version));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    }

    QTemporaryDir dir;
};

}  // namespace

TEST_F(History, KeepsEachChangeOnceOldestFirstAndRacesApart)
{
    OddsHistory h(path());
    EXPECT_TRUE(h.record(fetch(100), at(9, 0)));
    EXPECT_FALSE(h.record(fetch(100), at(9, 1)));  // nothing moved
    // A new creation date alone is no new figure.
    EXPECT_FALSE(h.record(fetch(100, raceKey(), "20050417"), at(9, 2)));
    EXPECT_TRUE(h.record(fetch(120), at(9, 3)));
    EXPECT_TRUE(h.record(fetch(100), at(9, 4)));  // back to earlier figures: a new point in time
    EXPECT_TRUE(h.record(fetch(100, raceKey("20050416", "05", 12)), at(9, 5)));

    const auto race = h.snapshots(raceKey());
    ASSERT_EQ(race.size(), 3u);
    EXPECT_EQ(race[0].fetched, at(9, 0));
    EXPECT_EQ(race[1].fetched, at(9, 3));
    EXPECT_EQ(race[2].fetched, at(9, 4));
    EXPECT_EQ(race[0].announced, QStringLiteral("20050416"));
    EXPECT_EQ(race[1].record.mid(layout::winVotes(1) - 1, 11), "00000000120");
    EXPECT_EQ(h.snapshots(raceKey("20050416", "05", 12)).size(), 1u);
    EXPECT_TRUE(h.snapshots(raceKey("20050416", "06", 12)).empty());
    // The newest alone, and the snapshots one at a time as the list has them.
    EXPECT_EQ(h.latestSnapshot(raceKey())->fetched, at(9, 4));
    EXPECT_FALSE(h.latestSnapshot(raceKey("20050416", "06", 12)));
    std::vector<QByteArray> streamed;
    h.forEachSnapshot(raceKey(), history::Detail::Votes,
                      [&](const history::Snapshot& s) { streamed.push_back(s.record); });
    ASSERT_EQ(streamed.size(), 3u);
    EXPECT_EQ(streamed[1], race[1].record);
    EXPECT_EQ(streamed[2], race[2].record) << "each record whole, not what the one before left";
}

// The day file keeps a quick report with its category and date overwritten:
// its figures still find when they were fetched, the latest fetch of them.
TEST_F(History, FindsWhenTheFiguresOfADayFilesRecordWereFetched)
{
    OddsHistory h(path());
    h.record(fetch(100), at(9, 0));
    h.record(fetch(120), at(9, 3));
    h.record(fetch(100), at(9, 4));
    QByteArray stored = fetch(100);
    stored.replace(layout::kDataCategory - 1, 9, "000000000");
    EXPECT_EQ(h.fetchedAt(stored), at(9, 4));
    EXPECT_EQ(h.fetchedAt(fetch(120)), at(9, 3));
    EXPECT_EQ(h.fetchedAt(fetch(130)), std::nullopt) << "figures never fetched";
    EXPECT_EQ(h.fetchedAt(fetch(100, raceKey("20050416", "05", 12))), std::nullopt) << "another race";
    EXPECT_EQ(h.fetchedAt(stored.left(100)), std::nullopt);
}

TEST_F(History, VotesDetailLeavesOnlyTheExactaAndTrioTablesBlank)
{
    const QByteArray record = fetch(100);
    {
        OddsHistory h(path());
        h.record(record, at(9, 0));
    }
    OddsHistory again(path());  // what was written survives the close
    const QByteArray whole = again.snapshots(raceKey(), Detail::Whole).at(0).record;
    const QByteArray votes = again.snapshots(raceKey()).at(0).record;
    EXPECT_EQ(whole, record);
    ASSERT_EQ(votes.size(), layout::kH1Length);
    const int tables = layout::exactaEntry(0) - 1, totals = layout::kWinTotal - 1;
    EXPECT_EQ(votes.first(tables), record.first(tables));
    EXPECT_EQ(votes.sliced(totals), record.sliced(totals));
    EXPECT_EQ(votes.mid(tables, totals - tables), QByteArray(totals - tables, ' '));
}

TEST_F(History, RefusesWhatIsNoWholeH1Record)
{
    OddsHistory h(path());
    EXPECT_THROW(h.record(test::RaRecord(), at(9, 0)), std::runtime_error);
    EXPECT_THROW(h.record(fetch(100).chopped(2), at(9, 0)), std::runtime_error);
    EXPECT_TRUE(h.snapshots(raceKey()).empty());
}

TEST_F(History, RefusesANewerSchemaAndAFileThatIsNoDatabase)
{
    {
        OddsHistory h(path());
    }
    setUserVersion(history::kSchemaVersion + 1);
    try {
        OddsHistory h(path());
        FAIL() << "a newer schema was opened";
    } catch (const std::runtime_error& e) {
        const QString message = QString::fromStdString(e.what());
        EXPECT_TRUE(message.contains(QStringLiteral("新しい版"))) << e.what();
        EXPECT_TRUE(message.contains(QStringLiteral("第2版"))) << e.what();
    }

    const QString junk = dir.filePath(QStringLiteral("junk.sqlite"));
    test::writeRecords(junk, {QByteArray(4096, 'x')});
    EXPECT_THROW(OddsHistory{junk}, std::runtime_error);
}
