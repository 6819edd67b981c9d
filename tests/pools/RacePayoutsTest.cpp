#include "pools/PoolIndex.h"
#include "pools/RacePayouts.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

using namespace tavek;
using pools::FinishingOrder;
using pools::PayoutRate;
using pools::Pool;

namespace {

constexpr PayoutRate kWinRate{4, 5}, kOldPairRate{3, 4}, kPairRate{31, 40};

struct Paid {
    const char* bet;
    long long yen;
    int popularity;
};

struct Case {
    const char* what;
    Pool pool;
    PayoutRate rate;
    int starters;
    FinishingOrder order;
    std::vector<std::pair<const char*, long long>> votes;  // the entries with votes; the rest of the total lost
    long long total;
    std::vector<int> scratched;
    std::vector<Paid> paid;
    bool special = false;
};

// Brackets of nine runners: one each, the last two sharing bracket 8.
constexpr pools::Brackets kBrackets{0, 1, 2, 3, 4, 5, 6, 7, 8, 8};

// Worked by hand from (W + D / K) x rate per 100 yen, cut to 10 yen, at least 100 yen.
const Case kCases[] = {
    {"win: 10,000 x 0.8 / 2,000",
     Pool::Win,
     kWinRate,
     9,
     {{{2}, {1}, {3}}},
     {{"1", 3000}, {"2", 2000}, {"3", 5000}},
     10000,
     {},
     {{"2", 400, 3}}},
    {"dead heat for first: (W + 5,000 / 2) x 0.8 each",
     Pool::Win,
     kWinRate,
     9,
     {{{1, 2}, {3}}},
     {{"1", 3000}, {"2", 2000}, {"3", 5000}},
     10000,
     {},
     {{"1", 140, 2}, {"2", 180, 3}}},
    {"place of three: D / 3 = 1,700",
     Pool::Place,
     kWinRate,
     8,
     {{{7}, {1}, {3}}},
     {{"1", 3000}, {"2", 2000}, {"3", 1500}, {"4", 1000}, {"5", 1000}, {"6", 800}, {"7", 400}, {"8", 300}},
     10000,
     {},
     {{"1", 120, 1}, {"3", 170, 3}, {"7", 420, 7}}},
    {"place of two with 6 starters: D / 2 = 3,450",
     Pool::Place,
     kWinRate,
     6,
     {{{5}, {2}, {1}}},
     {{"1", 4000}, {"2", 2500}, {"3", 1500}, {"4", 1000}, {"5", 600}, {"6", 400}},
     10000,
     {},
     {{"2", 190, 2}, {"5", 540, 5}}},
    {"dead heat for third: place of four, D / 4 = 1,225, a tie sharing 4th favourite",
     Pool::Place,
     kWinRate,
     9,
     {{{1}, {4}, {6, 8}}},
     {{"1", 3000}, {"2", 2000}, {"3", 1500}, {"4", 1000}, {"5", 1000}, {"6", 800}, {"7", 400}, {"8", 300}},
     10000,
     {},
     {{"1", 110, 1}, {"4", 170, 4}, {"6", 200, 6}, {"8", 400, 8}}},
    {"wide of a real race: 169,173 at 0.75 paid 1,730, 550 and 910 yen",
     Pool::Wide,
     kOldPairRate,
     9,
     {{{2}, {5}, {9}}},
     {{"2-5", 2329}, {"2-9", 7960}, {"5-9", 4580}},
     169173,
     {},
     {{"2-5", 1730, 3}, {"2-9", 550, 1}, {"5-9", 910, 2}}},
    {"special payout: nobody backed the winning exacta",
     Pool::Exacta,
     kOldPairRate,
     9,
     {{{3}, {1}}},
     {{"1-2", 600}, {"2-1", 400}},
     1000,
     {},
     {{"3-1", 70, 0}},
     true},
    {"a place winner nobody backed shares nothing and counts in no K",
     Pool::Place,
     kWinRate,
     9,
     {{{1}, {9}, {2}}},
     {{"1", 5000}, {"2", 3000}},
     20000,
     {},
     {{"1", 170, 1}, {"2", 240, 2}}},
    {"refunded runner: its 1,000 votes out of the pool and of the ranking",
     Pool::Win,
     kWinRate,
     8,
     {{{1}, {2}, {3}}},
     {{"1", 3000}, {"2", 2000}, {"3", 4000}, {"4", 1000}},
     10000,
     {4},
     {{"1", 240, 2}}},
    {"refunded same-bracket pair: bracket 8 keeps one runner",
     Pool::Bracket,
     kPairRate,
     8,
     {{{1}, {8}, {2}}},
     {{"1-2", 3000}, {"1-8", 1000}, {"8-8", 500}},
     10000,
     {9},
     {{"1-8", 730, 2}}},
    {"元返し: 10,000 x 0.8 / 9,500 pays 100 yen",
     Pool::Win,
     kWinRate,
     9,
     {{{1}, {2}, {3}}},
     {{"1", 9500}, {"2", 500}},
     10000,
     {},
     {{"1", 100, 1}}},
};

int entryOfLabel(Pool pool, const char* label)
{
    int n[3] = {};
    int i = 0;
    for (const QString& part : QString::fromLatin1(label).split(u'-'))
        n[i++] = part.toInt();
    return pools::entryOf(pool, n[0], n[1], n[2]);
}

}  // namespace

TEST(RacePayouts, WinningEntriesShareThePoolByTheRacingLaw)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        pools::PoolSales sales;
        sales.rate = c.rate;
        sales.total = c.total;
        sales.votes.assign(size_t(pools::pool(c.pool).entries), 0);
        for (const auto& [label, votes] : c.votes)
            sales.votes[size_t(entryOfLabel(c.pool, label) - 1)] = votes;
        std::array<bool, pools::kRecordSlots + 1> scratched{};
        for (int h : c.scratched)
            scratched[size_t(h)] = true;
        const pools::Refunds refunds = pools::refundsOf(scratched, 9, kBrackets);

        const std::vector<int> winners = pools::winningEntries(c.pool, c.order, c.starters, kBrackets);
        const pools::PoolPayout paid = pools::payPool(c.pool, sales, refunds, c.starters, winners);
        EXPECT_FALSE(paid.notHeld);
        EXPECT_EQ(paid.special, c.special);
        EXPECT_EQ(paid.refunds, !c.scratched.empty());
        std::vector<pools::EntryPayout> expected;
        for (const Paid& p : c.paid)
            expected.push_back({entryOfLabel(c.pool, p.bet), p.yen, p.popularity});
        EXPECT_EQ(paid.payouts, expected);
    }
}

TEST(RacePayouts, APoolNotSoldOrWithTooFewStartersIsNotHeld)
{
    pools::PoolSales sales;
    sales.total = 100;
    sales.votes.assign(28, 0);
    sales.votes[0] = 100;
    const std::vector<int> winner{1};
    EXPECT_TRUE(pools::payPool(Pool::Place, sales, {}, 4, winner).notHeld) << "place from 5 starters";
    EXPECT_FALSE(pools::payPool(Pool::Place, sales, {}, 5, winner).notHeld);
    EXPECT_FALSE(pools::payPool(Pool::Win, sales, {}, 4, winner).notHeld);
    sales.onSale = false;
    EXPECT_TRUE(pools::payPool(Pool::Win, sales, {}, 16, winner).notHeld) << "not sold that day";
    sales.onSale = true;
    sales.total = 0;
    EXPECT_TRUE(pools::payPool(Pool::Win, sales, {}, 16, winner).notHeld) << "nothing sold";
}
