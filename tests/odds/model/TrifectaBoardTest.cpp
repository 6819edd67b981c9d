#include "odds/model/PoolBoard.h"
#include "support/RaceFixture.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace tavek;
using namespace tavek::sim;
using pools::Pool;
using test::H6Record;

namespace {

// A race's trifecta record as the table below describes it: random votes
// (about one in five 0) on every entry of the registered runners.
struct Race {
    const char* name;
    const char* date;
    int race;
    int registered;
    int starters;
    std::set<int> refunded;
    char saleFlag = '7';
    bool sold = true;
};

const Race kRaces[] = {
    {"18 runners, every race sold since July 2008", "20090105", 1, 18, 18, {}},
    {"race 9 before July 2008, a refunded runner", "20050416", 9, 16, 15, {4}},
    {"race 8 before July 2008: not sold", "20050416", 8, 12, 12, {}, '7', false},
    {"the week before the first sale", "20040904", 11, 12, 12, {}, '7', false},
    {"the first day of sale, race 12", "20040911", 12, 3, 3, {}},
    {"two starters", "20090105", 5, 3, 2, {1}, '7', false},
    {"sale flag 0", "20090105", 5, 10, 10, {}, '0', false},
};

struct Built {
    H6Record record;
    std::vector<long long> votes;  // by entry, [0] unused
    long long total = 0;
};

// Entry n by a walk over every ordered triple, not by the pool's tables.
std::vector<std::array<int, 3>> triples()
{
    std::vector<std::array<int, 3>> all{{}};
    for (int a = 1; a <= 18; ++a)
        for (int b = 1; b <= 18; ++b)
            for (int c = 1; c <= 18; ++c)
                if (a != b && a != c && b != c)
                    all.push_back({a, b, c});
    return all;
}

Built build(const Race& race, unsigned seed)
{
    std::mt19937 random(seed);
    const auto all = triples();
    Built b{H6Record(test::raceKey(race.date, "05", race.race)), std::vector<long long>(all.size())};
    b.record.registered(race.registered).starters(race.starters).saleFlag(race.saleFlag);
    for (int h : race.refunded)
        b.record.refund(h);
    for (size_t n = 1; n < all.size(); ++n)
        if (std::max({all[n][0], all[n][1], all[n][2]}) <= race.registered) {
            b.votes[n] = random() % 5 == 0 ? 0 : 1 + random() % 20'000;
            b.record.entry(int(n), b.votes[n]);
            b.total += b.votes[n];
        }
    b.record.total(b.total);
    return b;
}

// JRA's payout per 100 yen of the one winning entry in tenths: 72.5 % of the
// pool over its votes, cut to 10 yen, at least 100 yen.
long long jraTenths(long long votes, long long total)
{
    return std::max(100LL, 100 * 29 * total / (40 * votes) / 10 * 10) / 10;
}

}  // namespace

TEST(TrifectaBoard, NumberingOddsRuleAndSimulationsAgainstEveryEntry)
{
    const auto all = triples();
    ASSERT_EQ(all.size() - 1, size_t(pools::pool(Pool::Trifecta).entries));
    for (const Race& race : kRaces) {
        SCOPED_TRACE(race.name);
        Built b = build(race, 11);
        PoolBoard board(Pool::Trifecta);
        board.calculate(b.record);
        ASSERT_EQ(board.sold(), race.sold);
        EXPECT_EQ(board.rate(), (pools::PayoutRate{29, 40}));
        const auto refunded = [&](size_t n) {
            return std::any_of(all[n].begin(), all[n].end(), [&](int h) { return race.refunded.count(h) > 0; });
        };
        const auto expected = [&](size_t n, long long votes, long long total) {
            return !race.sold || refunded(n) || votes <= 0 ? 0 : jraTenths(votes, total);
        };
        for (size_t n = 1; n < all.size(); ++n) {
            const auto [x, y, z] = all[n];
            ASSERT_EQ(board.entryOf(x, y, z), int(n));
            ASSERT_EQ(board.label(int(n)), QStringLiteral("%1-%2-%3").arg(x).arg(y).arg(z));
            ASSERT_EQ(board.inField(int(n)), std::max({x, y, z}) <= race.registered);
            ASSERT_EQ(board.refunded(int(n)), refunded(n));
            ASSERT_EQ(board.odds(int(n)).low, expected(n, b.votes[n], b.total)) << n;
        }
        const int bet = board.entryOf(2, 3, 1);
        if (!race.sold) {
            EXPECT_EQ(board.oddsText(bet), "発売なし");
            EXPECT_EQ(board.simulateStake(bet, 1000), SimResult::NotSold);
            EXPECT_EQ(board.simulateOdds(bet, 50.0L), SimResult::NotSold);
            continue;
        }
        if (refunded(size_t(bet))) {
            EXPECT_EQ(board.oddsText(bet), "返還");
            EXPECT_EQ(board.simulateStake(bet, 1000), SimResult::Refunded);
            continue;
        }

        // A stake joins the entry and the pool: every entry's odds again.
        ASSERT_EQ(board.simulateStake(bet, 123'456), SimResult::Accepted);
        for (size_t n = 1; n < all.size(); ++n)
            ASSERT_EQ(board.virtualOdds(int(n)).low,
                      expected(n, b.votes[n] + (int(n) == bet ? 1234 : 0), b.total + 1234))
                << n;
        EXPECT_EQ(board.virtualTotal(), b.total + 1234);
        EXPECT_EQ(board.excessText(), "    123,456円");

        // "It was X earlier" takes off the whole votes that bring the entry's
        // exact odds (72.5 % of the pool over its votes) nearest below X.
        const long double was = 1.5L * (long double)(board.odds(bet).low) / 10;
        ASSERT_EQ(board.simulateOdds(bet, was), SimResult::Accepted);
        const long long taken = board.excessYen() / 100;
        const auto exact = [&](long long off) {
            return 0.725L * (long double)(b.total - off) / (long double)(b.votes[size_t(bet)] - off);
        };
        EXPECT_LE(exact(taken), was);
        EXPECT_GT(exact(taken + 1), was);
        EXPECT_EQ(board.simulateOdds(bet, 1.0L), SimResult::NotAboveOne);
        EXPECT_EQ(board.simulateOdds(bet, 1.01L), SimResult::Unrealistic);
    }
}
