// The day's ".jvHR" file: stored with the other day files' safety, a later
// payout record of a race replacing an earlier one that the store names;
// read when a result is first asked for, each race's record matched by its
// race key, whatever cannot be used named with the file and the race while
// every other figure stays as loaded.
#include "racedata/DayData.h"
#include "racedata/DayFiles.h"
#include "support/RaceFixture.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sys/stat.h>

using namespace tavek;
using pools::Pool;
using test::H1Record;
using test::raceKey;
using test::RaRecord;
using test::sampleResult;

namespace {

const QString kDay = QStringLiteral("2005年04月16日");
const QByteArray kFirst = raceKey("20050416", "05", 1), kMain = raceKey("20050416", "05", 11);

// A day of two races, 1R without votes and 11R with 500 win votes.
void writeDay(const test::DataFolder& data)
{
    data.writeRaces(kDay, {RaRecord(kFirst), RaRecord(kMain)});
    data.writeVotes(kDay, {H1Record(kMain).winTotal(500)});
}

QString errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const std::runtime_error& e) {
        return QString::fromStdString(e.what());
    }
    return {};
}

}  // namespace

TEST(ResultDayFile, StoredBesideTheOtherDayFilesALaterRecordOfARaceReplacingTheEarlier)
{
    test::DataFolder data;
    const QString path = dayfiles::resultFilePath(data.path(), kDay);
    EXPECT_EQ(dayfiles::fileName(sampleResult()), QStringLiteral("2005年04月16日.jvHR"));
    EXPECT_TRUE(dayfiles::storeRecord(data.path(), sampleResult(kMain), dayfiles::Writer::QuickReport).isEmpty());
    EXPECT_TRUE(
        dayfiles::storeRecord(data.path(), test::HrRecord(kFirst).counts(8, 8), dayfiles::Writer::Batch).isEmpty());
    // The final record of a quick result: another header, the same payouts.
    QByteArray final = sampleResult(kMain);
    final.replace(2, 9, "720050417");
    EXPECT_TRUE(dayfiles::storeRecord(data.path(), final, dayfiles::Writer::Batch).isEmpty());
    EXPECT_EQ(test::readFile(path), test::HrRecord(kFirst).counts(8, 8).bytes() + final);

    // Other payouts: the later holds, the earlier is named whole.
    const QByteArray other = sampleResult(kMain).payout(Pool::Win, 0, "05", 440, 2);
    const QString note = dayfiles::storeRecords(data.path(), dayfiles::fileName(other), {other});
    EXPECT_EQ(note, QStringLiteral("日ファイル %1 のレース 2005041605020811 の払戻を、後から届いた払戻レコードに"
                                   "置き換えました。それまでのレコード：%2")
                        .arg(path, QString::fromLatin1(final.chopped(2))));
    EXPECT_TRUE(test::readFile(path).endsWith(other));

    EXPECT_TRUE(errorOf([&] {
                    dayfiles::storeRecord(data.path(), sampleResult().bytes().chopped(3) + "\r\n",
                                          dayfiles::Writer::Batch);
                }).contains(QStringLiteral("CR LFを含めて719バイト")));
}

TEST(ResultDayFile, ReadOnFirstUseAndADayWithoutOneHasNoResults)
{
    test::DataFolder data;
    writeDay(data);
    auto day = std::make_unique<DayData>();
    day->load(data.path(), kDay);
    data.writeResults(kDay, {sampleResult(kMain)});  // after the load: still found
    ASSERT_NE(day->result(1), nullptr);
    EXPECT_EQ(day->result(1)->order, (pools::FinishingOrder{{{5}, {2}, {9}}}));
    EXPECT_EQ(day->result(0), nullptr);
    EXPECT_EQ(day->result(kRaceSlots), nullptr);
    EXPECT_TRUE(day->resultProblem().isEmpty());

    day->load(data.path(), QStringLiteral("2005年04月17日"));
    EXPECT_EQ(day->result(1), nullptr);
    EXPECT_TRUE(day->resultProblem().isEmpty());
}

TEST(ResultDayFile, WhatCannotBeUsedIsNamedAndEverythingElseStays)
{
    const QByteArray good = sampleResult(kMain);
    const QByteArray letters = sampleResult(kMain).put(pools::payoutLayout(Pool::Win).yen(0), "0000004a0");
    struct Case {
        const char* name;
        std::function<void(const QString& path)> write;  // writes the .jvHR file at `path`
        QString expected;                                // in the message
        bool mainRead;                                   // 11R's result still read
        bool storeRefused = false;                       // for the same reason
    };
    const auto lines = [](QList<QByteArray> records) {
        return [records](const QString& path) { test::writeRecords(path, records); };
    };
    const Case cases[] =
        {
            {"letters in a payout", lines({sampleResult(kFirst).payout(Pool::Win, 0, "0x", 430, 2), good}),
             QStringLiteral(
                 "1行目の払戻レコード（レース 2005041605020801）の単勝の払戻1番目の組番「0x」が数字ではありません"),
             true},
            {"the race's own record damaged", lines({letters}),
             QStringLiteral("払戻金「0000004a0」が数字ではありません"), false},
            {"truncated", lines({good.chopped(12) + "\r\n"}),
             QStringLiteral("完全なレコードでない 1 行（1行目（707バイト）"), false},
            {"not on the card", lines({sampleResult(raceKey("20050416", "05", 5)), good}),
             QStringLiteral("1行目のレース 2005041605020805 は出馬表にありません"), true},
            {"two records of one race: the later holds",
             lines({sampleResult(kMain).payout(Pool::Win, 0, "05", 990, 2), good}),
             QStringLiteral("1行目（レース 2005041605020811 の払戻は後の2行目を使います）"), true},
            {"FIFO", [](const QString& path) { ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0); },
             QStringLiteral("通常のファイルではありません"), false, true},
            {"huge",
             [](const QString& path) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(qint64(1) << 30));  // sparse: takes no disk
             },
             QStringLiteral("大きすぎる"), false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::DataFolder data;
        writeDay(data);
        const QString path = dayfiles::resultFilePath(data.path(), kDay);
        c.write(path);
        auto day = std::make_unique<DayData>();
        const DayLoad load = day->load(data.path(), kDay);
        EXPECT_TRUE(load.problem.isEmpty()) << "the day loads as before";
        EXPECT_EQ(day->winTotal(1), 500);
        const QString problem = day->resultProblem();
        EXPECT_TRUE(problem.contains(path) && problem.contains(c.expected)) << problem.toStdString();
        EXPECT_EQ(day->result(1) != nullptr, c.mainRead);
        if (c.mainRead) {
            EXPECT_EQ(day->result(1)->of(Pool::Win).payouts.front().yen, 430);
        }
        EXPECT_EQ(day->result(0), nullptr);
        // The store refuses what the load cannot read, and writes through no link.
        if (c.storeRefused) {
            EXPECT_TRUE(errorOf([&] {
                            dayfiles::storeRecord(data.path(), good, dayfiles::Writer::Batch);
                        }).contains(c.expected));
        }
    }

    test::DataFolder data;
    QTemporaryDir outside;
    const QString target = outside.filePath(QStringLiteral("elsewhere.txt"));
    test::writeFile(target, "not a day file\r\n");
    ASSERT_TRUE(QFile::link(target, dayfiles::resultFilePath(data.path(), kDay)));
    EXPECT_TRUE(errorOf([&] {
                    dayfiles::storeRecord(data.path(), good, dayfiles::Writer::Batch);
                }).contains(QStringLiteral("シンボリックリンク")));
    EXPECT_EQ(test::readFile(target), "not a day file\r\n");
}
