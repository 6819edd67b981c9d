#include "pools/Payout.h"
#include "racedata/NumberFormat.h"

#include <gtest/gtest.h>

using namespace tavek;
using pools::PayoutRate;
using pools::WinningSet;

namespace {

constexpr PayoutRate kWin{4, 5}, kPair{31, 40};

struct Case {
    const char* what;
    PayoutRate rate;
    WinningSet set;
    long long votes, total;
    long long paidTenths;
    const char* shown;  // the exact odds as the boards show them; none for a shared payout
};

// Paid odds worked by hand from (W + D / K) x rate, cut to 0.1, at least 1.0.
const Case kCases[] = {
    {"exact 2.666... shows as 2.7, paid as 2.6", kWin, {}, 300, 1000, 26, "   2.7"},
    {"a whole tenth is paid as it is", kWin, {}, 3, 81, 216, "  21.6"},
    {"89.9 exactly, not 89.89... cut to 89.8", kPair, {}, 3, 348, 899, "  89.9"},
    {"exact 1.05 shows as 1.1, paid as 1.0", kWin, {}, 800, 1050, 10, "   1.1"},
    {"below 1.0 the floor pays 1.0", kWin, {}, 900, 1000, 10, "   0.9"},
    {"place of three: (100 + 600 / 3) x 0.8 / 100", kWin, {3, 300}, 100, 1000, 24, nullptr},
    {"place of two: (300 + 200 / 2) x 0.8 / 300 = 1.066...", kWin, {2, 500}, 300, 1000, 10, nullptr},
    {"place at the floor: (900 + 50 / 2) x 0.8 / 900", kWin, {2, 50}, 900, 1000, 10, nullptr},
    {"wide: (50 + 800 / 3) x 0.775 / 50 = 4.908...", kPair, {3, 150}, 50, 1000, 49, nullptr},
};

}  // namespace

TEST(Payout, PaidOddsAreCutAndFlooredAndBoardsRoundTheExactOdds)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(pools::paidOddsTenths(c.rate, c.set, c.votes, c.total), c.paidTenths);
        if (!c.shown)
            continue;
        EXPECT_EQ(pools::paidOddsTenths(c.rate, c.votes, c.total), c.paidTenths);
        EXPECT_EQ(fmt::odds6(pools::exactOdds(c.rate.value(), c.total, c.votes)), c.shown);
    }
}
