#include "pools/PoolIndex.h"
#include "pools/RacePayouts.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace tavek;
using pools::Pool;

namespace {

constexpr pools::PayoutRate kWinRate{4, 5}, kOldPairRate{3, 4}, kPairRate{31, 40};

struct Case {
    const char* what;
    Pool pool;
    pools::PayoutRate rate;
    int starters;
    const char* order;  // places by "/", a dead heat's runners by ","
    const char* votes;  // "entry:votes ...": the entries with votes; the rest of the total lost
    long long total;
    int scratched;     // 0: none
    const char* paid;  // "entry:yen:popularity ..."
};

// Worked by hand from (W + D / K) x rate per 100 yen, cut to 10 yen, at least
// 100 yen; nine runners, the last two in bracket 8.
const Case kCases[] = {
    {"win: 10,000 x 0.8 / 2,000", Pool::Win, kWinRate, 9, "2/1/3", "1:3000 2:2000 3:5000", 10000, 0, "2:400:3"},
    {"dead heat for first: (W + 5,000 / 2) x 0.8", Pool::Win, kWinRate, 9, "1,2/3", "1:3000 2:2000 3:5000", 10000, 0,
     "1:140:2 2:180:3"},
    {"place of three: D / 3 = 1,700", Pool::Place, kWinRate, 8, "7/1/3",
     "1:3000 2:2000 3:1500 4:1000 5:1000 6:800 7:400 8:300", 10000, 0, "1:120:1 3:170:3 7:420:7"},
    {"place of two with 6 starters: D / 2 = 3,450", Pool::Place, kWinRate, 6, "5/2/1",
     "1:4000 2:2500 3:1500 4:1000 5:600 6:400", 10000, 0, "2:190:2 5:540:5"},
    {"dead heat for third: place of four, D / 4, a tie sharing 4th favourite", Pool::Place, kWinRate, 9, "1/4/6,8",
     "1:3000 2:2000 3:1500 4:1000 5:1000 6:800 7:400 8:300", 10000, 0, "1:110:1 4:170:4 6:200:6 8:400:8"},
    {"a real race's wide: 169,173 at 0.75 paid 1,730, 550 and 910 yen", Pool::Wide, kOldPairRate, 9, "2/5/9",
     "2-5:2329 2-9:7960 5-9:4580", 169173, 0, "2-5:1730:3 2-9:550:1 5-9:910:2"},
    {"special payout: nobody backed the winning exacta", Pool::Exacta, kOldPairRate, 9, "3/1", "1-2:600 2-1:400", 1000,
     0, "3-1:70:0"},
    {"a place winner nobody backed shares nothing, counts in no K", Pool::Place, kWinRate, 9, "1/9/2", "1:5000 2:3000",
     20000, 0, "1:170:1 2:240:2"},
    {"refunded runner: out of the pool and of the ranking", Pool::Win, kWinRate, 8, "1/2/3",
     "1:3000 2:2000 3:4000 4:1000", 10000, 4, "1:240:2"},
    {"refunded same-bracket pair: bracket 8 keeps one runner", Pool::Bracket, kPairRate, 8, "1/8/2",
     "1-2:3000 1-8:1000 8-8:500", 10000, 9, "1-8:730:2"},
    {"元返し: 10,000 x 0.8 / 9,500", Pool::Win, kWinRate, 9, "1/2/3", "1:9500 2:500", 10000, 0, "1:100:1"},
};

// The entries each pool pays on a finish, in pools::Pool order. Brackets: 1
// and 2 share bracket 1, then one a runner up to 8 and 9 in bracket 7.
const struct {
    int starters;
    const char* order;
    std::array<const char*, pools::kPoolCount> winners;
} kWinners[] = {
    {8, "5/2/9", {"5", "2 5 9", "1-4", "2-5", "2-5 2-9 5-9", "5-2", "2-5-9", "5-2-9"}},
    {7, "5/2/9", {"5", "2 5", "1-4", "2-5", "2-5 2-9 5-9", "5-2", "2-5-9", "5-2-9"}},
    {16, "8/9/1", {"8", "1 8 9", "7-7", "8-9", "1-8 1-9 8-9", "8-9", "1-8-9", "8-9-1"}},
    {16, "4,6/1", {"4 6", "1 4 6", "3-5", "4-6", "1-4 1-6 4-6", "4-6 6-4", "1-4-6", "4-6-1 6-4-1"}},
    {12, "3/7/2,9", {"3", "2 3 7 9", "2-6", "3-7", "2-3 2-7 3-7 3-9 7-9", "3-7", "2-3-7 3-7-9", "3-7-2 3-7-9"}},
    {7, "3/7/2,9", {"3", "3 7", "2-6", "3-7", "2-3 2-7 3-7 3-9 7-9", "3-7", "2-3-7 3-7-9", "3-7-2 3-7-9"}},
    {16, "19/2/1", {"19", "1 2 19", "", "", "1-2", "", "", ""}},    // 19: no runner of the pair pools
    {16, "1/2", {"1", "1 2", "1-1", "1-2", "1-2", "1-2", "", ""}},  // too short a finish for the triples
    {6,
     "1/2,3,4",
     {"1", "1 2 3 4", "1-1 1-2 1-3", "1-2 1-3 1-4", "1-2 1-3 1-4 2-3 2-4 3-4", "1-2 1-3 1-4", "1-2-3 1-2-4 1-3-4",
      "1-2-3 1-2-4 1-3-2 1-3-4 1-4-2 1-4-3"}},
};

int entryOfLabel(Pool pool, const QString& label)
{
    const QStringList n = label.split(u'-');
    return pools::entryOf(pool, n.value(0).toInt(), n.value(1).toInt(), n.value(2).toInt());
}

pools::FinishingOrder orderOf(const char* text)
{
    pools::FinishingOrder order;
    for (const QString& place : QString::fromLatin1(text).split(u'/')) {
        order.places.emplace_back();
        for (const QString& runner : place.split(u','))
            order.places.back().push_back(runner.toInt());
    }
    return order;
}

}  // namespace

