// The payout record read into a race's result: every pool's payouts, its
// flags and the refunds, the first places the payouts tell; a damaged record
// refused with the race and the field named.
#include "pools/PoolIndex.h"
#include "racedata/RaceResult.h"
#include "racedata/RecordLayout.h"
#include "support/RaceFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace tavek::pools {

// An order reads as its places in a failure message: {5} {2 9}.
void PrintTo(const FinishingOrder& order, std::ostream* out)
{
    for (const std::vector<int>& place : order.places) {
        *out << '{';
        for (size_t i = 0; i < place.size(); ++i)
            *out << (i ? " " : "") << place[i];
        *out << "} ";
    }
}

}  // namespace tavek::pools

using namespace tavek;
using pools::FinishingOrder;
using pools::Pool;
using test::HrRecord;

namespace {

QStringList paid(const result::RaceResult& r, Pool pool)
{
    QStringList texts;
    for (const pools::EntryPayout& p : r.of(pool).payouts)
        texts.append(QStringLiteral("%1:%2:%3").arg(pools::entryLabel(pool, p.entry)).arg(p.yen).arg(p.popularity));
    return texts;
}

}  // namespace

TEST(RaceResult, ReadsEveryPoolsPayoutsFlagsAndRefunds)
{
    const result::RaceResult r = result::read(
        test::sampleResult().refund(7).flag(layout::kHrRefunds, Pool::Win).payout(Pool::Wide, 3, "0000", 0, -1));
    EXPECT_EQ(r.raceKey, test::raceKey());
    EXPECT_EQ(r.registered, 16);
    EXPECT_EQ(r.starters, 16);
    EXPECT_EQ(paid(r, Pool::Win), QStringList{"5:430:2"});
    EXPECT_EQ(paid(r, Pool::Place), (QStringList{"2:150:1", "5:160:3", "9:520:9"}));
    EXPECT_EQ(paid(r, Pool::Bracket), QStringList{"1-3:1240:5"});
    EXPECT_EQ(paid(r, Pool::Wide), (QStringList{"2-5:390:2", "2-9:1530:18", "5-9:2110:25"})) << "a zero slot unused";
    EXPECT_EQ(paid(r, Pool::Exacta), QStringList{"5-2:2120:7"});
    EXPECT_EQ(paid(r, Pool::Trifecta), QStringList{"5-2-9:41230:131"});
    EXPECT_TRUE(r.refunds.runner[7]);
    EXPECT_FALSE(r.refunds.runner[6]);
    EXPECT_TRUE(r.of(Pool::Win).refunds);
    EXPECT_FALSE(r.of(Pool::Place).refunds || r.of(Pool::Place).special || r.of(Pool::Place).notHeld);
    EXPECT_EQ(r.order, (FinishingOrder{{{5}, {2}, {9}}}));
    EXPECT_EQ(result::read(test::sampleResult().bytes().chopped(2)).order, r.order) << "without its CR LF";
}

TEST(RaceResult, TheOrderIsWhatEveryRunnerPoolsPayoutsAgreeOn)
{
    const auto orderOf = [](std::function<void(HrRecord&)> change) {
        HrRecord record = test::sampleResult();
        change(record);
        return result::read(record).order;
    };
    const auto clear = [](HrRecord& r, Pool pool) {
        for (int j = 0; j < pools::payoutLayout(pool).count; ++j)
            r.payout(pool, j, QByteArray(pools::payoutLayout(pool).combinationLen, ' '), 0, 0);
    };
    const auto winAndPlaceOnly = [&](HrRecord& r) {
        for (Pool pool : {Pool::Quinella, Pool::Wide, Pool::Exacta, Pool::Trio, Pool::Trifecta})
            clear(r, pool);
    };
    EXPECT_EQ(orderOf(winAndPlaceOnly), (FinishingOrder{{{5}}})) << "second and third either way";
    EXPECT_EQ(orderOf([&](HrRecord& r) {
                  winAndPlaceOnly(r);
                  r.payout(Pool::Exacta, 0, "0502", 2120, 7);
              }),
              (FinishingOrder{{{5}, {2}, {9}}}))
        << "the place payouts tell the third";
    EXPECT_EQ(orderOf([&](HrRecord& r) { r.flag(layout::kHrNotHeld, Pool::Trifecta); }),
              (FinishingOrder{{{5}, {2}, {9}}}))
        << "a pool not held tells nothing";
    EXPECT_EQ(orderOf([&](HrRecord& r) { r.payout(Pool::Trifecta, 0, "050902", 41230, 131); }), FinishingOrder{})
        << "payouts that no order wins";
    EXPECT_EQ(orderOf([&](HrRecord& r) {  // 2 and 9 second together
                  r.payout(Pool::Place, 2, "09", 520, 9)
                      .payout(Pool::Quinella, 1, "0509", 2980, 9)
                      .payout(Pool::Exacta, 1, "0509", 5120, 17)
                      .payout(Pool::Trifecta, 1, "050902", 61230, 181);
              }),
              (FinishingOrder{{{5}, {2, 9}}}));
}

