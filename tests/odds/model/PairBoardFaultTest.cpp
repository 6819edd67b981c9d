// Found by fuzzing the day load: a pool near the 32-bit limit overflowed the
// virtual quinella figures in both simulations. They are refused now, naming
// the race, and leave the record's figures.
#include "odds/model/PairBoard.h"
#include "support/RaceFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

using namespace tavek::sim;
using tavek::pools::PairKind;
using tavek::test::H1Record;

namespace {

struct Slot {
    int total = -1;
    std::array<int, 153> votes{};
    PairFigures figures() { return {total, votes}; }
};

// A refusal names the race, and the figures are the record's afterwards.
template <typename Simulation>
void expectOutOfRange(Slot& slot, int total, int pairVotes, Simulation simulate)
{
    try {
        simulate();
        FAIL() << "a simulation beyond 32 bits must be refused";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("2005041605020811"))) << e.what();
    }
    EXPECT_EQ(slot.total, total);
    EXPECT_EQ(slot.votes[0], pairVotes);
}

}  // namespace

TEST(PairBoardFault, FiguresBeyond32BitsAreRefused)
{
    const H1Record race = H1Record().quinellaTotal(2'120'000'000).quinella(1, 100'000'000);
    PairBoard board(PairKind::Quinella);
    Slot slot;
    board.calculate(race, slot.figures());
    // Odds 1.5 on a pair at about 15.9 put back some 1.9 billion votes.
    expectOutOfRange(slot, 2'120'000'000, 100'000'000,
                     [&] { board.simulateOdds(race, slot.figures(), u" 1- 2", 1.5); });
    const H1Record full = H1Record().quinellaTotal(2'147'480'000).quinella(1, 5);
    expectOutOfRange(slot, 2'147'480'000, 5, [&] { board.simulateStake(full, slot.figures(), u" 1- 2", 9'999'999); });
    // Within range, the same race still simulates.
    EXPECT_EQ(board.simulateStake(full, slot.figures(), u" 1- 2", 300), SimResult::Accepted);
    EXPECT_EQ(slot.total, 2'147'480'003);
}
