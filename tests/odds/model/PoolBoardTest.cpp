#include "odds/model/PairBoard.h"
#include "odds/model/PoolBoard.h"
#include "racedata/RecordLayout.h"
#include "support/RaceFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

using namespace tavek;
using namespace tavek::sim;
using pools::entryOf, pools::entryRunners, pools::pairIndexOf;
using pools::EntryRunners, pools::PairKind, pools::Pool;
using test::H1Record;

namespace {

// A race with random place and wide votes (about one in five 0) and a few
// refunded runners, as the tables below describe it.
struct Race {
    const char* name;
    const char* date;
    int registered;
    int starters;
    std::set<int> refunded;
    bool favourite = false;  // runner 1 holds nearly the whole place pool

    int rateNumerator() const { return std::string(date) >= "20140607" ? 31 : 30; }  // wide, in 40ths
};

struct Built {
    H1Record record;
    std::vector<long long> place;  // by runner, [0] unused
    std::vector<long long> wide;   // by pair index, [0] unused
    long long placeTotal = 0, wideTotal = 0;
};

Built build(const Race& race, unsigned seed)
{
    std::mt19937 random(seed);
    const auto votes = [&] { return random() % 5 == 0 ? 0LL : 1 + random() % 50'000; };
    Built b{H1Record(test::raceKey(race.date)), std::vector<long long>(29), std::vector<long long>(154)};
    b.record.registered(race.registered).starters(race.starters);
    for (int h : race.refunded)
        b.record.refund(h);
    for (int h = 1; h <= race.registered; ++h) {
        b.place[size_t(h)] = race.favourite && h == 1 ? 5'000'000 : votes();
        b.record.votes(layout::kPlacePool.votes(h), b.place[size_t(h)]);
        b.placeTotal += b.place[size_t(h)];
    }
    for (int a = 1; a <= std::min(race.registered, 18); ++a)
        for (int c = a + 1; c <= std::min(race.registered, 18); ++c) {
            const int k = pairIndexOf(PairKind::Quinella, a, c);
            b.wide[size_t(k)] = votes();
            b.record.votes(layout::kWidePool.votes(k), b.wide[size_t(k)]);
            b.wideTotal += b.wide[size_t(k)];
        }
    b.record.votes(layout::kPlaceTotal, b.placeTotal).votes(layout::kWideTotal, b.wideTotal);
    return b;
}

// JRA's payout of one winning entry in tenths: (W + D / K) x rate per 100
// yen, cut to 10 yen, at least 100 yen.
long long jraTenths(long long w, long long d, int k, int rateNumerator, int rateDenominator)
{
    const long long yen = 100 * rateNumerator * (k * w + d) / (k * w * rateDenominator);
    return std::max(100LL, yen / 10 * 10) / 10;
}

// Every set of `size` runners out of `from`, each given to `visit`.
template <class F>
void eachSet(const std::vector<int>& from, size_t size, std::vector<int>& chosen, size_t start, F&& visit)
{
    if (chosen.size() == size)
        return visit(chosen);
    for (size_t i = start; i < from.size(); ++i) {
        chosen.push_back(from[i]);
        eachSet(from, size, chosen, i + 1, visit);
        chosen.pop_back();
    }
}

// The lowest and highest payout of entry n over every possible result.
OddsRange bruteForce(const Race& race, const Built& b, Pool pool, int n)
{
    std::vector<int> field;
    for (int h = 1; h <= race.registered; ++h)
        if (!race.refunded.count(h))
            field.push_back(h);
    const EntryRunners mine = entryRunners(pool, n);
    OddsRange range{LLONG_MAX, 0};
    std::vector<int> chosen;
    const auto weigh = [&](long long w, long long others, int k, int num, int den, long long total) {
        const long long t = jraTenths(w, total - w - others, k, num, den);
        range = {std::min(range.low, t), std::max(range.high, t)};
    };
    if (pool == Pool::Place) {
        // Every set of placed runners with runner n among them.
        std::erase(field, n);
        const int k = std::min<int>(race.starters >= 8 ? 3 : 2, int(field.size()) + 1);
        eachSet(field, size_t(k - 1), chosen, 0, [&](const std::vector<int>& placed) {
            long long others = 0;
            for (int h : placed)
                others += b.place[size_t(h)];
            weigh(b.place[size_t(n)], others, k, 4, 5, b.placeTotal);
        });
    } else {
        // Every first three holding both runners of the pair.
        eachSet(field, 3, chosen, 0, [&](const std::vector<int>& three) {
            if (std::count(three.begin(), three.end(), mine[0]) + std::count(three.begin(), three.end(), mine[1]) < 2)
                return;
            long long others = 0;
            for (size_t i = 0; i < 3; ++i)
                for (size_t j = i + 1; j < 3; ++j)
                    if (const int k = pairIndexOf(PairKind::Quinella, three[i], three[j]); k != n)
                        others += b.wide[size_t(k)];
            weigh(b.wide[size_t(n)], others, 3, race.rateNumerator(), 40, b.wideTotal);
        });
    }
    return range;
}

const Race kRaces[] = {
    {"eight starters: three places", "20050416", 10, 8, {}},
    {"seven starters: two places", "20050416", 7, 7, {}},
    {"five starters, one refunded runner among the candidates", "20050416", 6, 5, {3}},
    {"refunded runners among the candidates", "20140606", 16, 14, {2, 9}},
    {"a favourite paid at the 1.0 floor", "20140607", 9, 9, {}, true},
    {"18 runners from the rate change", "20140607", 18, 18, {5}},
};

}  // namespace

TEST(PoolBoard, PlaceAndWideRangesAreTheLowestAndHighestPayoutOfEveryResult)
{
    for (const Race& race : kRaces)
        for (unsigned seed = 1; seed <= 3; ++seed) {
            SCOPED_TRACE(std::string(race.name) + ", seed " + std::to_string(seed));
            const Built b = build(race, seed);
            for (Pool pool : {Pool::Place, Pool::Wide}) {
                PoolBoard board(pool);
                board.calculate(b.record);
                ASSERT_TRUE(board.sold());
                for (int n = 1; n <= board.size(); ++n) {
                    const EntryRunners r = entryRunners(pool, n);
                    ASSERT_EQ(board.inField(n), std::max(r[0], r[1]) <= race.registered) << n;
                    if (!board.inField(n))
                        continue;
                    const bool refunded = race.refunded.count(r[0]) || race.refunded.count(r[1]);
                    ASSERT_EQ(board.refunded(n), refunded) << n;
                    const long long votes = pool == Pool::Place ? b.place[size_t(n)] : b.wide[size_t(n)];
                    const OddsRange expected = refunded || votes == 0 ? OddsRange{} : bruteForce(race, b, pool, n);
                    ASSERT_EQ(board.odds(n), expected) << board.label(n).toStdString();
                }
            }
        }
}

TEST(PoolBoard, TextsOfRangesSingleOddsRefundsAndPoolsNotSold)
{
    const Built b = build(kRaces[4], 1);  // runner 1 the favourite
    PoolBoard place(Pool::Place);
    place.calculate(b.record);
    EXPECT_EQ(place.winners(), 3);
    EXPECT_EQ(place.oddsText(1), "1.0-1.0");

    H1Record record = b.record;
    const int trio134 = entryOf(Pool::Trio, 1, 3, 4);
    record.refund(2).exacta(0, 1, 2, 300).exacta(1, 1, 3, 300).exacta(2, 1, 4, 0);
    record.votes(layout::kExactaTotal, 1000).trio(trio134 - 1, 1, 3, 4, 1000).votes(layout::kTrioTotal, 1000);
    PoolBoard exacta(Pool::Exacta), trio(Pool::Trio);
    exacta.calculate(record);
    trio.calculate(record);
    EXPECT_EQ(exacta.oddsText(exacta.entryOf(1, 3)), "   2.5") << "1000 x 3/4 / 300, cut to 10 yen";
    EXPECT_EQ(exacta.oddsText(1), "返還");
    EXPECT_EQ(exacta.oddsText(exacta.entryOf(1, 4)), "") << "no votes, no odds";
    EXPECT_EQ(exacta.virtualOddsText(2), "") << "nothing virtual before a simulation";
    EXPECT_EQ(trio.oddsText(trio134), "   1.0") << "0.75 lifted to the 1.0 floor";

    // Below the starters a pool is sold with, or with no total: 発売なし.
    const std::tuple<Pool, int, long long> unsold[] = {{Pool::Place, 4, 1000}, {Pool::Wide, 3, 1000},
                                                       {Pool::Trio, 3, 1000},  {Pool::Exacta, 2, 1000},
                                                       {Pool::Exacta, 3, 0},   {Pool::Place, 8, -1}};
    for (const auto& [pool, starters, total] : unsold) {
        H1Record r = b.record;
        r.starters(starters).votes(pools::pool(pool).total, total).votes(pools::pool(pool).votes(3), 100);
        PoolBoard board(pool);
        board.calculate(r);
        EXPECT_FALSE(board.sold()) << pools::pool(pool).key << ' ' << starters;
        EXPECT_EQ(board.oddsText(3), "発売なし");
        EXPECT_EQ(board.simulateStake(3, 1000), SimResult::NotSold);
        EXPECT_EQ(board.virtualTotalText(), "");
    }
}

TEST(PoolBoard, StakeComputesEveryEntryAgainBesideTheRealOnes)
{
    const Race race = kRaces[3];
    Built b = build(race, 7);
    PoolBoard board(Pool::Wide);
    board.calculate(b.record);
    const int pair = board.entryOf(1, 3);
    const OddsRange before = board.odds(pair);
    ASSERT_EQ(board.simulateStake(pair, 1'000'099), SimResult::Accepted);
    EXPECT_EQ(board.odds(pair), before) << "the real odds stay";
    b.wide[size_t(pair)] += 10'000;
    b.wideTotal += 10'000;
    for (int n : {pair, board.entryOf(1, 4), board.entryOf(13, 16)})
        EXPECT_EQ(board.virtualOdds(n), bruteForce(race, b, Pool::Wide, n)) << board.label(n).toStdString();
    EXPECT_EQ(board.virtualVotes(pair), board.votes(pair) + 10'000);
    EXPECT_EQ(board.virtualTotal(), b.wideTotal);
    EXPECT_EQ(board.excessText(), "  1,000,099円");

    // Refusals leave the last simulation as it was.
    EXPECT_EQ(board.simulateStake(board.entryOf(2, 3), 1000), SimResult::Refunded);
    b.record.votes(layout::kWidePool.votes(board.entryOf(3, 4)), -1);
    PoolBoard blank(Pool::Wide);
    blank.calculate(b.record);
    EXPECT_EQ(blank.simulateStake(blank.entryOf(3, 4), 1000), SimResult::NoVotes);
    EXPECT_EQ(board.virtualTotal(), b.wideTotal);
    EXPECT_EQ(board.simulateOdds(pair, 50.0), SimResult::None) << "a range has no odds to start from";

    // The next race selection drops the simulation: no virtual odds are left to ask for.
    board.calculate(b.record);
    EXPECT_FALSE(board.virtualOdds(pair).has());
    EXPECT_EQ(board.virtualOddsText(pair), "");
}

TEST(PoolBoard, OddsSimulationTakesOffWhatTheQuinellaTabTakesOff)
{
    // The same votes as quinella 1-2 and as exacta and trio entries.
    H1Record record(test::raceKey("20050416"));
    record.registered(10).starters(10).quinellaTotal(1'000'000).quinella(1, 32'000);
    record.votes(layout::kExactaTotal, 1'000'000).exacta(0, 1, 2, 32'000);
    record.votes(layout::kTrioTotal, 1'000'000).trio(0, 1, 2, 3, 32'000);
    PairBoard quinella(PairKind::Quinella);
    int total = -1;
    std::array<int, 153> votes{};
    quinella.calculate(record, {total, votes});
    ASSERT_EQ(quinella.simulateOdds(record, {total, votes}, u" 1- 2", 30.0), SimResult::Accepted);
    for (Pool pool : {Pool::Exacta, Pool::Trio}) {
        PoolBoard board(pool);
        board.calculate(record);
        const struct {
            long double odds;
            SimResult result;
        } cases[] = {{1.0L, SimResult::NotAboveOne}, {23.4L, SimResult::Unrealistic}, {30.0L, SimResult::Accepted}};
        for (const auto& c : cases)
            EXPECT_EQ(board.simulateOdds(1, c.odds), c.result) << double(c.odds);
        EXPECT_EQ(board.excessText(), quinella.excess());
        EXPECT_EQ(board.virtualTotalText(), quinella.virtualTotal());
        EXPECT_EQ(board.virtualOddsText(1), "  29.9") << "cut to 10 yen where the quinella tab rounds";
        EXPECT_TRUE(board.refusalMessage(1, SimResult::Unrealistic).contains(u"23.4"));
    }
}