TEST(RaceResult, ADamagedRecordIsRefusedNamingTheRaceAndTheField)
{
    const struct {
        const char* what;
        std::function<void(HrRecord&)> damage;
        const char* message;
    } kCases[] =
        {
            {"letters in a payout",
             [](HrRecord& r) {
        r.payout(Pool::Exacta, 0, "0502", 0, 7).put(pools::payoutLayout(Pool::Exacta).yen(0), "00000212O");
             },
             "馬単の払戻1番目の払戻金「00000212O」が数字ではありません"},
            {"letters in a combination", [](HrRecord& r) { r.payout(Pool::Win, 0, "5 ", 430, 2); },
             "単勝の払戻1番目の組番「5 」が数字ではありません"},
            {"letters in a popularity",
             [](HrRecord& r) {
        r.put(pools::payoutLayout(Pool::Trio).popularity(0), "2X4");
             },
             "3連複の払戻1番目の人気「2X4」が数字ではありません"},
      {"runner 0", [](HrRecord& r) { r.payout(Pool::Place, 1, "00", 160, 3); },
       "複勝の払戻2番目の組番がないのに払戻金か人気があります"},
      {"runner 0 in a pair", [](HrRecord& r) { r.payout(Pool::Quinella, 0, "0005", 980, 3); },
       "馬連の払戻1番目の組番「0005」は馬連の組番になっていません"},
      {"runner 19", [](HrRecord& r) { r.payout(Pool::Win, 0, "19", 430, 2); },
       "単勝の払戻1番目の組番「19」は単勝の組番になっていません"},
      {"a runner twice", [](HrRecord& r) { r.payout(Pool::Trifecta, 0, "050205", 41230, 131); },
       "3連単の払戻1番目の組番「050205」は3連単の組番になっていません"},
      {"a pair not ascending", [](HrRecord& r) { r.payout(Pool::Wide, 1, "0902", 1530, 18); },
       "ワイドの払戻2番目の組番「0902」はワイドの組番になっていません"},
      {"bracket 9", [](HrRecord& r) { r.payout(Pool::Bracket, 0, "19", 1240, 5); },
       "枠連の払戻1番目の組番「19」は枠連の組番になっていません"},
      {"one combination twice", [](HrRecord& r) { r.payout(Pool::Place, 3, "05", 160, 3); },
       "複勝の払戻4番目の組番「05」は2度目です"},
      {"a flag neither 0 nor 1", [](HrRecord& r) { r.flag(layout::kHrSpecial, Pool::Trio, '7'); },
       "3連複の特払フラグ「7」が0か1ではありません"},
      {"a runner's refund flag", [](HrRecord& r) { r.refund(12, 'x'); }, "12番の返還フラグ「x」が0か1ではありません"},
      {"the starters", [](HrRecord& r) { r.put(layout::kHrStarters, "1G"); }, "出走頭数「1G」が数字ではありません"},
      };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        HrRecord record = test::sampleResult();
        c.damage(record);
        try {
            result::read(record);
            ADD_FAILURE() << "read";
        } catch (const result::ReadError& e) {
            EXPECT_EQ(QString::fromStdString(e.what()),
                      QStringLiteral("払戻レコード（レース 2005041605020811）の") + QString::fromUtf8(c.message));
        }
    }
    for (const QByteArray& other : {test::sampleResult().bytes().chopped(3), QByteArray(test::H6Record())}) {
        try {
            result::read(other);
            ADD_FAILURE() << "read";
        } catch (const result::ReadError& e) {
            EXPECT_TRUE(QString::fromStdString(e.what()).contains(
                QStringLiteral("払戻レコード（HR、CR LFを除いて717バイト）ではありません")));
        }
    }
}
