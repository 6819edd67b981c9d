#include "simulation/model/StakeAdvisor.h"

#include <cmath>
#include <limits>

namespace tavek::advice {

namespace {

// P O(x) - 1 scaled to integers: P = n / d and O = o / 10 give
// (n o - 10 d) / (10 d); products of a large pool's odds and a fine
// probability pass 64 bits.
__extension__ typedef __int128 Wide;

Wide edge(Fraction prob, long long tenths)
{
    return Wide(prob.numerator) * tenths - Wide(10) * prob.denominator;
}

long long roundedQuotient(Wide numerator, Wide denominator)
{
    const Wide half = denominator / 2;
    return static_cast<long long>(numerator >= 0 ? (numerator + half) / denominator
                                                 : -((-numerator + half) / denominator));
}

// The growth of a stake of x votes at odds `tenths`, bankroll w.
double growthAt(double p, long long w, long long x, long long tenths)
{
    if (x * kVoteYen >= w)
        return -std::numeric_limits<double>::infinity();
    const double win = double(10 * x * (tenths - 10)) / double(w);
    const double lose = -double(x * kVoteYen) / double(w);
    return p * std::log1p(win) + (1 - p) * std::log1p(lose);
}

}  // namespace

long long payoutTenths(const Bet& bet, long long x)
{
    const long long numerator = 10LL * bet.rate.numerator * (bet.pool + x);
    const long long denominator = static_cast<long long>(bet.rate.denominator) * (bet.votes + x);
    return std::max(10LL, numerator / denominator);
}

long long expectedValue(const Bet& bet, Fraction prob, long long x)
{
    // 100 x (n o - 10 d) / (10 d) yen.
    return roundedQuotient(Wide(10) * x * edge(prob, payoutTenths(bet, x)), prob.denominator);
}

double growth(const Bet& bet, Fraction prob, long long bankroll, long long x)
{
    return growthAt(prob.value(), bankroll, x, payoutTenths(bet, x));
}

Advice advise(const Bet& bet, const AdviceInput& input)
{
    const long long w = input.bankroll;
    const long long most = w / kVoteYen;  // 100 x <= W
    const double p = input.prob.value();

    Advice advice;
    Wide bestEv = 0;  // x (n o - 10 d): EV up to a positive factor
    double bestGrowth = 0;
    long long kellyVotes = 0;
    for (long long x = 1; x <= most; ++x) {
        const long long tenths = payoutTenths(bet, x);
        const Wide e = edge(input.prob, tenths);
        if (e <= 0)
            continue;  // no EV above 0, and by Jensen no growth above that of no stake
        if (x * e > bestEv) {
            bestEv = x * e;
            advice.maxEvStake = x * kVoteYen;
        }
        const double g = growthAt(p, w, x, tenths);
        if (g > bestGrowth) {
            bestGrowth = g;
            kellyVotes = x;
        }
    }
    for (long long x = most; x >= 1; --x)
        if (edge(input.prob, payoutTenths(bet, x)) >= 0) {
            advice.breakEvenStake = x * kVoteYen;
            break;
        }
    advice.kellyFullStake = kellyVotes * kVoteYen;
    advice.kellyStake = kellyVotes * input.kelly.numerator / input.kelly.denominator * kVoteYen;
    return advice;
}

std::vector<CurvePoint> curve(const Bet& bet, long long to, long long step)
{
    std::vector<CurvePoint> points;
    points.reserve(size_t(to / step + 1));
    for (long long s = 0; s <= to; s += step)
        points.push_back({s, payoutTenths(bet, s / kVoteYen)});
    return points;
}

Dutching dutch(const std::vector<Bet>& bets, long long total)
{
    Dutching result;
    if (bets.empty())
        return result;
    std::vector<long long> votes(bets.size(), 0);
    Bet moved = bets.front();  // the pool as the stakes so far leave it
    auto odds = [&](size_t i) {
        moved.votes = bets[i].votes + votes[i];
        return payoutTenths(moved, 0);
    };
    for (long long n = total / kVoteYen; n > 0; --n) {
        size_t lowest = 0;
        long long lowestReturn = std::numeric_limits<long long>::max();
        for (size_t i = 0; i < bets.size(); ++i) {
            const long long r = votes[i] * odds(i);
            if (r < lowestReturn) {
                lowestReturn = r;
                lowest = i;
            }
        }
        ++votes[lowest];
        ++moved.pool;
    }
    result.minPayout = std::numeric_limits<long long>::max();
    for (size_t i = 0; i < bets.size(); ++i) {
        const long long tenths = odds(i);
        const DutchTicket t{bets[i], votes[i] * kVoteYen, tenths, votes[i] * tenths * 10};
        result.minPayout = std::min(result.minPayout, t.payout);
        result.tickets.push_back(t);
    }
    return result;
}

}  // namespace tavek::advice
