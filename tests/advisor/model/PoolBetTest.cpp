#include "advisor/model/AdvisorTexts.h"
#include "odds/model/PoolBoard.h"
#include "racedata/DayData.h"
#include "support/RaceFixture.h"

#include <gtest/gtest.h>

#include <memory>

using namespace tavek;
using namespace tavek::advice;
using pools::Pool;

namespace {

// 9 runners, runner 9 refunded; every entry 1,000 votes but runner 1's
// place and pairs (10,000) and trio 1-2-3 (0); each pool 200,000 votes.
test::H1Record poolsRace()
{
    test::H1Record r(test::raceKey("20150606"));
    r.registered(9).starters(8).refund(9);
    for (Pool pool : {Pool::Place, Pool::Wide, Pool::Exacta, Pool::Trio}) {
        const pools::VotePool& p = pools::pool(pool);
        r.votes(p.total, 200'000);
        for (int n = 1; n <= p.entries; ++n)
            r.votes(p.votes(n), pools::entryRunners(pool, n)[0] == 1 && pool != Pool::Trio ? 10'000 : 1'000);
    }
    return r.votes(layout::kTrioPool.votes(1), 0);
}

std::unique_ptr<DayData> dayWith(const QByteArray& votes)
{
    auto day = std::make_unique<DayData>();
    day->setVoteRecord(0, votes);
    return day;
}

}  // namespace

TEST(PoolBets, PayoutAfterTheStakeIsTheLowerEndOfTheBoardsOdds)
{
    const auto day = dayWith(poolsRace());
    const std::pair<BetKind, int> bets[] = {
        {BetKind::Place, 2}, {BetKind::Wide, 1}, {BetKind::Exacta, 20}, {BetKind::Trio, 2}};
    for (const auto& [kind, n] : bets) {
        const BetChoice choice = chooseBet(*day, 0, kind, n);
        ASSERT_TRUE(choice.ok()) << choice.refusal.toStdString();
        sim::PoolBoard board(betPool(kind));
        board.calculate(day->voteRecord(0));
        for (long long stake : {0LL, 100LL, 50'000LL, 9'999'999LL}) {
            board.simulateStake(n, stake);
            const long long x = stake / pools::kYenPerVote;
            EXPECT_EQ(payoutTenths(choice.bet, x), board.virtualOdds(n).low) << betLabel(choice.bet).toStdString();
            EXPECT_EQ(payoutHighTenths(choice.bet, x), board.virtualOdds(n).high);
            EXPECT_EQ(tabOddsText(choice.bet, x), board.virtualOddsText(n));
        }
    }
    EXPECT_EQ(betTexts(chooseBet(*day, 0, BetKind::Place, 2).bet).oddsNow, "50.9-53.3");
    EXPECT_EQ(betLabel(BetKind::Trio, 2), "3連複 1-2-4");
}

TEST(PoolBets, RefusesEntriesWithoutOdds)
{
    const auto day = dayWith(poolsRace());
    const auto unsold = dayWith(test::H1Record(poolsRace()).starters(3));
    const struct {
        const DayData& day;
        BetKind kind;
        int n;
        const char16_t* reason;
    } cases[] = {
        {*day, BetKind::Trio, 1, u"票数がない"}, {*day, BetKind::Place, 9, u"返還"},
        {*day, BetKind::Exacta, 8, u"返還"},     {*day, BetKind::Place, 10, u"登録されていない"},
        {*day, BetKind::Trio, 817, u"組番"},     {*unsold, BetKind::Wide, 1, u"発売なし"},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(chooseBet(c.day, 0, c.kind, c.n).refusal.contains(QStringView(c.reason)))
            << betLabel(c.kind, c.n).toStdString();
}

TEST(PoolBets, DutchingPlaceCountsTheOtherBetsStakesAmongTheOtherWinners)
{
    // Runners 2 and 3 place beside runner 1 at the lower end; each 100 yen on
    // one of them joins the other's most-backed rivals once it passes runner 1.
    const QByteArray record = test::H1Record(poolsRace()).votes(layout::kPlacePool.votes(3), 9'950);
    const auto day = dayWith(record);
    const std::vector<Bet> bets = {chooseBet(*day, 0, BetKind::Place, 2).bet,
                                   chooseBet(*day, 0, BetKind::Place, 3).bet};
    const Dutching d = dutch(bets, 200'000);
    test::H1Record staked(record);
    staked.votes(layout::kPlaceTotal, 200'000 + 2'000)
        .votes(layout::kPlacePool.votes(2), 1'000 + d.tickets[0].stake / 100)
        .votes(layout::kPlacePool.votes(3), 9'950 + d.tickets[1].stake / 100);
    sim::PoolBoard board(Pool::Place);
    board.calculate(staked);
    for (size_t i = 0; i < 2; ++i)
        EXPECT_EQ(d.tickets[i].oddsTenths, board.odds(bets[i].number).low) << i;
    EXPECT_EQ(d.tickets[0].stake + d.tickets[1].stake, 200'000);
}
