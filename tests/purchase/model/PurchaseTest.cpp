#include "pools/PoolIndex.h"
#include "purchase/model/Purchase.h"
#include "purchase/model/PurchaseTexts.h"
#include "support/RaceFixture.h"
#include "value/model/BetValue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace tavek;
using namespace tavek::purchase;
using pools::Pool;

namespace {

constexpr int kRegistered = 9;  // runner 9 refunded, 8 starters: place pays 3

bool inField(Pool pool, int n)
{
    const pools::EntryRunners r = pools::entryRunners(pool, n);
    return std::all_of(r.begin(), r.end(), [](int h) { return h < kRegistered; });
}

// Win votes 40,000, 25,000, ... of 100,000; place h 1,000 h of 36,000;
// exacta 1-2 1,000, 2-1 500, 1-3 none, the rest 100, of 10,000; quinella,
// wide and trio 100 an entry; the trifecta 10 to 99 an entry.
struct Race {
    test::H1Record votes;
    test::H6Record trifecta;
};

Race race()
{
    test::H1Record r(test::raceKey("20150606"));
    r.registered(kRegistered).starters(kRegistered - 1).refund(kRegistered);
    const long long win[] = {40'000, 25'000, 12'000, 8'000, 6'000, 4'000, 3'000, 2'000};
    for (int h = 1; h < kRegistered; ++h) {
        r.win(h, win[h - 1]);
        r.votes(pools::pool(Pool::Place).votes(h), 1'000 * h);
    }
    r.winTotal(100'000).votes(pools::pool(Pool::Place).total, 36'000);
    for (Pool pool : {Pool::Quinella, Pool::Wide, Pool::Exacta, Pool::Trio}) {
        long long total = 0;
        for (int n = 1; n <= pools::pool(pool).entries; ++n)
            if (inField(pool, n)) {
                r.votes(pools::pool(pool).votes(n), 100);
                total += 100;
            }
        r.votes(pools::pool(pool).total, total);
    }
    r.votes(pools::pool(Pool::Exacta).votes(pools::entryOf(Pool::Exacta, 1, 2)), 1'000)
        .votes(pools::pool(Pool::Exacta).votes(pools::entryOf(Pool::Exacta, 2, 1)), 500)
        .votes(pools::pool(Pool::Exacta).votes(pools::entryOf(Pool::Exacta, 1, 3)), 0)
        .votes(pools::pool(Pool::Exacta).total, 10'000);
    test::H6Record t(test::raceKey("20150606"));
    t.registered(kRegistered).starters(kRegistered - 1).refund(kRegistered).saleFlag('7');
    long long total = 0;
    for (int n = 1; n <= pools::pool(Pool::Trifecta).entries; ++n)
        if (inField(Pool::Trifecta, n)) {
            t.entry(n, 10 + n % 90);
            total += 10 + n % 90;
        }
    t.total(total);
    return {r, t};
}

Order order(Pool pool, Form form, Split split, long long total)
{
    Order o;
    o.pool = pool;
    o.form = std::move(form);
    o.split = split;
    o.total = total;
    return o;
}

Purchase bought(const Order& o)
{
    const Race r = race();
    return buy(o, r.votes, r.trifecta);
}

}  // namespace

// Each ticket's odds with the whole purchase in the pool, worked by hand with
// JRA's rule (rate x pool / votes, cut to 0.1, for place with the two
// most-backed, or least-backed, other runners placing).
TEST(Purchase, OddsAfterThePurchaseCountEveryStakeInThePool)
{
    const struct {
        Order order;
        std::vector<std::array<long long, 5>> tickets;  // stake, now low, now high, after low, after high
        double combined;
        double combinedNow;
    } cases[] = {
        // Exacta 1-2, 1-3 (no votes now), 2-1: 10 votes each of 10,030: 7.4,
        // 752.2 and 14.7 after; 7.5 and 15.0 now.
        {order(Pool::Exacta, Form::list({1, 2, 18}), Split::Equal, 3'000),
         {{{1'000, 75, 75, 74, 74}}, {{1'000, 0, 0, 7'522, 7'522}}, {{1'000, 150, 150, 147, 147}}},
         1 / (1 / 7.4 + 1 / 752.2 + 1 / 14.7),
         5.0},
        // Place 1 and 2 of 36,020: 1 with 7 and 8 (15,000) placing pays
        // 10 x 0.8 x (3 x 1,010 + 20,010) / (3 x 1,010) = 6.0, with 2 and 3 8.7.
        {order(Pool::Place, Form::list({1, 2}), Split::Equal, 2'000),
         {{{1'000, 61, 88, 60, 87}}, {{1'000, 33, 48, 33, 47}}},
         1 / (1 / 6.0 + 1 / 3.3),
         1 / (1 / 6.1 + 1 / 3.3)},
    };
    for (const auto& c : cases) {
        const Purchase p = bought(c.order);
        ASSERT_EQ(p.tickets.size(), c.tickets.size());
        for (size_t i = 0; i < c.tickets.size(); ++i) {
            const Ticket& t = p.tickets[i];
            const auto& [stake, nowLow, nowHigh, afterLow, afterHigh] = c.tickets[i];
            EXPECT_EQ(t.stake, stake) << i;
            EXPECT_EQ(t.oddsNow, (sim::OddsRange{nowLow, nowHigh})) << i;
            EXPECT_EQ(t.oddsAfter, (sim::OddsRange{afterLow, afterHigh})) << i;
            EXPECT_EQ(t.payout, stake / 100 * afterLow * 10) << i;
            EXPECT_EQ(p.net(t), t.payout - p.total) << i;
        }
        EXPECT_NEAR(p.combinedOdds, c.combined, 1e-9);
        EXPECT_NEAR(p.combinedOddsNow, c.combinedNow, 1e-9);
    }
}

// 均等買い: the whole total, every ticket at least 100 yen, and no hit pays
// more than one 100-yen step of its own above the lowest; to a target, the
// lowest reaches it and a step less would not. 同額: one stake, the most the
// total allows.
TEST(Purchase, SplitsSpreadTheTotalAsTheyPromise)
{
    const Form formation = Form::formation({{{1, 2, 3}, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5, 6, 7, 8}}});
    Order target = order(Pool::Trifecta, formation, Split::Payout, 0);
    target.target = 50'000;
    const Order cases[] = {
        order(Pool::Trifecta, formation, Split::Payout, 1'000'000),
        order(Pool::Wide, Form::box({1, 2, 3, 4, 5}), Split::Payout, 123'400),
        order(Pool::Trio, Form::pivot({1}, {2, 3, 4, 5, 6}), Split::Payout, 1'000),
        order(Pool::Trifecta, formation, Split::Equal, 100'000),
        target,
    };
    for (const Order& o : cases) {
        const Purchase p = bought(o);
        long long lowest = p.tickets.front().payout, stake = 0;
        for (const Ticket& t : p.tickets) {
            lowest = std::min(lowest, t.payout);
            stake += t.stake;
            EXPECT_GE(t.stake, 100);
        }
        EXPECT_EQ(stake, p.total);
        const long long floor = o.target > 0 ? o.target : lowest;
        for (const Ticket& t : p.tickets) {
            const long long step = t.oddsAfter.low * 10;
            if (o.split == Split::Equal) {
                EXPECT_EQ(t.stake, p.tickets.front().stake);
            } else if (t.stake > 100) {
                EXPECT_LE(t.payout - step, floor) << pools::entryLabel(o.pool, t.entry).toStdString();
            }
        }
        if (o.target > 0)
            EXPECT_GE(lowest, o.target);
        else if (o.split == Split::Equal)
            EXPECT_LT(o.total - p.total, 100 * qsizetype(p.tickets.size()));
        else
            EXPECT_EQ(p.total, o.total);
    }
}

// The model's chance of each ticket is the 妙味 tab's chance of the bet; a
// purchase of every bet of a pool hits whatever the finish.
TEST(Purchase, ChancesFollowTheModelOfTheWinPool)
{
    const Race r = race();
    std::vector<int> runners{1, 2, 3, 4, 5, 6, 7, 8};
    for (finish::Model model : finish::kModels) {
        const std::vector<value::BetValue> values = value::betValues(r.votes, model, r.trifecta);
        for (Pool pool :
             {Pool::Win, Pool::Place, Pool::Quinella, Pool::Wide, Pool::Exacta, Pool::Trio, Pool::Trifecta}) {
            Order o = order(pool, pools::pool(pool).runners == 1 ? Form::list(runners) : Form::box(runners),
                            Split::Equal, 10'000'000);
            o.model = model;
            const Purchase p = buy(o, r.votes, r.trifecta);
            EXPECT_NEAR(p.hitChance, 1.0, 1e-9) << pools::pool(pool).key;
            double expected = 0;
            for (const Ticket& t : p.tickets) {
                // The 妙味 tab lists the bets with odds now.
                const std::optional<value::BetValue> v = value::findValue(values, pool, t.entry);
                ASSERT_EQ(v.has_value(), t.oddsNow.has()) << pools::entryLabel(pool, t.entry).toStdString();
                if (v) {
                    EXPECT_NEAR(t.chance, v->chance, 1e-12) << pools::entryLabel(pool, t.entry).toStdString();
                }
                expected += t.chance * double(t.payout);
            }
            EXPECT_NEAR(p.expectedReturn, expected, 1e-6) << pools::pool(pool).key;
        }
    }
}

// Kelly buys only what the model gives an edge at the odds the purchase
// leaves, within the total; nothing where no bet has one.
TEST(Purchase, KellyBuysOnlyTicketsWithAnEdge)
{
    // Exacta 1-3 has no votes: a first 100 yen on it takes the whole pool.
    Order o = order(Pool::Exacta, Form::box({1, 2, 3}), Split::Kelly, 50'000);
    o.model = finish::Model::Harville;
    o.bankroll = 1'000'000;
    const Purchase p = bought(o);
    EXPECT_LE(p.total, 50'000);
    ASSERT_GT(p.bought(), 0);
    for (const Ticket& t : p.tickets)
        if (t.stake > 0) {
            EXPECT_GT(t.chance * double(t.oddsAfter.low) / 10, 1.0) << pools::entryLabel(o.pool, t.entry).toStdString();
        }
    EXPECT_GT(std::find_if(p.tickets.begin(), p.tickets.end(),
                           [](const Ticket& t) { return t.entry == pools::entryOf(Pool::Exacta, 1, 3); })
                  ->stake,
              0);

    Order none = order(Pool::Win, Form::list({1}), Split::Kelly, 10'000);
    none.model = finish::Model::Harville;
    none.bankroll = 100'000;
    const Purchase nothing = bought(none);  // the favourite pays 2.0 for a 40% chance
    EXPECT_EQ(nothing.total, 0);
    EXPECT_TRUE(noteText(nothing).contains(u"買わない"));
}

TEST(Purchase, LeavesRefundedTicketsOutAndNamesThem)
{
    const Purchase box = bought(order(Pool::Quinella, Form::box({1, 2, 9}), Split::Equal, 1'000));
    ASSERT_EQ(box.tickets.size(), 1u);
    EXPECT_EQ(box.leftOut,
              (std::vector<int>{pools::entryOf(Pool::Quinella, 1, 9), pools::entryOf(Pool::Quinella, 2, 9)}));
    EXPECT_EQ(box.refunded, std::vector<int>{9});
    EXPECT_EQ(box.tickets.front().stake, 1'000);
    EXPECT_EQ(noteText(box), QStringLiteral("出走取消・競走除外（返還）の9番を含む2点は買いません"));
}

TEST(Purchase, RefusesWhatMakesNoPurchase)
{
    const Race r = race();
    test::H1Record noWinVotes(r.votes);
    for (int h = 1; h < kRegistered; ++h)
        noWinVotes.win(h, 0);
    Order kellyAlone = order(Pool::Win, Form::list({1}), Split::Kelly, 10'000);
    kellyAlone.bankroll = 100'000;
    Order modelWithoutView = order(Pool::Exacta, Form::list({1}), Split::Equal, 10'000);
    modelWithoutView.model = finish::Model::Discounted;
    Order beyondReach = order(Pool::Exacta, Form::list({1}), Split::Payout, 0);
    beyondReach.target = 1'000'000'000;
    const struct {
        Order order;
        QByteArray votes;
        QByteArray trifecta;
        Refusal::Kind kind;
        const char16_t* reason;
    } cases[] = {
        {order(Pool::Trifecta, Form::box({1, 2, 3}), Split::Equal, 600),
         r.votes,
         {},
         Refusal::Race,
         u"3連単の発売がありません"},
        {order(Pool::Trifecta, Form::box({1, 2, 3}), Split::Equal, 600), r.votes,
         test::H6Record(r.trifecta).saleFlag('0'), Refusal::Race, u"発売なし"},
        {order(Pool::Place, Form::list({1}), Split::Equal, 100),
         test::H1Record(r.votes).starters(4),
         {},
         Refusal::Race,
         u"複勝の発売がありません"},
        {order(Pool::Trio, Form::box({1, 2, 9}), Split::Equal, 100),
         r.votes,
         {},
         Refusal::Race,
         u"どの買い目も出走取消・競走除外（返還）の9番を含む"},
        {order(Pool::Trifecta, Form::pivot({9}, {1, 2, 3}, true), Split::Equal, 1'800), r.votes, r.trifecta,
         Refusal::Race, u"9番を含むため"},
        {order(Pool::Quinella, Form::pivot({1}, {2, 12}), Split::Equal, 200),
         r.votes,
         {},
         Refusal::Input,
         u"12番の馬はこのレースに登録されていません"},
        {order(Pool::Trifecta, Form::pivot({1}, {2, 3, 4, 5}, true), Split::Equal, 3'500), r.votes, r.trifecta,
         Refusal::Input, u"合計金額3,500円では36点に100円ずつも買えません（3,600円以上が必要です）"},
        {order(Pool::Trio, Form::box({1, 2, 2}), Split::Equal, 3'500), r.votes, {}, Refusal::Input, u"2回"},
        {kellyAlone, r.votes, {}, Refusal::Input, u"モデル確率が必要"},
        {modelWithoutView, noWinVotes, {}, Refusal::Race, u"単勝の票数がない"},
        {beyondReach, r.votes, {}, Refusal::Input, u"1,000,000,000円以上になる買い方は、合計100,000,000円以内には"},
    };
    for (const auto& c : cases) {
        try {
            buy(c.order, c.votes, c.trifecta);
            ADD_FAILURE() << "accepted: " << QString::fromUtf16(c.reason).toStdString();
        } catch (const Refusal& e) {
            EXPECT_EQ(e.kind(), c.kind) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QStringView(c.reason))) << e.message().toStdString();
        }
    }
}
