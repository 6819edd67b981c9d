#include "finishorder/FinishOrder.h"
#include "pools/PairIndex.h"
#include "pools/PoolIndex.h"
#include "racedata/RecordLayout.h"
#include "support/RaceFixture.h"
#include "value/model/BetValue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

using namespace tavek;
using namespace tavek::value;
using pools::EntryRunners, pools::PairKind, pools::Pool;
using pools::entryRunners, pools::pairIndexOf, pools::pairNumbers;

namespace {

constexpr Pool kPoolsOfRace[] = {Pool::Win,  Pool::Place,  Pool::Bracket, Pool::Quinella,
                                 Pool::Wide, Pool::Exacta, Pool::Trio};

// A race of `runners` with votes on every entry of every pool, the votes
// varying from entry to entry, and the runners of `refunded` refunded.
QByteArray race(int runners, std::set<int> refunded)
{
    test::H1Record r(test::raceKey("20150101"));
    r.registered(runners).starters(runners - int(refunded.size()));
    for (int h : refunded)
        r.refund(h);
    for (Pool pool : kPoolsOfRace) {
        const pools::VotePool& table = pools::pool(pool);
        long long total = 0;
        for (int n = 1; n <= table.entries; ++n) {
            const bool inField = pool == Pool::Bracket
                                     ? pairNumbers(PairKind::Bracket, n).second <= std::min(runners, 8)
                                 : pool == Pool::Win || pool == Pool::Quinella
                                     ? (pool == Pool::Win ? n : pairNumbers(PairKind::Quinella, n).second) <= runners
                                     : std::ranges::all_of(entryRunners(pool, n), [&](int h) { return h <= runners; });
            if (!inField)
                continue;
            const long long votes = 1000 + (n * 7919) % 50'000;
            r.votes(table.votes(n), votes);
            total += votes;
        }
        r.votes(table.total, total);
    }
    return r;
}

// JRA's payout of one of K winning entries, in odds: (W + D / K) x rate per
// 100 yen, cut to 10 yen, at least 100 yen.
double jraOdds(long long w, long long losing, int k, pools::PayoutRate rate)
{
    const long long yen = 100 * rate.numerator * (k * w + losing) / (k * w * rate.denominator);
    return double(std::max(100LL, yen / 10 * 10)) / 100;
}

long long votesOf(const QByteArray& record, Pool pool, int n)
{
    return record.mid(pools::pool(pool).votes(n) - 1, layout::kVoteLen).toLongLong();
}

}  // namespace

// Each pool's chances add up to its winning entries (place 2 below 8
// starters), whatever model; no bet names a refunded runner, and the win
// pool's chances leave it out.
TEST(BetValueTest, ChancesOfEachPoolSumToItsWinningEntries)
{
    const struct {
        int runners;
        std::set<int> refunded;
        int placeWinners;
    } cases[] = {{18, {}, 3}, {12, {4}, 3}, {8, {2}, 2}, {6, {}, 2}};
    for (const auto& c : cases)
        for (finish::Model model : finish::kModels) {
            const QByteArray record = race(c.runners, c.refunded);
            std::map<Pool, double> sums;
            for (const BetValue& v : betValues(record, model)) {
                sums[v.pool] += v.chance;
                // A bracket quinella entry names brackets, not runners.
                const EntryRunners named = v.pool == Pool::Bracket ? EntryRunners{} : entryRunners(v.pool, v.number);
                for (int h : named)
                    EXPECT_FALSE(c.refunded.count(h))
                        << c.runners << ' ' << valueBetLabel(v.pool, v.number).toStdString();
            }
            const std::map<Pool, double> expected = {{Pool::Win, 1},     {Pool::Place, c.placeWinners},
                                                     {Pool::Bracket, 1}, {Pool::Quinella, 1},
                                                     {Pool::Wide, 3},    {Pool::Exacta, 1},
                                                     {Pool::Trio, 1}};
            for (const auto& [pool, sum] : expected)
                EXPECT_NEAR(sums[pool], sum, 1e-9) << c.runners << " runners, pool " << int(pool);
            const std::array<double, 18> p = winPoolChances(record);
            for (int h : c.refunded)
                EXPECT_EQ(p[size_t(h - 1)], 0);
        }
}

