#include "odds/model/PairBoard.h"
#include "racedata/RecordLayout.h"
#include "support/RaceFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

using namespace tavek::sim;
using tavek::pools::PairKind;
using tavek::test::H1Record;

namespace {

// A quinella race: 1,000,000 votes, pair 1-2 (k 1) 32,000, pair 1-3 (k 2) 20,000,
// pair 1-4 (k 3) without votes.
H1Record quinellaRace(const char* date = "20050416")
{
    H1Record b(tavek::test::raceKey(date));
    b.quinellaTotal(1000000).quinella(1, 32000).quinella(2, 20000).quinella(3, 0);
    for (int k = 4; k <= 153; ++k)
        b.quinella(k, 6000);
    return b;
}

struct Slot {
    int total = -1;
    std::array<int, 153> votes{};
    PairFigures figures() { return {total, votes}; }
};

}  // namespace

TEST(PairBoard, QuinellaCalculationShowsRealOddsAndTotal)
{
    PairBoard board(PairKind::Quinella);
    Slot slot;
    board.calculate(quinellaRace(), slot.figures());
    EXPECT_EQ(board.real(1).text, "  23.4");
    EXPECT_EQ(board.real(2).text, "  37.5");
    EXPECT_EQ(board.real(3).text, " ");
    EXPECT_EQ(board.realTotal(), "  1,000,000");
    EXPECT_EQ(board.virtualTotal(), "");
    EXPECT_EQ(board.virtualCell(1).text, "");
    EXPECT_EQ(slot.total, 1000000);
    EXPECT_EQ(slot.votes[0], 32000);
    EXPECT_EQ(slot.votes[2], 0);
}

TEST(PairBoard, BlankRecordShowsBlanksAndZeroTotal)
{
    PairBoard board(PairKind::Quinella);
    Slot slot;
    board.calculate(QByteArray(28955, ' '), slot.figures());
    EXPECT_EQ(board.real(1).text, " ");
    EXPECT_EQ(board.realTotal(), "          0");
    EXPECT_EQ(slot.total, -1);
    EXPECT_EQ(slot.votes[152], -1);
    EXPECT_EQ(board.clickReal(1), 0);
    EXPECT_EQ(board.clickVirtual(1), 0);
}

TEST(PairBoard, StakeSimulationMovesEveryPair)
{
    PairBoard board(PairKind::Quinella);
    Slot slot;
    const auto race = quinellaRace();
    board.calculate(race, slot.figures());
    EXPECT_EQ(board.simulateStake(race, slot.figures(), u" 1- 2", 1000000), SimResult::Accepted);
    EXPECT_EQ(board.virtualTotal(), "  1,010,000");
    EXPECT_EQ(board.virtualCell(1).text, "  18.0");
    EXPECT_EQ(board.virtualCell(2).text, "  37.9");
    EXPECT_EQ(board.virtualCell(3).text, "");
    EXPECT_EQ(board.excess(), "  1,000,000円");
    EXPECT_EQ(board.real(1).text, "  23.4");

    // 99 yen buys no vote but is shown as entered; a second simulation
    // replaces the first.
    board.simulateStake(race, slot.figures(), u" 1- 3", 99);
    EXPECT_EQ(slot.total, 1000000);
    EXPECT_EQ(board.virtualCell(1).text, "  23.4");
    EXPECT_EQ(board.excess(), "         99円");
    board.simulateStake(race, slot.figures(), u" 1- 3", 150);
    EXPECT_EQ(slot.votes[1], 20001);
    EXPECT_EQ(board.excess(), "        150円");
}

TEST(PairBoard, OddsSimulationTakesOutTheExcessVotes)
{
    PairBoard board(PairKind::Quinella);
    Slot slot;
    const auto race = quinellaRace();
    board.calculate(race, slot.figures());
    EXPECT_EQ(board.simulateOdds(race, slot.figures(), u" 1- 2", 25.0), SimResult::Accepted);
    EXPECT_EQ(slot.votes[0], 29939);
    EXPECT_EQ(slot.total, 997939);
    EXPECT_EQ(board.virtualCell(1).text, "  25.0");
    EXPECT_EQ(board.virtualTotal(), "    997,939");
    EXPECT_EQ(board.excess(), "    206,100円");

    // At or below the current odds: refused, nothing shown changes.
    EXPECT_EQ(board.simulateOdds(race, slot.figures(), u" 1- 2", 20.0), SimResult::Unrealistic);
    EXPECT_EQ(board.excess(), "    206,100円");
    EXPECT_EQ(board.virtualCell(1).text, "  25.0");
    EXPECT_EQ(board.simulateOdds(race, slot.figures(), u" 1- 2", 1.0), SimResult::NotAboveOne);
    EXPECT_EQ(slot.votes[0], 32000);
    EXPECT_EQ(board.simulateOdds(race, slot.figures(), u" 1- 2", 1.1), SimResult::Unrealistic);
    EXPECT_EQ(board.simulateOdds(race, slot.figures(), u"1-2", 25.0), SimResult::None);
}

TEST(PairBoard, OddsSimulationWithoutFiguresIsAClearError)
{
    PairBoard board(PairKind::Quinella);
    Slot slot;
    H1Record race;
    race.quinella(1, 100);
    // A blank total holds no votes to simulate on: refused before any figure moves.
    EXPECT_EQ(board.simulateOdds(race, slot.figures(), u" 1- 2", 5.0), SimResult::NoVotes);
    race.quinellaTotal(0);
    try {
        board.simulateOdds(race, slot.figures(), u" 1- 2", 5.0);
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("2005041605020811"), std::string::npos);
    }
}

