#pragma once

#include "pools/VotePools.h"

#include <QString>

#include <algorithm>

// The two odds rules of the program. Paid odds are what JRA pays back per 100
// yen on a winning entry: the pool's paid-back part shared out over the
// winning votes, cut to 10 yen (0.1) and never below 100 yen (1.0). Exact
// odds are the odds the win, bracket quinella and quinella boards have always
// shown: pool x rate / votes, uncut, shown rounded to 0.1 (fmt::odds6). One
// bet can thus read 2.7 on a board and 2.6 where payouts are counted.
namespace tavek::pools {

// The winning entries of a pool beside the one paid: how many entries win in
// all (K) and the votes of the other K - 1. Place and wide pay several.
struct WinningSet {
    int winners = 1;
    long long others = 0;
};

// JRA's paid odds in tenths for `votes` (> 0) that win together with `set`
// in a pool of `total` votes, by the racing law's formula: each of the K
// winning entries gets (W + D / K) x rate, W its own votes and D the votes of
// every losing entry (total - W - others). In integers:
// floor(10 rate (K W + D) / (K W)), JRA's cut to 10 yen, never below 10.
// Inline: a season's statistics ask for millions.
inline long long paidOddsTenths(PayoutRate rate, WinningSet set, long long votes, long long total)
{
    const long long losing = total - votes - set.others;
    const long long numerator = 10LL * rate.numerator * (set.winners * votes + losing);
    const long long denominator = static_cast<long long>(rate.denominator) * set.winners * votes;
    return std::max(10LL, numerator / denominator);
}

// The same for a pool with one winning entry (win, bracket quinella,
// quinella, exacta, trio): floor(10 rate total / votes), never below 10.
inline long long paidOddsTenths(PayoutRate rate, long long votes, long long total)
{
    return paidOddsTenths(rate, WinningSet{}, votes, total);
}

// The exact odds total x rate / votes (votes > 0) in extended precision, as
// the boards show them.
long double exactOdds(long double rate, long long total, long long votes);

// The note that tells a bettor the two rules apart, where both kinds of odds
// are shown: the win, bracket quinella and quinella boards and 資金配分.
QString oddsRulesNote();

}  // namespace tavek::pools
