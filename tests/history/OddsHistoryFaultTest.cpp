#include "history/OddsHistory.h"
#include "racedata/RecordLayout.h"
#include "support/FaultInjection.h"
#include "support/RaceFixture.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

#include <gtest/gtest.h>
#include <signal.h>

using namespace tavek;
using history::OddsHistory;
using test::H1Record;
using test::raceKey;

namespace {

QByteArray fetch(long long winVotes)
{
    return H1Record(raceKey(), '1').winTotal(1'000'000).win(1, winVotes);
}

QString integrity(const QString& path)
{
    QString result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next())
                result = q.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    return result;
}

}  // namespace

TEST(HistoryFault, AWriterKilledMidWriteLosesAtMostItsLastSnapshot)
{
    QTemporaryDir dir;
    const QString path = history::databaseIn(dir.path());
    {
        OddsHistory created(path);
    }
    const int pid = test::forkChild([&] {
        OddsHistory h(path);
        for (long long v = 1;; ++v)
            h.record(fetch(v), QDateTime::currentDateTime());
    });
    QThread::msleep(400);
    ::kill(pid, SIGKILL);
    EXPECT_EQ(test::waitChild(pid), 100 + SIGKILL);

    EXPECT_EQ(integrity(path), QStringLiteral("ok"));
    OddsHistory next(path);
    const auto kept = next.snapshots(raceKey());
    ASSERT_FALSE(kept.empty());
    // Every kept snapshot is whole, and they are the child's first ones in order.
    for (size_t i = 0; i < kept.size(); ++i)
        ASSERT_EQ(kept[i].record.mid(layout::winVotes(1) - 1, 11), test::voteField(static_cast<long long>(i) + 1));
    EXPECT_TRUE(next.record(fetch(0), QDateTime::currentDateTime()));
}

TEST(HistoryFault, TwoWritersTakeTurnsAndLoseNothing)
{
    QTemporaryDir dir;
    const QString path = history::databaseIn(dir.path());
    constexpr int kEach = 40;
    int pids[2];
    for (int w = 0; w < 2; ++w)
        pids[w] = test::forkChild([&, w] {
            try {
                OddsHistory h(path);  // both may find no database yet
                for (int i = 0; i < kEach; ++i)
                    if (!h.record(fetch(1000 * (w + 1) + i), QDateTime::currentDateTime()))
                        _exit(2);
            } catch (const std::exception& e) {
                std::fprintf(stderr, "writer %d: %s\n", w, e.what());
                _exit(1);
            }
        });
    EXPECT_EQ(test::waitChild(pids[0]), 0);
    EXPECT_EQ(test::waitChild(pids[1]), 0);
    EXPECT_EQ(integrity(path), QStringLiteral("ok"));
    EXPECT_EQ(OddsHistory(path).snapshots(raceKey()).size(), size_t(2 * kEach));
}
