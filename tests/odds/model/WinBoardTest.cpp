#include "odds/model/WinBoard.h"
#include "support/RaceFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

using namespace tavek;
using sim::SimResult;
using test::H1Record;

namespace {

// Slot 0: the win model's example race (total 1,000,000, horse 1 with
// 100,000); slot 1: `second`.
std::unique_ptr<DayData> exampleDay(const H1Record& second = H1Record().registered(0))
{
    auto day = std::make_unique<DayData>();
    const H1Record first = test::exampleWinRace();
    std::copy(first.bytes().begin(), first.bytes().end(), day->VoteRecords[0].begin());
    std::copy(second.bytes().begin(), second.bytes().end(), day->VoteRecords[1].begin());
    return day;
}

}  // namespace

TEST(WinBoard, CalculationMakesTheRaceCurrentAndClearsTheInputTexts)
{
    auto day = exampleDay(test::exampleWinRace().registered(12));
    win::WinBoard board(*day);
    ASSERT_TRUE(board.calculate(1));
    EXPECT_EQ(board.race(), 1);
    EXPECT_EQ(board.runners(), 12);
    EXPECT_EQ(board.total(), "  1,000,000");
    EXPECT_EQ(board.header().runners, QStringLiteral("12頭"));
    EXPECT_EQ(board.rowBracket(12), 8);
    EXPECT_EQ(board.cellText(1, 8), "   100000");
    board.simulateStake(1, 150'000);
    ASSERT_TRUE(board.calculate(1));
    EXPECT_EQ(board.cellText(1, 6), " ");
    EXPECT_EQ(board.cellText(1, 8), "   100000");
    EXPECT_TRUE(board.virtualTotal().isEmpty());
}

TEST(WinBoard, NoRunnersNoCalculation)
{
    auto day = exampleDay();
    win::WinBoard board(*day);
    ASSERT_TRUE(board.calculate(0));
    board.simulateStake(3, 5000);
    EXPECT_FALSE(board.calculate(1));
    EXPECT_EQ(board.race(), 0);
    EXPECT_EQ(board.cellText(3, 6), "      5,000");
}

TEST(WinBoard, DialogResultsAndTheTextsTheyLeave)
{
    auto day = exampleDay();
    win::WinBoard board(*day);
    board.calculate(0);
    EXPECT_TRUE(board.virtualTotal().isEmpty());

    EXPECT_EQ(board.simulateStake(1, 150'000), SimResult::Accepted);
    EXPECT_EQ(board.cellText(1, 6), "    150,000");
    EXPECT_EQ(board.cellText(1, 7), " ");
    EXPECT_EQ(board.cellText(1, 10), "      7.9");
    EXPECT_EQ(board.cellText(1, 9), "     10.1");
    EXPECT_EQ(board.virtualTotal(), "  1,001,500");

    EXPECT_EQ(board.simulateOdds(1, 10.0L), SimResult::Accepted);
    EXPECT_EQ(board.cellText(1, 6), "  2,173,900");
    EXPECT_EQ(board.cellText(1, 7), "     10.0");
    EXPECT_EQ(board.cellText(1, 10), "     10.0");
    EXPECT_EQ(board.virtualTotal(), "    978,261");

    // A refused odds changes no figure and no text: the last simulation stays.
    for (long double refused : {1.0L, 4.0L}) {
        EXPECT_NE(board.simulateOdds(1, refused), SimResult::Accepted);
        EXPECT_EQ(board.cellText(1, 6), "  2,173,900");
        EXPECT_EQ(board.cellText(1, 7), "     10.0");
        EXPECT_EQ(board.cellText(1, 8), "    78261");
        EXPECT_EQ(board.virtualTotal(), "    978,261");
    }
    EXPECT_EQ(board.refusalMessage(1, SimResult::Unrealistic),
              QStringLiteral("非現実的な数値が入力されました。現在のオッズ 8.0 倍より大きい数字を入力してください。"));

    // Below one vote: the amount shows, no vote is added.
    board.simulateStake(2, 99);
    EXPECT_EQ(board.cellText(1, 6), " ");
    EXPECT_EQ(board.cellText(2, 6), "         99");
    EXPECT_EQ(board.cellText(1, 8), "   100000");
    EXPECT_EQ(board.cellText(2, 8), "   100000");
    EXPECT_EQ(board.virtualTotal(), "  1,000,000");
}

TEST(WinBoard, ASecondSimulationOnAnotherRunnerClearsTheFirst)
{
    auto day = exampleDay();
    win::WinBoard board(*day);
    board.calculate(0);
    board.simulateOdds(1, 10.0L);
    board.simulateStake(2, 150'000);
    EXPECT_EQ(board.cellText(1, 6), " ");
    EXPECT_EQ(board.cellText(1, 7), " ");
    EXPECT_EQ(board.cellText(1, 8), "   100000");
    EXPECT_EQ(board.cellText(2, 6), "    150,000");
}

TEST(WinBoard, AFailedOddsSimulationLeavesTheTexts)
{
    auto day = exampleDay();
    win::WinBoard board(*day);
    board.calculate(0);
    board.simulateStake(1, 150'000);
    const H1Record noTotal = test::exampleWinRace().winTotal(0);
    std::copy(noTotal.bytes().begin(), noTotal.bytes().end(), day->VoteRecords[0].begin());
    EXPECT_THROW(board.simulateOdds(1, 10.0L), std::runtime_error);
    EXPECT_EQ(board.cellText(1, 6), "    150,000");
    EXPECT_EQ(board.virtualTotal(), "  1,001,500");
}
