// The day's ".jvH6" file: read when a trifecta figure is first asked for, each
// race's H6 matched by its race key; whatever cannot be used is named with the
// file and the race, and every other pool stays as loaded.
#include "pools/VotePools.h"
#include "racedata/DayData.h"
#include "racedata/DayFiles.h"
#include "support/RaceFixture.h"

#include <QFile>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sys/stat.h>

using namespace tavek;
using test::H1Record;
using test::H6Record;
using test::raceKey;
using test::RaRecord;

namespace {

const QString kDay = QStringLiteral("2005年04月16日");
const QByteArray kFirst = raceKey("20050416", "05", 1), kMain = raceKey("20050416", "05", 11);

// A day of two races, 1R without votes and 11R with 500 win votes.
void writeDay(const test::DataFolder& data)
{
    data.writeRaces(kDay, {RaRecord(kFirst), RaRecord(kMain)});
    data.writeVotes(kDay, {H1Record(kMain).winTotal(500)});
}

QByteArray trifecta(const QByteArray& key)
{
    return H6Record(key).registered(16).starters(16).entry(1, 30).total(30);
}

}  // namespace

TEST(TrifectaDayFile, ReadOnFirstUseNotAtLoad)
{
    test::DataFolder data;
    writeDay(data);
    auto day = std::make_unique<DayData>();
    day->load(data.path(), kDay);
    data.writeTrifecta(kDay, {trifecta(kMain)});  // after the load: still found
    EXPECT_EQ(day->trifectaRecord(1), trifecta(kMain));
    EXPECT_EQ(day->trifectaRecord(0), QByteArray(layout::kH6Length, ' '));
    EXPECT_TRUE(day->trifectaProblem().isEmpty());

    day->load(data.path(), QStringLiteral("2005年04月17日"));  // a day without any file
    EXPECT_EQ(day->trifectaRecord(1), QByteArray(layout::kH6Length, ' '));
    EXPECT_TRUE(day->trifectaProblem().isEmpty());
}

TEST(TrifectaDayFile, WhatCannotBeUsedIsNamedAndTheRestStays)
{
    const QByteArray good = trifecta(kMain);
    const QByteArray notNumber = H6Record(kMain).registered(16).entry(1, 30).put(
        pools::pool(pools::Pool::Trifecta).entry(7) + 6, "12x");
    struct Case {
        const char* name;
        std::function<void(const QString& path)> write;  // writes the .jvH6 file at `path`
        QString expected;                                // in the message
    };
    const auto lines = [](QList<QByteArray> records) {
        return [records](const QString& path) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            for (const QByteArray& r : records)
                f.write(r);
        };
    };
    const Case cases[] =
        {
            {"truncated", lines({good.chopped(12) + "\r\n"}),
             QStringLiteral("完全なレコードでない 1 行（1行目（102878バイト）")},
            {"over-long", lines({good.chopped(2) + "0000\r\n"}), QStringLiteral("レース 2005041605020811")},
            {"not a number", lines({notNumber}), QStringLiteral("レース 2005041605020811 の組番7が数字ではありません")},
            {"without its H1", lines({trifecta(kFirst)}),
             QStringLiteral("レース 2005041605020801 のH1レコードがありません")},
            {"not on the card", lines({trifecta(raceKey("20050416", "05", 5))}),
             QStringLiteral("レース 2005041605020805 は出馬表にありません")},
            {"FIFO", [](const QString& path) { ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0); },
             QStringLiteral("通常のファイルではありません")},
            {"huge",
             [](const QString& path) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(qint64(1) << 30));  // sparse: takes no disk
             },
             QStringLiteral("大きすぎる")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::DataFolder data;
        writeDay(data);
        const QString path = dayfiles::trifectaFilePath(data.path(), kDay);
        c.write(path);
        auto day = std::make_unique<DayData>();
        const DayLoad load = day->load(data.path(), kDay);
        EXPECT_TRUE(load.problem.isEmpty()) << "the day loads as before";
        EXPECT_EQ(day->winTotal(1), 500);
        const QString problem = day->trifectaProblem();
        EXPECT_TRUE(problem.contains(path) && problem.contains(c.expected)) << problem.toStdString();
        EXPECT_EQ(day->trifectaRecord(1).first(2), "  ");
        EXPECT_EQ(day->trifectaRecord(0).first(2), "  ");
    }
}
