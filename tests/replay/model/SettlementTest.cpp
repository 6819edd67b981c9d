// A race settled with the bettor's own stakes in the final pool, against
// races worked out by hand with the racing law's formula; the popularity of
// a whole pool against the payout rules' popularity of each entry.
#include "replay/model/Settlement.h"

#include <gtest/gtest.h>

#include <random>

using namespace tavek;
using pools::Pool;
using replay::Settlement;
using replay::Ticket;

namespace {

// Win votes 600, 300 and 100 on runners 1-3 of eight (1,000 in all); place
// votes 500, 300, 200 and 100 on each of 4-8 (1,500); rate 0.8 for both;
// runner 5 scratched.
payoutcheck::FinalVotes handRace()
{
    payoutcheck::FinalVotes f;
    f.sales.starters = 8;
    f.sales.refunds.runner[5] = true;
    const auto fill = [&](Pool p, std::vector<long long> votes) {
        pools::PoolSales& s = f.sales.pools[size_t(p)];
        s.rate = pools::pool(p).rate("20260101");
        s.votes.assign(size_t(pools::pool(p).entries), 0);
        std::copy(votes.begin(), votes.end(), s.votes.begin());
        for (long long v : votes)
            s.total += v;
        f.known[size_t(p)] = true;
    };
    fill(Pool::Win, {600, 300, 100});
    fill(Pool::Place, {500, 300, 200, 100, 100, 100, 100, 100});
    return f;
}

result::RaceResult paid(Pool pool, std::vector<int> winners, bool special = false)
{
    result::RaceResult r;
    for (int w : winners)
        r.payouts[size_t(pool)].payouts.push_back({w, special ? pools::kSpecialPayoutYen : 0, 0});
    r.payouts[size_t(pool)].special = special;
    return r;
}

}  // namespace

TEST(Settlement, OwnStakesJoinTheFinalPoolBeforeThePayoutRulesShareItOut)
{
    struct Case {
        const char* what;
        result::RaceResult result;
        std::vector<Ticket> tickets;
        std::vector<Settlement> expected;  // hit, refunded, paidYen, payout, paidYenAlone, payoutAlone
    };
    const Case cases[] = {
        {"the favourite: 1,100 x 0.8 / 700 = 1.257, 120 yen where 130 was paid",
         paid(Pool::Win, {1}),
         {{Pool::Win, 1, 10'000}},
         {{true, false, 120, 12'000, 130, 13'000}}},
        {"a long price halves: 1,100 x 0.8 / 200 = 4.4",
         paid(Pool::Win, {3}),
         {{Pool::Win, 3, 10'000}},
         {{true, false, 440, 44'000, 800, 80'000}}},
        {"the stake on the loser still swells the pool: 1,100 x 0.8 / 150 = 5.87",
         paid(Pool::Win, {3}),
         {{Pool::Win, 3, 5'000}, {Pool::Win, 1, 5'000}},
         {{true, false, 580, 29'000, 800, 40'000}, {false, false, 0, 0, 0, 0}}},
        {"nobody backed the winner: the special payout for every ticket",
         paid(Pool::Win, {4}, true),
         {{Pool::Win, 1, 1'000}},
         {{false, false, 70, 700, 70, 700}}},
        {"the bettor alone backed the winner: 1,010 x 0.8 / 10 = 80.8",
         paid(Pool::Win, {4}, true),
         {{Pool::Win, 4, 1'000}},
         {{true, false, 8'080, 80'800, 70, 700}}},
        {"a scratched runner is paid back",
         paid(Pool::Win, {1}),
         {{Pool::Win, 5, 2'000}},
         {{false, true, 0, 2'000, 0, 2'000}}},
        {"place of three winners, scratched 5's votes out: (3 x 300 + 400) / (3 x 300) x 0.8 = 1.16",
         paid(Pool::Place, {1, 2, 3}),
         {{Pool::Place, 3, 10'000}},
         {{true, false, 110, 11'000, 130, 13'000}}},
        {"place falls to 元返し, never below 100 yen",
         paid(Pool::Place, {1, 2, 3}),
         {{Pool::Place, 1, 50'000}},
         {{true, false, 100, 50'000, 100, 50'000}}},
        {"a pool without votes pays the stakes back",
         paid(Pool::Exacta, {1}),
         {{Pool::Exacta, 1, 300}},
         {{false, true, 0, 300, 0, 300}}},
    };
    const payoutcheck::FinalVotes race = handRace();
    for (const Case& c : cases) {
        const std::vector<Settlement> got = replay::settle(race, c.result, c.tickets);
        ASSERT_EQ(got.size(), c.expected.size()) << c.what;
        for (size_t i = 0; i < got.size(); ++i) {
            const Settlement& g = got[i];
            const Settlement& e = c.expected[i];
            EXPECT_EQ(std::tuple(g.hit, g.refunded, g.paidYen, g.payout, g.paidYenAlone, g.payoutAlone),
                      std::tuple(e.hit, e.refunded, e.paidYen, e.payout, e.paidYenAlone, e.payoutAlone))
                << c.what << ", ticket " << i;
        }
    }
}

TEST(Settlement, APoolsPopularityIsThePayoutRulesPopularityOfEachEntry)
{
    std::mt19937 random(7);
    for (int trial = 0; trial < 200; ++trial) {
        const Pool pool = trial % 2 ? Pool::Quinella : Pool::Win;
        pools::PoolSales sales;
        sales.votes.resize(size_t(pools::pool(pool).entries));
        for (long long& v : sales.votes)
            v = random() % 4;  // ties and entries without votes
        pools::Refunds refunds;
        refunds.runner[size_t(1 + random() % 8)] = true;
        const std::vector<int> ranks = replay::popularityRanks(pool, sales, refunds);
        for (int n = 1; n <= pools::pool(pool).entries; ++n)
            ASSERT_EQ(ranks[size_t(n - 1)],
                      pools::entryRefunded(pool, n, refunds) ? 0 : pools::popularity(pool, sales, refunds, n))
                << "trial " << trial << ", entry " << n;
    }
}
