#include "history/OddsHistory.h"
#include "racedata/RecordLayout.h"
#include "support/RaceFixture.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavek;
using history::Detail;
using history::OddsHistory;
using history::Trifecta;
using test::H1Record;
using test::H6Record;
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
    // The trifecta's record of a fetch: a few entries whose votes follow `step`.
    static QByteArray trifecta(int step, const QByteArray& key = raceKey())
    {
        return H6Record(key, '1')
            .registered(18)
            .entry(1, 100 + step)
            .entry(2000, 7 * step)
            .entry(4896, step % 3)
            .total(100 + 8 * step + step % 3);
    }
    // Runs `statement` on the database file by hand, as another program would.
    QVariant sql(const QString& statement, const QVariantList& values = {}) const
    {
        QVariant result;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
            db.setDatabaseName(path());
            EXPECT_TRUE(db.open());
            QSqlQuery q(db);
            q.prepare(statement);
            for (const QVariant& v : values)
                q.addBindValue(v);
            EXPECT_TRUE(q.exec()) << statement.toStdString();
            if (q.next())
                result = q.value(0);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("raw"));
        return result;
    }
    // Sets the schema version by hand, as a newer program would leave it.
    void setUserVersion(int version) const { sql(QStringLiteral("PRAGMA user_version = %1").arg(version)); }

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
    h.forEachSnapshot(raceKey(), history::Detail::Votes, history::Trifecta::Without,
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

TEST_F(History, RefusesWhatIsNoWholeH1RecordOrNoWholeH6OfItsRace)
{
    OddsHistory h(path());
    EXPECT_THROW(h.record(test::RaRecord(), at(9, 0)), std::runtime_error);
    EXPECT_THROW(h.record(fetch(100).chopped(2), at(9, 0)), std::runtime_error);
    EXPECT_THROW(h.record(fetch(100), at(9, 0), fetch(100)), std::runtime_error);
    EXPECT_THROW(h.record(fetch(100), at(9, 0), trifecta(0).chopped(2)), std::runtime_error);
    EXPECT_THROW(h.record(fetch(100), at(9, 0), trifecta(0, raceKey("20050416", "05", 12))), std::runtime_error);
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

// Each fetch's trifecta record comes back as it was given, kept whole or as
// the changes from the fetch before, also over a whole record kept again;
// none where none came. Another race's keep theirs apart.
TEST_F(History, KeepsEachFetchsTrifectaRecordWithItsVotes)
{
    // Win votes and trifecta step (-1: none came) of each fetch; all but two are kept.
    std::vector<std::pair<int, int>> fetches = {{100, 0}, {100, 0}, {100, 1}, {100, -1}, {100, -1}};
    for (int step = 2; step < 75; ++step)
        fetches.push_back({200 + step, step});
    OddsHistory h(path());
    const QByteArray other = raceKey("20050416", "05", 12);
    std::vector<QByteArray> expected;
    for (const auto& [winVotes, step] : fetches) {
        const QByteArray record = step < 0 ? QByteArray() : trifecta(step);
        if (h.record(fetch(winVotes), at(9, 0).addSecs(60 * step), record))
            expected.push_back(record);
        h.record(fetch(winVotes, other), at(9, 0), trifecta(1000 + step, other));
    }
    EXPECT_EQ(expected.size(), fetches.size() - 2) << "nothing moved, nothing moved again";

    const auto read = h.snapshots(raceKey(), Detail::Votes, Trifecta::With);
    ASSERT_EQ(read.size(), expected.size());
    for (size_t i = 0; i < read.size(); ++i)
        ASSERT_EQ(read[i].trifecta, expected[i]) << i;
    const auto without = h.snapshots(raceKey());
    EXPECT_EQ(read[2].record, without[2].record) << "the H1 as without the trifecta";
    EXPECT_TRUE(without.back().trifecta.isEmpty()) << "left unless asked for";
    EXPECT_EQ(h.latestSnapshot(raceKey(), Detail::Whole, Trifecta::With)->trifecta, expected.back());
    EXPECT_EQ(h.latestSnapshot(other, Detail::Votes, Trifecta::With)->trifecta, trifecta(1074, other));

    // Another program kept the race's last one: the next builds on that, not
    // on the one this history kept before it.
    OddsHistory second(path());
    second.record(fetch(900), at(12, 0), trifecta(900));
    h.record(fetch(901), at(12, 1), trifecta(74));
    EXPECT_EQ(second.latestSnapshot(raceKey(), Detail::Votes, Trifecta::With)->trifecta, trifecta(74));
}

// A history of the first schema, written here as that program wrote it: its
// snapshots read on, without trifecta records, and new ones come with theirs.
TEST_F(History, AHistoryOfTheFirstSchemaIsBroughtUpInPlace)
{
    sql(QStringLiteral("CREATE TABLE snapshot (id INTEGER PRIMARY KEY, race_key TEXT NOT NULL,"
                       " fetched INTEGER NOT NULL, announced TEXT NOT NULL, digest BLOB NOT NULL,"
                       " votes BLOB NOT NULL, whole BLOB NOT NULL)"));
    sql(QStringLiteral("CREATE INDEX snapshot_race ON snapshot (race_key, id)"));
    sql(QStringLiteral("PRAGMA user_version = 1"));
    const QByteArray old = fetch(100);
    const QByteArray votes = old.first(layout::exactaEntry(0) - 1) + old.sliced(layout::kWinTotal - 1);
    sql(QStringLiteral("INSERT INTO snapshot (race_key, fetched, announced, digest, votes, whole)"
                       " VALUES (?, ?, '20050416', ?, ?, ?)"),
        {QString::fromLatin1(raceKey()), at(9, 0).toMSecsSinceEpoch(),
         QCryptographicHash::hash(old.sliced(layout::kRaceKey - 1), QCryptographicHash::Sha1), votes, qCompress(old)});

    {
        OddsHistory h(path());
        EXPECT_FALSE(h.record(old, at(9, 1))) << "the old snapshot's figures";
        EXPECT_TRUE(h.record(old, at(9, 2), trifecta(5)));
    }
    EXPECT_EQ(sql(QStringLiteral("PRAGMA user_version")).toInt(), history::kSchemaVersion);
    const auto read = OddsHistory(path()).snapshots(raceKey(), Detail::Whole, Trifecta::With);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].record, old);
    EXPECT_EQ(read[0].fetched, at(9, 0));
    EXPECT_TRUE(read[0].trifecta.isEmpty());
    EXPECT_TRUE(read[0].trifectaFault.isEmpty());
    EXPECT_EQ(read[1].trifecta, trifecta(5));
}

