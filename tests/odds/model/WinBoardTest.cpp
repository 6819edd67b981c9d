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
    day->setVoteRecord(0, first.bytes());
    day->setVoteRecord(1, second.bytes());
    return day;
}

}  // namespace

TEST(WinBoard, CalculationOfAnotherRaceMakesItCurrentAndForgetsTheSimulation)
{
    auto day = exampleDay(test::exampleWinRace(test::raceKey("20050416", "05", 1)).registered(12));
    win::WinBoard board(*day);
    ASSERT_TRUE(board.calculate(1));
    EXPECT_EQ(board.race(), 1);
    EXPECT_EQ(board.runners(), 12);
    EXPECT_EQ(board.total(), "  1,000,000");
    EXPECT_EQ(board.header().runners, QStringLiteral("12頭"));
    EXPECT_EQ(board.rowBracket(12), 8);
    EXPECT_EQ(board.cellText(1, 8), "   100,000");
    board.simulateStake(1, 150'000);
    ASSERT_TRUE(board.calculate(0));
    ASSERT_TRUE(board.calculate(1));
    EXPECT_EQ(board.cellText(1, 6), " ");
    EXPECT_EQ(board.cellText(1, 8), "   100,000");
    EXPECT_TRUE(board.virtualTotal().isEmpty());
    EXPECT_TRUE(board.dropped().isEmpty()) << "another race drops nothing to report";
}

// A quick report reloads the votes of the race on screen: its last simulation
// runs again on them or, refused now, is dropped with a note.
TEST(WinBoard, TheSameRaceCalculatedAgainRunsTheLastSimulationOnTheFreshVotes)
{
    struct Case {
        const char* name;
        bool stake;  // else odds 10.0 on horse 1
        H1Record fresh;
        QString amount;  // column 6 of horse 1 afterwards
        QString virtualTotal;
        QString note;  // in dropped()
    };
    const Case cases[] = {
        {"stake kept", true, test::exampleWinRace().winTotal(1'100'000), "    150,000", "  1,101,500", {}},
        {"odds kept", false, test::exampleWinRace(), "  2,173,900", "    978,261", {}},
        {"odds no longer above the current",
         false,
         test::exampleWinRace().win(1, 50'000),
         " ",
         {},
         QStringLiteral("現在のオッズ 16.0 倍")},
        {"runner scratched since", true, test::exampleWinRace().refund(1), " ", {}, QStringLiteral("返還")},
    };
    for (const Case& c : cases) {
        auto day = exampleDay();
        win::WinBoard board(*day);
        board.calculate(0);
        ASSERT_EQ(c.stake ? board.simulateStake(1, 150'000) : board.simulateOdds(1, 10.0L), SimResult::Accepted);
        day->setVoteRecord(0, c.fresh.bytes());
        ASSERT_TRUE(board.calculate(0)) << c.name;
        EXPECT_EQ(board.cellText(1, 6), c.amount) << c.name;
        EXPECT_EQ(board.virtualTotal(), c.virtualTotal) << c.name;
        if (c.note.isEmpty()) {
            EXPECT_TRUE(board.dropped().isEmpty()) << c.name;
        } else {
            EXPECT_TRUE(board.dropped().startsWith(QStringLiteral("単勝 1番 の"))) << c.name;
            EXPECT_TRUE(board.dropped().contains(c.note)) << c.name << ": " << board.dropped().toStdString();
            board.calculate(0);
            EXPECT_TRUE(board.dropped().isEmpty()) << c.name << ": dropped once, not at every refresh";
        }
    }
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
        EXPECT_EQ(board.cellText(1, 8), "    78,261");
        EXPECT_EQ(board.virtualTotal(), "    978,261");
    }
    EXPECT_EQ(board.refusalMessage(1, SimResult::Unrealistic),
              QStringLiteral("非現実的な数値が入力されました。現在のオッズ 8.0 倍より大きい数字を入力してください。"));

    // Below one vote: the amount shows, no vote is added.
    board.simulateStake(2, 99);
    EXPECT_EQ(board.cellText(1, 6), " ");
    EXPECT_EQ(board.cellText(2, 6), "         99");
    EXPECT_EQ(board.cellText(1, 8), "   100,000");
    EXPECT_EQ(board.cellText(2, 8), "   100,000");
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
    EXPECT_EQ(board.cellText(1, 8), "   100,000");
    EXPECT_EQ(board.cellText(2, 6), "    150,000");
}

TEST(WinBoard, AFailedOddsSimulationLeavesTheTexts)
{
    auto day = exampleDay();
    win::WinBoard board(*day);
    board.calculate(0);
    board.simulateStake(1, 150'000);
    const H1Record noTotal = test::exampleWinRace().winTotal(0);
    day->setVoteRecord(0, noTotal.bytes());
    EXPECT_THROW(board.simulateOdds(1, 10.0L), std::runtime_error);
    EXPECT_EQ(board.cellText(1, 6), "    150,000");
    EXPECT_EQ(board.virtualTotal(), "  1,001,500");
}
