#pragma once

#include "advisor/model/AdvisorBet.h"

#include <optional>
#include <vector>

// How much to bet when the stake itself moves the odds. A stake of x votes
// (100 yen each) joins both the bet's votes and its pool, and the payout
// follows JRA's rule: per 100 yen, pool x rate / votes, truncated to 10 yen,
// never below 100 yen. Everything here is exact: odds are integers in tenths,
// the rate and the bettor's probability fractions, and the searches walk the
// whole 100-yen grid.
namespace tavek::advice {

// The largest bankroll, curve end or dutching total the advisor takes.
inline constexpr long long kMaxYen = 100'000'000;

// A non-negative exact fraction, numerator / denominator (denominator > 0).
struct Fraction {
    long long numerator = 0;
    long long denominator = 1;
    double value() const { return double(numerator) / double(denominator); }
};

// O(x) in tenths: max(10, floor(10 x rate x (T + x) / (v + x))). Needs v + x > 0.
// Place and wide: the lower end of the range, the racing law's payout with
// the most-backed other winners (pools::paidOddsTenths).
long long payoutTenths(const Bet& bet, long long x);
// The upper end of a place or wide range after a stake of x votes; O(x) for
// the other pools.
long long payoutHighTenths(const Bet& bet, long long x);

// EV(x) = 100 x (P O(x) - 1) yen, rounded to the yen (halves away from zero).
long long expectedValue(const Bet& bet, Fraction prob, long long x);

// The expected logarithmic growth of the bankroll from a stake of x votes:
// P ln(1 + 100x (O(x) - 1) / W) + (1 - P) ln(1 - 100x / W); minus infinity
// when the stake is the whole bankroll.
double growth(const Bet& bet, Fraction prob, long long bankroll, long long x);

struct AdviceInput {
    Fraction prob;           // P, strictly between 0 and 1
    long long bankroll = 0;  // W, yen
    Fraction kelly{1, 1};    // F, above 0 and at most 1
};

// The three stakes, in yen (multiples of 100).
struct Advice {
    long long maxEvStake = 0;      // the largest EV, the smallest such stake; 0 when no EV is above 0
    long long breakEvenStake = 0;  // the largest stake with P O >= 1; 0 when none
    long long kellyFullStake = 0;  // the stake of the largest expected log growth
    long long kellyStake = 0;      // kellyFullStake x F, down to 100 yen
    // The bankroll cut the stake: another 100 yen would bring a larger EV,
    // or would still break even (then no break-even lies within it).
    bool maxEvCut = false;
    bool breakEvenCut = false;
};
Advice advise(const Bet& bet, const AdviceInput& input);

// The payout odds after stakes of 0, step, 2 step, ... up to `to` yen.
struct CurvePoint {
    long long stake = 0;       // yen
    long long oddsTenths = 0;  // O(x)
};
std::vector<CurvePoint> curve(const Bet& bet, long long to, long long step);

// Dutching: `total` yen spread over bets of one pool, 100 yen at a time, each
// to the bet whose return (stake x payout odds, with every stake so far in the
// pool) is lowest, ties to the bet listed first. Place and wide count the
// lower end, with the stakes on the other bets among the other winners' votes.
struct DutchTicket {
    Bet bet;
    long long stake = 0;       // yen
    long long oddsTenths = 0;  // with every stake in the pool
    long long payout = 0;      // yen: stake x odds
};
struct Dutching {
    std::vector<DutchTicket> tickets;
    long long minPayout = 0;
};
Dutching dutch(const std::vector<Bet>& bets, long long total);

// The same steps until every bet pays at least `target` yen: the least total
// they reach it with, every bet at least 100 yen; none when it would pass
// `limit` yen. A bet without votes pays nothing until it is staked.
std::optional<Dutching> dutchToPayout(const std::vector<Bet>& bets, long long target, long long limit);

}  // namespace tavek::advice