TEST(RacePayouts, WinningEntriesShareThePoolByTheRacingLaw)
{
    constexpr pools::Brackets kBrackets{0, 1, 2, 3, 4, 5, 6, 7, 8, 8};
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        pools::PoolSales sales{c.rate, true, c.total, std::vector<long long>(size_t(pools::pool(c.pool).entries))};
        for (const QString& entry : QString::fromLatin1(c.votes).split(u' '))
            sales.votes[size_t(entryOfLabel(c.pool, entry.section(u':', 0, 0)) - 1)] =
                entry.section(u':', 1).toLongLong();
        std::array<bool, pools::kRecordSlots + 1> scratched{};
        scratched[size_t(c.scratched)] = c.scratched > 0;
        const pools::Refunds refunds = pools::refundsOf(scratched, 9, kBrackets);

        const std::vector<int> winners = pools::winningEntries(c.pool, orderOf(c.order), c.starters, kBrackets);
        const pools::PoolPayout paid = pools::payPool(c.pool, sales, refunds, c.starters, winners);
        QStringList texts;
        for (const pools::EntryPayout& p : paid.payouts)
            texts.append(
                QStringLiteral("%1:%2:%3").arg(pools::entryLabel(c.pool, p.entry)).arg(p.yen).arg(p.popularity));
        EXPECT_EQ(texts.join(u' '), QString::fromLatin1(c.paid));
        EXPECT_EQ(paid.special, QByteArrayView(c.paid).endsWith(":70:0"));
        EXPECT_EQ(paid.refunds, c.scratched > 0);
        EXPECT_FALSE(paid.notHeld);
    }
}

TEST(FinishingOrder, EachPoolPaysTheEntriesTheOrderWinsDeadHeatsEveryWay)
{
    constexpr pools::Brackets kBrackets{0, 1, 1, 2, 3, 4, 5, 6, 7, 7};
    for (const auto& c : kWinners)
        for (size_t p = 0; p < c.winners.size(); ++p) {
            QStringList labels;
            for (int entry : pools::winningEntries(Pool(p), orderOf(c.order), c.starters, kBrackets))
                labels.append(pools::entryLabel(Pool(p), entry));
            EXPECT_EQ(labels.join(u' '), QString::fromLatin1(c.winners[p]))
                << pools::kPools[p].key << ' ' << c.order << ", " << c.starters << " starters";
        }
}

TEST(RacePayouts, APoolNotSoldOrWithTooFewStartersIsNotHeld)
{
    pools::PoolSales sales{{4, 5}, true, 100, std::vector<long long>(28)};
    sales.votes[0] = 100;
    const std::vector<int> winner{1};
    EXPECT_TRUE(pools::payPool(Pool::Place, sales, {}, 4, winner).notHeld) << "place from 5 starters";
    EXPECT_FALSE(pools::payPool(Pool::Place, sales, {}, 5, winner).notHeld);
    EXPECT_FALSE(pools::payPool(Pool::Win, sales, {}, 4, winner).notHeld);
    sales.onSale = false;
    EXPECT_TRUE(pools::payPool(Pool::Win, sales, {}, 16, winner).notHeld) << "not sold that day";
    sales = {{4, 5}, true, 0, std::vector<long long>(28)};
    EXPECT_TRUE(pools::payPool(Pool::Win, sales, {}, 16, winner).notHeld) << "nothing sold";
}
