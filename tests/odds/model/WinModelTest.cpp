#include "odds/model/PairFigures.h"
#include "odds/model/WinModel.h"
#include "odds/model/WinTexts.h"
#include "support/RaceFixture.h"

#include <gtest/gtest.h>

#include <memory>

using namespace tavek;
using test::H1Record;

namespace {

// A loaded day whose slot 0 holds `votes` as its vote record.
std::unique_ptr<DayData> dayWith(const H1Record& votes)
{
    auto day = std::make_unique<DayData>();
    const QByteArray& v = votes.bytes();
    day->setVoteRecord(0, v);
    win::winReset(*day, 0);
    return day;
}

}  // namespace

TEST(WinModel, RealFigures)
{
    auto day = dayWith(test::exampleWinRace().win(2, 0).win(3, -1));
    EXPECT_EQ(*win::realOdds(*day, 0, 1), 1'000'000 * 0.8L / 100'000);
    EXPECT_EQ(*win::realShare(*day, 0, 1), 10.0L);
    EXPECT_FALSE(win::realOdds(*day, 0, 2)) << "no votes, no odds";
    EXPECT_EQ(*win::realShare(*day, 0, 2), 0.0L);
    EXPECT_FALSE(win::realOdds(*day, 0, 3)) << "a blank field reads 0";
    EXPECT_FALSE(win::realOdds(*day, 0, 29));

    auto whole = dayWith(H1Record().winTotal(5000).win(1, 5000));
    EXPECT_EQ(*win::realOdds(*whole, 0, 1), 0.8L);
    auto noTotal = dayWith(H1Record().winTotal(0).win(1, 50));
    EXPECT_FALSE(win::realShare(*noTotal, 0, 1));
    EXPECT_EQ(*win::realOdds(*noTotal, 0, 1), 0.0L);
}

// The grid shows a field that is not a number blank: the odds, the share and
// the totals must not come from the digits before its stray byte either.
TEST(WinModel, AFieldThatIsNoNumberReadsAsBlankEverywhere)
{
    auto badVotes = dayWith(test::exampleWinRace().put(layout::winVotes(1), "12a45678901"));
    EXPECT_FALSE(win::realOdds(*badVotes, 0, 1));
    EXPECT_EQ(*win::realShare(*badVotes, 0, 1), 0.0L);
    EXPECT_EQ(win::recordVotes(*badVotes, 0, 1), 0);

    auto badTotal = dayWith(test::exampleWinRace().put(layout::kWinTotal, "12a45678901"));
    EXPECT_EQ(win::recordTotal(*badTotal, 0), 0);
    EXPECT_FALSE(win::realShare(*badTotal, 0, 1));
    EXPECT_EQ(*win::realOdds(*badTotal, 0, 1), 0.0L);
    EXPECT_EQ(win::totalText(*badTotal, 0).trimmed(), QStringLiteral("0"));

    const test::H1Record pairs = test::H1Record().quinella(1, 100).quinellaTotal(1000).put(layout::kQuinellaTotal,
                                                                                           "9x000001000");
    EXPECT_EQ(sim::realTotalText(pools::PairKind::Quinella, pairs).trimmed(), QStringLiteral("0"));
    EXPECT_EQ(sim::realOddsText(pools::PairKind::Quinella, pairs, 1).trimmed(), QStringLiteral("0.0"));

    // A valid record reads as before.
    auto valid = dayWith(test::exampleWinRace());
    EXPECT_EQ(win::recordTotal(*valid, 0), 1'000'000);
    EXPECT_EQ(*win::realOdds(*valid, 0, 1), 1'000'000 * 0.8L / 100'000);
}

TEST(WinModel, VirtualFiguresFollowTheRecordAfterReset)
{
    auto day = dayWith(test::exampleWinRace().win(2, 0).win(3, -1));
    EXPECT_EQ(*win::virtualVotes(*day, 0, 1), 100'000);
    EXPECT_EQ(*win::virtualOdds(*day, 0, 1), *win::realOdds(*day, 0, 1));
    EXPECT_FALSE(win::virtualVotes(*day, 0, 2));
    EXPECT_FALSE(win::virtualOdds(*day, 0, 2));
    EXPECT_EQ(*win::virtualShare(*day, 0, 2), 0.0L);
    EXPECT_EQ(*win::virtualShare(*day, 0, 3), 0.0L) << "a blank runner counts as 0 votes";
    EXPECT_FALSE(win::virtualVotes(*day, 0, 19));
    day->winTotal(0) = 0;
    EXPECT_FALSE(win::virtualShare(*day, 0, 1));
}

TEST(WinModel, StakeSimulation)
{
    auto day = dayWith(test::exampleWinRace());
    win::stakeSimulation(*day, 0, 1, 150'000);
    EXPECT_EQ(day->winTotal(0), 1'001'500);
    EXPECT_EQ(day->winVotes(0)[0], 101'500);
    EXPECT_NEAR(double(*win::virtualOdds(*day, 0, 1)), 7.8936, 1e-4);
    EXPECT_NEAR(double(*win::virtualShare(*day, 0, 1)), 10.1348, 1e-4);
    EXPECT_EQ(day->winVotes(0)[1], 100'000);

    win::stakeSimulation(*day, 0, 2, 99);
    EXPECT_EQ(day->winTotal(0), 1'000'000) << "a new simulation starts from the record";
    EXPECT_EQ(day->winVotes(0)[0], 100'000);
    EXPECT_EQ(day->winVotes(0)[1], 100'000);

    EXPECT_THROW(win::stakeSimulation(*day, 0, 19, 100), std::runtime_error);
    EXPECT_THROW(win::stakeSimulation(*day, 0, 1, 10'000'000), std::runtime_error);
}

TEST(WinModel, OddsSimulationAccepted)
{
    auto day = dayWith(test::exampleWinRace());
    const win::OddsOutcome out = win::oddsSimulation(*day, 0, 1, 10.0L);
    EXPECT_EQ(out.result, sim::SimResult::Accepted);
    EXPECT_NEAR(out.excess, 21'739.13, 0.01);
    EXPECT_EQ(out.amount, 2'173'900);
    EXPECT_EQ(day->winVotes(0)[0], 78'261);
    EXPECT_EQ(day->winTotal(0), 978'261);
    EXPECT_LT(*win::virtualOdds(*day, 0, 1), 10.0L);
    EXPECT_GT(*win::virtualOdds(*day, 0, 1), 9.9999L);
}

TEST(WinModel, OddsSimulationRejections)
{
    auto day = dayWith(test::exampleWinRace());
    // The stored-double steps give y = -124,999.99999999999, so e = -124,999.
    const win::OddsOutcome low = win::oddsSimulation(*day, 0, 1, 4.0L);
    EXPECT_EQ(low.result, sim::SimResult::Unrealistic);
    EXPECT_EQ(low.amount, 0);
    EXPECT_NEAR(low.excess, -124'999.99999999999, 1e-6);
    EXPECT_EQ(day->winVotes(0)[0], 100'000) << "refused: nothing changes";
    EXPECT_EQ(day->winTotal(0), 1'000'000);

    for (long double x : {1.0L, 0.5L, std::numeric_limits<long double>::quiet_NaN()}) {
        EXPECT_EQ(win::oddsSimulation(*day, 0, 1, x).result, sim::SimResult::NotAboveOne);
        EXPECT_EQ(day->winVotes(0)[0], 100'000);
        EXPECT_EQ(day->winTotal(0), 1'000'000);
    }
}

TEST(WinModel, OddsSimulationFailsOnBlankOrZeroFigures)
{
    auto zero = dayWith(H1Record().winTotal(0).win(1, 0));
    EXPECT_THROW(win::oddsSimulation(*zero, 0, 1, 0.5L), std::runtime_error) << "the total is read before the odds";
    auto blank = dayWith(test::exampleWinRace().win(2, -1));
    zero->winTotal(0) = 42;
    try {
        win::oddsSimulation(*blank, 0, 2, 9.0L);
        FAIL() << "a blank runner cannot be simulated";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(QString::fromUtf8(e.what()).indexOf(QStringLiteral("馬番 2")), -1) << e.what();
    }
    EXPECT_EQ(blank->winVotes(0)[1], -1) << "the figures are the record's";
    EXPECT_EQ(blank->winTotal(0), 1'000'000);
}