TEST(PairBoard, LaterRacesPayOutMore)
{
    PairBoard board(PairKind::Quinella);
    Slot slot;
    const auto race = quinellaRace("20140607");
    board.calculate(race, slot.figures());
    EXPECT_EQ(board.real(1).text, "  24.2");  // 1,000,000 x 0.775 / 32,000 = 24.21875
    EXPECT_EQ(board.real(2).text, "  38.8");  // 38.75
    // d = (25 x 32,000 - 0.775 x 1,000,000) / (25 - 0.775) = 1031.99...
    EXPECT_EQ(board.simulateOdds(race, slot.figures(), u" 1- 2", 25.0), SimResult::Accepted);
    EXPECT_EQ(slot.votes[0], 30969);
    EXPECT_EQ(board.excess(), "    103,100円");
    EXPECT_EQ(board.virtualCell(1).text, "  25.0");
    board.simulateStake(race, slot.figures(), u" 1- 2", 1000000);
    EXPECT_EQ(board.virtualCell(1).text, "  18.6");  // 1,010,000 x 0.775 / 42,000 = 18.637
}

TEST(PairBoard, ClickRulesMarkOnlyPairsWithRealOdds)
{
    PairBoard board(PairKind::Quinella);
    Slot slot;
    board.calculate(quinellaRace(), slot.figures());
    EXPECT_EQ(board.clickReal(2), 2);
    EXPECT_TRUE(board.real(2).selected);
    EXPECT_EQ(board.clickVirtual(1), 1);
    EXPECT_FALSE(board.real(2).selected);
    EXPECT_FALSE(board.real(2).mark);
    EXPECT_TRUE(board.virtualCell(1).selected);

    // A pair without votes opens nothing from either side and unselects all.
    EXPECT_EQ(board.clickVirtual(3), 0);
    EXPECT_TRUE(board.virtualCell(3).mark);
    EXPECT_FALSE(board.virtualCell(3).selected);
    EXPECT_FALSE(board.virtualCell(1).selected);
    EXPECT_EQ(board.clickReal(3), 0);
    EXPECT_FALSE(board.real(3).mark);

    // A real click keeps the virtual marks but not their colour.
    board.clickVirtual(1);
    board.clickReal(2);
    EXPECT_TRUE(board.virtualCell(1).mark);
    EXPECT_FALSE(board.virtualCell(1).selected);

    // Race selection clears texts and marks, not colours.
    board.clear();
    EXPECT_EQ(board.real(2).text, "");
    EXPECT_FALSE(board.real(2).mark);
    EXPECT_TRUE(board.real(2).selected);
    EXPECT_EQ(board.realTotal(), "");
}

TEST(PairBoard, BracketPairsIncludeSameBracket)
{
    PairBoard board(PairKind::Bracket);
    int total = -1;
    std::array<int, 36> votes{};
    H1Record race;
    race.bracketTotal(200000).bracket(9, 6000).bracket(1, 0);
    board.calculate(race, {total, votes});
    EXPECT_EQ(board.real(9).text, "  25.0");
    EXPECT_EQ(board.real(1).text, " ");
    EXPECT_EQ(board.real(2).text, " ");
    EXPECT_EQ(board.realTotal(), "    200,000");
    EXPECT_EQ(board.clickReal(9), 9);
    EXPECT_EQ(board.simulateStake(race, {total, votes}, u" 2- 2", 600000), SimResult::Accepted);
    EXPECT_EQ(board.virtualCell(9).text, "  12.9");  // 206,000 x 0.75 / 12,000 = 12.875
}

TEST(PairBoard, FieldThatIsNoNumberShowsBlankButCannotBeSimulated)
{
    PairBoard board(PairKind::Quinella);
    Slot slot;
    auto race = quinellaRace();
    race.put(tavek::layout::quinellaVotes(5), "  12x      ");
    board.calculate(race, slot.figures());
    EXPECT_EQ(board.real(5).text, " ");
    EXPECT_EQ(slot.votes[4], -1);
    EXPECT_EQ(board.real(4).text, " 125.0");
    EXPECT_EQ(board.simulateOdds(race, slot.figures(), u" 1- 6", 500.0), SimResult::NoVotes);
}

// A quick report reloads the votes of the race on screen: the last simulation
// runs again on them, or is dropped with a note; another race forgets it.
TEST(PairBoard, TheSameRaceCalculatedAgainRunsTheLastSimulationOnTheFreshVotes)
{
    PairBoard board(PairKind::Quinella);
    Slot slot;
    board.calculate(quinellaRace(), slot.figures());
    board.simulateStake(quinellaRace(), slot.figures(), u" 1- 2", 1000000);
    board.calculate(quinellaRace().quinellaTotal(2000000), slot.figures());
    EXPECT_EQ(board.virtualTotal(), "  2,010,000");
    EXPECT_EQ(board.excess(), "  1,000,000円");
    EXPECT_TRUE(board.dropped().isEmpty());

    board.calculate(quinellaRace("20050417"), slot.figures());
    board.calculate(quinellaRace(), slot.figures());
    EXPECT_EQ(board.virtualTotal(), "") << "another race in between";

    ASSERT_EQ(board.simulateOdds(quinellaRace(), slot.figures(), u" 1- 2", 25.0), SimResult::Accepted);
    board.calculate(quinellaRace().quinella(1, 20000), slot.figures());  // the odds now 37.5
    EXPECT_EQ(board.virtualTotal(), "");
    EXPECT_TRUE(board.dropped().startsWith(QStringLiteral("馬連 1- 2 の"))) << board.dropped().toStdString();
    EXPECT_TRUE(board.dropped().contains(QStringLiteral("37.5"))) << board.dropped().toStdString();
}