// Place and wide: the expected return counted over every order of the first
// three, each place paid by the racing law with the winners that order gives.
TEST(BetValueTest, PlaceAndWideExpectationsFollowEveryFinishingOrder)
{
    for (const int runners : {7, 9}) {
        const QByteArray record = race(runners, {3});
        const std::array<double, 18> p = winPoolChances(record);
        const finish::FinishOrder order(std::span(p.data(), size_t(runners)), finish::kDiscountedHarville);
        const int k = runners - 1 >= 8 ? 3 : 2;
        std::map<std::pair<Pool, int>, double> expected;
        const pools::PayoutRate placeRate = pools::pool(Pool::Place).rateFrom,
                                wideRate = pools::pool(Pool::Wide).rateFrom;
        const long long placeTotal = record.mid(layout::kPlaceTotal - 1, 11).toLongLong();
        const long long wideTotal = record.mid(layout::kWideTotal - 1, 11).toLongLong();
        for (int a = 0; a < runners; ++a)
            for (int b = 0; b < runners; ++b)
                for (int c = 0; c < runners; ++c) {
                    if (a == b || b == c || a == c)
                        continue;
                    // Summed over every third, the orders of a place pool of two count each first two once.
                    const double chance = order.ordered(a, b, c);
                    const std::vector<int> placed = k == 3 ? std::vector{a + 1, b + 1, c + 1}
                                                           : std::vector{a + 1, b + 1};
                    long long placeWinning = 0;
                    for (int h : placed)
                        placeWinning += votesOf(record, Pool::Place, h);
                    for (int h : placed)
                        expected[{Pool::Place, h}] += chance
                                                      * jraOdds(votesOf(record, Pool::Place, h),
                                                                placeTotal - placeWinning, k, placeRate);
                    const int pairs[] = {pairIndexOf(PairKind::Quinella, std::min(a, b) + 1, std::max(a, b) + 1),
                                         pairIndexOf(PairKind::Quinella, std::min(a, c) + 1, std::max(a, c) + 1),
                                         pairIndexOf(PairKind::Quinella, std::min(b, c) + 1, std::max(b, c) + 1)};
                    long long wideWinning = 0;
                    for (int w : pairs)
                        wideWinning += votesOf(record, Pool::Wide, w);
                    for (int w : pairs)
                        expected[{Pool::Wide, w}] += chance
                                                     * jraOdds(votesOf(record, Pool::Wide, w), wideTotal - wideWinning,
                                                               3, wideRate);
                }
        int checked = 0;
        for (const BetValue& v : betValues(record, finish::Model::Discounted))
            if (v.pool == Pool::Place || v.pool == Pool::Wide) {
                const double want = 100 * expected[{v.pool, v.number}];
                EXPECT_NEAR(v.expectedReturn, want, 1e-9)
                    << runners << ' ' << valueBetLabel(v.pool, v.number).toStdString();
                EXPECT_GE(v.expectedReturn, v.chance * double(v.oddsLow) * 10 - 1e-9);
                EXPECT_LE(v.expectedReturn, v.chance * double(v.oddsHigh) * 10 + 1e-9);
                ++checked;
            }
        EXPECT_EQ(checked, runners - 1 + (runners - 1) * (runners - 2) / 2);
    }
}

// The ranking keeps the highest expected returns, of one pool when asked.
TEST(BetValueTest, RankingTakesTheHighestReturnsOfThePoolAsked)
{
    const std::vector<BetValue> all = betValues(race(10, {}), finish::Model::Harville);
    const std::vector<BetValue> top = rankedValues(all, std::nullopt, 20);
    ASSERT_EQ(top.size(), 20u);
    EXPECT_TRUE(
        std::is_sorted(top.begin(), top.end(), [](auto& a, auto& b) { return a.expectedReturn > b.expectedReturn; }));
    EXPECT_EQ(top[0].expectedReturn, std::max_element(all.begin(), all.end(), [](auto& a, auto& b) {
                                         return a.expectedReturn < b.expectedReturn;
                                     })->expectedReturn);
    const std::vector<BetValue> wins = rankedValues(all, Pool::Win, 20);
    EXPECT_EQ(wins.size(), 10u);
    EXPECT_TRUE(std::ranges::all_of(wins, [](const BetValue& v) { return v.pool == Pool::Win; }));
    const BetValue& w = wins.back();
    EXPECT_DOUBLE_EQ(w.expectedReturn, w.chance * double(w.oddsLow) * 10);
}

// Without win votes on a runner that runs, the win pool gives no view: no
// bets, and the reason is what the 妙味 tab shows. A slot without a record
// is no such race.
TEST(BetValueTest, NoWinVotesGiveNoView)
{
    const auto withoutWinVotes = [](QByteArray record, int keep) {
        for (int h = 1; h <= 10; ++h)
            if (h != keep)
                record.replace(pools::pool(Pool::Win).votes(h) - 1, layout::kVoteLen,
                               QByteArray(layout::kVoteLen, '0'));
        return record;
    };
    const QByteArray viewed = race(10, {});
    const QByteArray blank(layout::kH1Length, ' ');
    for (const QByteArray& none : {withoutWinVotes(viewed, 0), withoutWinVotes(race(10, {3}), 3)}) {
        EXPECT_TRUE(betValues(none, finish::Model::Discounted).empty());
        EXPECT_FALSE(noViewReason(none).isEmpty());
        EXPECT_EQ(emptyRankingText(none), noViewReason(none));
    }
    EXPECT_TRUE(noViewReason(viewed).isEmpty());
    EXPECT_TRUE(noViewReason(blank).isEmpty());
    EXPECT_EQ(emptyRankingText(blank), QStringLiteral("オッズのある買い目がありません。"));
}

// Both models at once, as a season's statistics ask: each model's bets as
// that model alone gives them.
TEST(BetValueTest, BothModelsAtOnceGiveEachModelsBets)
{
    for (const QByteArray& record : {race(18, {}), race(7, {2})}) {
        const std::vector<std::vector<BetValue>> both = betValues(record, finish::kModels);
        ASSERT_EQ(both.size(), std::size(finish::kModels));
        for (size_t m = 0; m < both.size(); ++m) {
            const std::vector<BetValue> alone = betValues(record, finish::kModels[m]);
            ASSERT_EQ(both[m].size(), alone.size());
            for (size_t i = 0; i < alone.size(); ++i) {
                const BetValue &a = both[m][i], &b = alone[i];
                EXPECT_TRUE(a.pool == b.pool && a.number == b.number && a.oddsLow == b.oddsLow && a.chance == b.chance
                            && a.expectedReturn == b.expectedReturn)
                    << m << ' ' << valueBetLabel(b.pool, b.number).toStdString();
            }
        }
        EXPECT_NE(both[0].back().chance, both[1].back().chance) << "the models differ";
    }
}
