// A stake or odds on a refunded runner, a pair with one, or a runner or pair
// without votes in the record is refused before any figure or text moves.
#include "odds/model/PairBoard.h"
#include "odds/model/SimulationRefusal.h"
#include "odds/model/WinBoard.h"
#include "racedata/RecordLayout.h"
#include "support/RaceFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

using namespace tavek;
using pools::PairKind;
using sim::SimResult;
using test::H1Record;

namespace {

// The win example race with horse 3 scratched (refund "1", 0 votes) and
// horse 4's votes blank.
H1Record scratchedRace()
{
    return test::exampleWinRace().refund(3).win(3, 0).win(4, -1);
}

}  // namespace

TEST(SimulationRefusal, WinStakeAndOddsOnARefundedOrBlankRunnerChangeNothing)
{
    auto day = std::make_unique<DayData>();
    const H1Record race = scratchedRace();
    day->setVoteRecord(0, race.bytes());
    win::WinBoard board(*day);
    ASSERT_TRUE(board.calculate(0));
    ASSERT_EQ(board.simulateStake(1, 150'000), SimResult::Accepted);
    const int total = day->winTotal(0);
    const int horse1 = day->winVotes(0)[0];

    for (int horse : {3, 4}) {
        const SimResult expected = horse == 3 ? SimResult::Refunded : SimResult::NoVotes;
        EXPECT_EQ(board.simulateStake(horse, 1'000), expected);
        EXPECT_EQ(board.simulateOdds(horse, 100.0L), expected);
        EXPECT_EQ(day->winTotal(0), total);
        EXPECT_EQ(day->winVotes(0)[0], horse1);
        EXPECT_EQ(day->winVotes(0)[2], 0);
        EXPECT_EQ(board.cellText(1, 6), "    150,000");
        EXPECT_EQ(board.cellText(horse, 10), " ");
        EXPECT_EQ(board.virtualTotal(), "  1,001,500");
    }
    // A blank total refuses every runner; a refund flag other than "1" refuses none.
    EXPECT_EQ(sim::winRefusal(test::exampleWinRace().winTotal(-1), 1), SimResult::NoVotes);
    EXPECT_EQ(sim::winRefusal(test::exampleWinRace().refund(1, '0'), 1), SimResult::None);
}

TEST(SimulationRefusal, PairsWithARefundedRunnerOrBracketOrNoVotes)
{
    H1Record race = test::exampleWinRace().refund(3).quinellaTotal(1'000'000).bracketTotal(1'000'000);
    for (int k = 1; k <= 153; ++k)
        race.quinella(k, 1'000);
    for (int k = 1; k <= 36; ++k)
        race.bracket(k, 1'000);
    race.quinella(pools::pairIndexOf(PairKind::Quinella, 1, 2), -1);
    EXPECT_EQ(sim::pairRefusal(PairKind::Quinella, race, pools::pairIndexOf(PairKind::Quinella, 2, 3)),
              SimResult::Refunded);
    EXPECT_EQ(sim::pairRefusal(PairKind::Quinella, race, pools::pairIndexOf(PairKind::Quinella, 3, 9)),
              SimResult::Refunded);
    EXPECT_EQ(sim::pairRefusal(PairKind::Quinella, race, 1), SimResult::NoVotes);
    EXPECT_EQ(sim::pairRefusal(PairKind::Quinella, race, pools::pairIndexOf(PairKind::Quinella, 2, 4)),
              SimResult::None);

    // A bracket with a scratched runner still runs; a refunded bracket, or
    // the same-bracket pair's own flag, refuses.
    EXPECT_EQ(sim::pairRefusal(PairKind::Bracket, race, pools::pairIndexOf(PairKind::Bracket, 2, 3)), SimResult::None);
    race.put(68 + 5 - 1, "1");  // bracket 5 refunded
    race.put(76 + 7 - 1, "1");  // same-bracket pair 7-7 refunded
    EXPECT_EQ(sim::pairRefusal(PairKind::Bracket, race, pools::pairIndexOf(PairKind::Bracket, 1, 5)),
              SimResult::Refunded);
    EXPECT_EQ(sim::pairRefusal(PairKind::Bracket, race, pools::pairIndexOf(PairKind::Bracket, 7, 7)),
              SimResult::Refunded);
    EXPECT_EQ(sim::pairRefusal(PairKind::Bracket, race, pools::pairIndexOf(PairKind::Bracket, 7, 8)), SimResult::None);

    // The board refuses before its figures or boxes move.
    sim::PairBoard board(PairKind::Quinella);
    int total = -1;
    std::array<int, 153> votes{};
    board.calculate(race, {total, votes});
    ASSERT_EQ(board.simulateStake(race, {total, votes}, u" 2- 4", 500), SimResult::Accepted);
    const QString excess = board.excess();
    EXPECT_EQ(board.simulateStake(race, {total, votes}, u" 2- 3", 1'000), SimResult::Refunded);
    EXPECT_EQ(board.simulateOdds(race, {total, votes}, u" 1- 2", 900.0), SimResult::NoVotes);
    EXPECT_EQ(total, 1'000'005);
    EXPECT_EQ(board.excess(), excess);
}
