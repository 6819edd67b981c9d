// The day's ".jvHR" file: stored as the other day files are, a later payout
// record of a race replacing the earlier, which the store names; read when a
// result is first asked for, whatever cannot be used named with the file and
// the race while every other figure stays as loaded.
#include "racedata/DayData.h"
#include "racedata/DayFiles.h"
#include "support/FaultInjection.h"
#include "support/RaceFixture.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <memory>

using namespace tavek;
using pools::Pool;
using test::raceKey;
using test::sampleResult;

namespace {

const QString kDay = QStringLiteral("2005年04月16日");
const QByteArray kFirst = raceKey("20050416", "05", 1), kMain = raceKey("20050416", "05", 11);

}  // namespace

TEST(ResultDayFile, ALaterRecordOfARaceReplacesTheEarlierNamedWhereItsPayoutsDiffer)
{
    test::DataFolder data;
    const QString path = dayfiles::resultFilePath(data.path(), kDay);
    EXPECT_EQ(dayfiles::fileName(sampleResult()), QStringLiteral("2005年04月16日.jvHR"));
    const auto store = [&](const QByteArray& r) {
        return dayfiles::storeRecord(data.path(), r, dayfiles::Writer::Batch);
    };
    EXPECT_EQ(store(sampleResult(kMain)) + store(sampleResult(kFirst)), QString());
    QByteArray final = sampleResult(kMain);
    final.replace(2, 9, "720050417");
    EXPECT_EQ(store(final), QString()) << "another header, the same payouts";
    const QByteArray other = sampleResult(kMain).payout(Pool::Win, 0, "05", 440, 2);
    EXPECT_EQ(store(other),
              QStringLiteral("日ファイル %1 のレース 2005041605020811 の払戻を、後から届いた払戻レコードに"
                             "置き換えました。それまでのレコード：%2")
                  .arg(path, QString::fromLatin1(final.chopped(2))));
    EXPECT_EQ(test::readFile(path), sampleResult(kFirst).bytes() + other);
    EXPECT_THROW(store(sampleResult().bytes().chopped(3) + "\r\n"), std::runtime_error);
}

TEST(ResultDayFile, ReadOnFirstUseWhatCannotBeUsedNamedAndEverythingElseKept)
{
    const QByteArray good = sampleResult(kMain);
    const auto records = [](QList<QByteArray> list) {
        return [list](const QString& p) { test::writeRecords(p, list); };
    };
    const auto unusable = [](test::Unusable kind) { return [kind](const QString& p) { test::makeUnusable(p, kind); }; };
    const struct {
        std::function<void(const QString& path)> write;  // the .jvHR file
        const char* expected;                            // in the message
        bool mainRead;                                   // 11R's result read all the same
    } kCases[] = {
        {records({good}), nullptr, true},
        {records({sampleResult(kFirst).payout(Pool::Win, 0, "0x", 430, 2), good}),
         "1行目の払戻レコード（レース 2005041605020801）の単勝の払戻1番目の組番「0x」が数字ではありません", true},
        {records({good.chopped(12) + "\r\n"}),
         "完全なレコードでない 1 行（1行目（707バイト）（レース 2005041605020811）", false},
        {records({sampleResult(raceKey("20050416", "05", 5)), good}),
         "1行目のレース 2005041605020805 は出馬表にありません", true},
        {records({sampleResult(kMain).payout(Pool::Win, 0, "05", 990, 2), good}),
         "1行目（レース 2005041605020811 の払戻は後の2行目を使います）", true},
        {unusable(test::Unusable::Fifo), "通常のファイルではありません", false},
        {unusable(test::Unusable::Huge), "大きすぎる", false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.expected ? c.expected : "whole");
        test::DataFolder data;
        data.writeRaces(kDay, {test::RaRecord(kFirst), test::RaRecord(kMain)});
        data.writeVotes(kDay, {test::H1Record(kMain).winTotal(500)});
        auto day = std::make_unique<DayData>();
        EXPECT_TRUE(day->load(data.path(), kDay).problem.isEmpty()) << "the day loads as before";
        const QString path = dayfiles::resultFilePath(data.path(), kDay);
        c.write(path);  // after the load: found on first use
        EXPECT_EQ(day->winTotal(1), 500);
        const QString problem = day->resultProblem();
        EXPECT_TRUE(c.expected ? problem.contains(path) && problem.contains(QString::fromUtf8(c.expected))
                               : problem.isEmpty())
            << problem.toStdString();
        ASSERT_EQ(day->result(1) != nullptr, c.mainRead);
        EXPECT_EQ(c.mainRead ? day->result(1)->of(Pool::Win).payouts.front().yen : 430, 430);
        EXPECT_EQ(day->result(0), nullptr);
        day->load(data.path(), QStringLiteral("2005年04月17日"));
        EXPECT_TRUE(day->result(1) == nullptr && day->resultProblem().isEmpty()) << "a day without the file";
    }
}