// A damaged trifecta record reads as none, with why, and so does every later
// one kept as changes from it; the votes of the H1 read all the same, and the
// next fetch is kept whole.
TEST_F(History, ADamagedTrifectaRecordReadsAsNoneAndTheVotesStillRead)
{
    const QByteArray whole = qCompress(trifecta(0));
    const struct {
        const char* what;
        qint64 snapshot;  // 1 is kept whole, 2-4 as changes
        QByteArray stored;
    } cases[] = {
        {"a whole record cut short", 1, qCompress(trifecta(0).chopped(2))},
        {"another race's record", 1, qCompress(trifecta(0, raceKey("20050416", "05", 12)))},
        {"a stream that does not inflate", 1, whole.first(4) + "no zlib stream"},
        {"a length claimed far beyond", 1, "\x7f\xff\xff\xff" + whole.sliced(4)},
        {"changes that are no compressed data", 2, "x"},
        {"changes past the record's end", 3, qCompress(QByteArray("\x00\xff\xff\x03xyz", 7))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(path());
        {
            OddsHistory h(path());
            for (int step = 0; step < 4; ++step)
                h.record(fetch(100 + step), at(9, step), trifecta(step));
        }
        sql(QStringLiteral("UPDATE trifecta SET record = ? WHERE snapshot = ?"), {c.stored, c.snapshot});
        OddsHistory h(path());
        EXPECT_TRUE(h.record(fetch(200), at(10, 0), trifecta(9)));
        const auto read = h.snapshots(raceKey(), Detail::Whole, Trifecta::With);
        ASSERT_EQ(read.size(), 5u);
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(read[i].record, fetch(100 + qint64(i)));
            const bool readable = qint64(i) + 1 < c.snapshot;
            EXPECT_EQ(read[i].trifecta, readable ? trifecta(int(i)) : QByteArray()) << i;
            EXPECT_EQ(read[i].trifectaFault.contains(QStringLiteral("3連単の記録が壊れています")), !readable) << i;
        }
        EXPECT_EQ(read[4].trifecta, trifecta(9));
        EXPECT_EQ(h.latestSnapshot(raceKey(), Detail::Votes, Trifecta::With)->trifecta, trifecta(9));
    }
}
