#include "pools/VotePools.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"
#include "support/RaceFixture.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tavek::pools {

// A rate reads as its fraction in a failure message.
void PrintTo(const PayoutRate& rate, std::ostream* out)
{
    *out << rate.numerator << '/' << rate.denominator;
}

}  // namespace tavek::pools

using namespace tavek;
using pools::PayoutRate;
using pools::Pool;
using test::H1Record;
using test::raceKey;

namespace {

struct Expected {
    Pool pool;
    const char* name;
    const char* key;
    int entries;
    int entrySize;
    int runners;
    int votesOffset;
    PayoutRate before;  // races up to 2014-06-06
    PayoutRate from;    // races from 2014-06-07
};

// The seven pools of JV-Data's vote-count record (H1), then the trifecta of
// its own record (H6).
// clang-format off
const Expected kRecord[] = {
    {Pool::Win,      "単勝",   "win",      28,  15, 1, 2, {4, 5}, {4, 5}},
    {Pool::Place,    "複勝",   "place",    28,  15, 1, 2, {4, 5}, {4, 5}},
    {Pool::Bracket,  "枠連",   "bracket",  36,  15, 2, 2, {3, 4}, {31, 40}},
    {Pool::Quinella, "馬連",   "quinella", 153, 18, 2, 4, {3, 4}, {31, 40}},
    {Pool::Wide,     "ワイド", "wide",     153, 18, 2, 4, {3, 4}, {31, 40}},
    {Pool::Exacta,   "馬単",   "exacta",   306, 18, 2, 4, {3, 4}, {3, 4}},
    {Pool::Trio,     "3連複",  "trio",     816, 20, 3, 6, {3, 4}, {3, 4}},
    {Pool::Trifecta, "3連単",  "trifecta", 4896, 21, 3, 6, {29, 40}, {29, 40}},
};
// clang-format on

}  // namespace

TEST(VotePools, TableFollowsTheRecordLayout)
{
    ASSERT_EQ(std::size(kRecord), pools::kPools.size());
    // The entries run without a gap from position 84, pool after pool, up to
    // the totals, which follow each other in the same order.
    int next = 84;
    for (size_t i = 0; i < std::size(kRecord); ++i) {
        const bool h1 = pools::inVoteCounts(kRecord[i].pool);
        const Expected& e = kRecord[i];
        const pools::VotePool& p = pools::pool(e.pool);
        SCOPED_TRACE(e.key);
        EXPECT_EQ(&p, &pools::kPools[i]);
        EXPECT_EQ(p.caption(), QString::fromUtf8(e.name));
        EXPECT_STREQ(p.key, e.key);
        EXPECT_EQ(p.entries, e.entries);
        EXPECT_EQ(p.entrySize, e.entrySize);
        EXPECT_EQ(p.runners, e.runners);
        EXPECT_EQ(p.votes(e.entries), p.entry(e.entries) + e.votesOffset);
        if (h1) {
            EXPECT_EQ(p.entry(1), next);
            next = p.entry(e.entries) + e.entrySize;
            EXPECT_EQ(p.total, pools::kPools.front().total + int(i) * layout::kVoteLen);
            EXPECT_STREQ(p.record.id, "H1");
        } else {
            // H6: the entries from 51, then the total and the refund total, then CR LF.
            EXPECT_STREQ(p.record.id, "H6");
            EXPECT_EQ(p.entry(1), 51);
            EXPECT_EQ(p.total, p.entry(e.entries) + e.entrySize);
            EXPECT_EQ(layout::kH6RefundTotal, p.total + layout::kVoteLen);
            EXPECT_EQ(layout::kH6RefundTotal + layout::kVoteLen + 1, layout::kH6Length);
        }

        const auto rateOf = [&](QByteArrayView record) { return p.rate(record::raceDate(record)); };
        for (const char* date : {"20140601", "20140606", "        ", "2014O607"})
            EXPECT_EQ(rateOf(H1Record(raceKey(date))), e.before) << date;
        EXPECT_EQ(rateOf(QByteArray(layout::kH1Length, ' ')), e.before) << "a slot without a vote-count record";
        EXPECT_EQ(rateOf("H1"), e.before) << "a record cut short";
        for (const char* date : {"20140607", "20261205"})
            EXPECT_EQ(rateOf(H1Record(raceKey(date))), e.from) << date;
    }
    EXPECT_EQ(next, pools::kPools.front().total);
    EXPECT_LE(pools::pool(Pool::Trio).total + layout::kVoteLen, layout::kH1Length - 2);

    // The record writers count the exacta and trio entries from 0.
    EXPECT_EQ(pools::pool(Pool::Exacta).votes(1), layout::exactaVotes(0));
    EXPECT_EQ(pools::pool(Pool::Trio).votes(816), layout::trioVotes(815));
    // The odds displays' extended-precision rates.
    EXPECT_EQ(pools::pool(Pool::Win).rateFrom.value(), 0.8L);
    EXPECT_EQ(pools::pool(Pool::Quinella).rateBefore.value(), 0.75L);
    EXPECT_EQ(pools::pool(Pool::Quinella).rateFrom.value(), 0.775L);
}

TEST(VotePools, TrifectaSoldFromItsFirstDayInTheLastFourRacesThenInEvery)
{
    const struct {
        const char* date;
        int race;
        bool sold;
    } kDays[] = {
        {"20040905", 12, false}, {"20040911", 8, false}, {"20040911", 9, true}, {"20040911", 12, true},
        {"20080629", 1, false},  {"20080629", 9, true},  {"20080705", 1, true}, {"20261206", 1, true},
        {"        ", 12, false}, {"2008O705", 1, false},
    };
    for (const auto& d : kDays)
        EXPECT_EQ(pools::trifectaSold(d.date, d.race), d.sold) << d.date << ' ' << d.race;
}

TEST(VotePools, PayoutSlotsRunThroughThePayoutRecordInTheFlagsOrder)
{
    // Pool after pool from position 103 up to the record's CR LF, three
    // slots of 16 bytes left to the reserved pool between wide and exacta,
    // whose flag lies between theirs too.
    int next = 103, flag = 0;
    for (const pools::VotePool& p : pools::kPools) {
        const Pool pool = Pool(&p - pools::kPools.data());
        const pools::PayoutLayout& payouts = pools::payoutLayout(pool);
        SCOPED_TRACE(p.key);
        if (pool == Pool::Exacta) {
            next += 3 * 16;
            ++flag;
        }
        EXPECT_EQ(payouts.first, next);
        EXPECT_EQ(payouts.flag, flag++);
        EXPECT_EQ(payouts.combinationLen, p.runners * (pool == Pool::Bracket ? 1 : 2)) << "two digits a runner";
        EXPECT_EQ(payouts.popularity(0) + payouts.popularityLen, payouts.slot(1));
        next = payouts.slot(payouts.count);
    }
    EXPECT_EQ(flag, pools::PayoutLayout::kFlags);
    EXPECT_EQ(next + 2, pools::kPayouts.length + 1);
    EXPECT_EQ(pools::payoutLayout(Pool::Wide).count, 7) << "a dead heat for third makes five wide pairs";
}
