// The payout record read into a race's result: every pool's payouts, its
// flags and the refunds, the first places the payouts tell; a damaged record
// refused with the race and the field named.
#include "pools/PoolIndex.h"
#include "racedata/RaceResult.h"
#include "racedata/RecordLayout.h"
#include "support/RaceFixture.h"

#include <gtest/gtest.h>

using namespace tavek;
using pools::FinishingOrder;
using pools::Pool;
using test::HrRecord;
using test::sampleResult;

namespace {

QString paid(const result::RaceResult& r, Pool pool)
{
    QStringList texts;
    for (const pools::EntryPayout& p : r.of(pool).payouts)
        texts.append(QStringLiteral("%1:%2:%3").arg(pools::entryLabel(pool, p.entry)).arg(p.yen).arg(p.popularity));
    return texts.join(u' ');
}

// Where a pool's slot j puts its combination and its yen.
int combination(Pool pool, int j)
{
    return pools::payoutLayout(pool).slot(j);
}
int yen(Pool pool, int j)
{
    return pools::payoutLayout(pool).yen(j);
}

}  // namespace

TEST(RaceResult, ReadsEveryPoolsPayoutsFlagsRefundsAndTheOrderTheyTell)
{
    const result::RaceResult r = result::read(
        sampleResult().refund(7).flag(layout::kHrRefunds, Pool::Win).payout(Pool::Wide, 3, "0000", 0, 0));
    EXPECT_EQ(r.raceKey, test::raceKey());
    EXPECT_EQ(r.starters, 16);
    EXPECT_EQ(paid(r, Pool::Place), "2:120:1 5:220:3 9:370:9");
    EXPECT_EQ(paid(r, Pool::Bracket), "1-3:1240:5");
    EXPECT_EQ(paid(r, Pool::Wide), "2-5:390:2 2-9:1530:18 5-9:2110:25") << "a zero slot unused";
    EXPECT_EQ(paid(r, Pool::Trifecta), "5-2-9:41230:131");
    EXPECT_TRUE(r.refunds.runner[7] && !r.refunds.runner[6]);
    EXPECT_TRUE(r.of(Pool::Win).refunds && !r.of(Pool::Place).refunds && !r.of(Pool::Place).notHeld);
    EXPECT_EQ(r.order, (FinishingOrder{{{5}, {2}, {9}}}));
    EXPECT_EQ(result::read(sampleResult().bytes().chopped(2)).order, r.order) << "without its CR LF";

    // The order as far as the payouts tell it.
    HrRecord winAndPlace = sampleResult();
    for (Pool pool : {Pool::Quinella, Pool::Wide, Pool::Exacta, Pool::Trio, Pool::Trifecta})
        for (int j = 0; j < pools::payoutLayout(pool).count; ++j)
            winAndPlace.put(combination(pool, j), QByteArray(pools::payoutLayout(pool).slotSize(), ' '));
    EXPECT_EQ(result::read(winAndPlace).order, (FinishingOrder{{{5}}})) << "second and third either way";
    EXPECT_EQ(result::read(winAndPlace.payout(Pool::Exacta, 0, "0502", 2120, 7)).order, r.order) << "place tells third";
    EXPECT_EQ(result::read(sampleResult().payout(Pool::Trifecta, 0, "050902", 1, 1)).order, FinishingOrder{})
        << "payouts that no order wins";
    EXPECT_EQ(
        result::read(sampleResult().flag(layout::kHrNotHeld, Pool::Trifecta).payout(Pool::Trifecta, 0, "050902", 1, 1))
            .order,
        r.order)
        << "a pool not held tells nothing";
    const HrRecord secondTogether = sampleResult()
                                        .payout(Pool::Quinella, 1, "0509", 2980, 9)
                                        .payout(Pool::Exacta, 1, "0509", 5120, 17)
                                        .payout(Pool::Trifecta, 1, "050902", 61230, 181);
    EXPECT_EQ(result::read(secondTogether).order, (FinishingOrder{{{5}, {2, 9}}}));
}

TEST(RaceResult, ADamagedRecordIsRefusedNamingTheRaceAndTheField)
{
    const struct {
        int position;
        const char* text;
        const char* message;
    } kCases[] = {
        {yen(Pool::Exacta, 0) + 8, "O", "馬単の払戻1番目の払戻金「00000212O」が数字ではありません"},
        {combination(Pool::Win, 0), "5 ", "単勝の払戻1番目の組番「5 」が数字ではありません"},
        {pools::payoutLayout(Pool::Trio).popularity(0), "2X4", "3連複の払戻1番目の人気「2X4」が数字ではありません"},
        {combination(Pool::Place, 1), "00", "複勝の払戻2番目の組番がないのに払戻金か人気があります"},
        {combination(Pool::Quinella, 0), "0005", "馬連の払戻1番目の組番「0005」は馬連の組番になっていません"},
        {combination(Pool::Win, 0), "19", "単勝の払戻1番目の組番「19」は単勝の組番になっていません"},
        {combination(Pool::Trifecta, 0), "050205", "3連単の払戻1番目の組番「050205」は3連単の組番になっていません"},
        {combination(Pool::Wide, 1), "0902", "ワイドの払戻2番目の組番「0902」はワイドの組番になっていません"},
        {combination(Pool::Bracket, 0), "19", "枠連の払戻1番目の組番「19」は枠連の組番になっていません"},
        {combination(Pool::Place, 2), "05", "複勝の払戻3番目の組番「05」は2度目です"},
        {layout::hrFlag(layout::kHrSpecial, Pool::Trio), "7", "3連複の特払フラグ「7」が0か1ではありません"},
        {layout::hrRunnerRefund(12), "x", "12番の返還フラグ「x」が0か1ではありません"},
        {layout::kHrStarters, "1G", "出走頭数「1G」が数字ではありません"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.message);
        try {
            result::read(sampleResult().put(c.position, c.text));
            ADD_FAILURE() << "read";
        } catch (const result::ReadError& e) {
            EXPECT_EQ(QString::fromStdString(e.what()),
                      QStringLiteral("払戻レコード（レース 2005041605020811）の") + QString::fromUtf8(c.message));
        }
    }
    for (const QByteArray& other : {sampleResult().bytes().chopped(3), QByteArray(test::H6Record())})
        EXPECT_THROW(result::read(other), result::ReadError);
}
