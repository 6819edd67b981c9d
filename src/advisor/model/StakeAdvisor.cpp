#include "advisor/model/StakeAdvisor.h"

#include <cmath>
#include <limits>
#include <optional>
#include <queue>

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
    if (x * pools::kYenPerVote >= w)
        return -std::numeric_limits<double>::infinity();
    const double win = double(10 * x * (tenths - 10)) / double(w);
    const double lose = -double(x * pools::kYenPerVote) / double(w);
    return p * std::log1p(win) + (1 - p) * std::log1p(lose);
}

}  // namespace

long long payoutTenths(const Bet& bet, long long x)
{
    return pools::paidOddsTenths(bet.rate, bet.low, bet.votes + x, bet.pool + x);
}

long long payoutHighTenths(const Bet& bet, long long x)
{
    return pools::paidOddsTenths(bet.rate, bet.high, bet.votes + x, bet.pool + x);
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

namespace {

// The stakes of one run of equal odds, x from `first` to `last`: there EV
// grows with x, and the growth is strictly concave in x.
void weighRun(const AdviceInput& input, long long first, long long last, long long tenths, Advice& advice, Wide& bestEv,
              double& bestGrowth, long long& kellyVotes)
{
    const Wide e = edge(input.prob, tenths);
    if (e < 0)
        return;
    advice.breakEvenStake = last * pools::kYenPerVote;
    if (e == 0)
        return;  // no EV above 0, and by Jensen no growth above that of no stake
    if (last * e > bestEv) {
        bestEv = last * e;
        advice.maxEvStake = last * pools::kYenPerVote;
    }
    // Kelly: the best whole stake lies next to the real maximum of the run's
    // growth, P a / (1 + a x) = (1 - P) b / (1 - b x) with a = 10 (o - 10) / W
    // and b = 100 / W; its neighbours cover any rounding of it.
    const long long w = input.bankroll;
    const long long top = std::min(last, (w - 1) / pools::kYenPerVote);  // 100 x < W
    if (top < first)
        return;
    const double p = input.prob.value();
    const double gain = double(10 * (tenths - 10));
    const double peak = double(w) * (p * gain - (1 - p) * pools::kYenPerVote) / (gain * pools::kYenPerVote);
    const long long near = peak < double(first) ? first : peak > double(top) ? top : static_cast<long long>(peak);
    for (long long x = std::max(first, near - 1); x <= std::min(top, near + 1); ++x) {
        const double g = growthAt(p, w, x, tenths);
        if (g > bestGrowth) {
            bestGrowth = g;
            kellyVotes = x;
        }
    }
}

}  // namespace

Advice advise(const Bet& bet, const AdviceInput& input)
{
    Advice advice;
    Wide bestEv = 0;  // x (n o - 10 d): EV up to a positive factor
    double bestGrowth = 0;
    long long kellyVotes = 0;
    // Every stake 100 x <= W, walked in runs of equal payout odds.
    const long long most = input.bankroll / pools::kYenPerVote;
    long long first = 1;
    long long tenths = most >= 1 ? payoutTenths(bet, 1) : 0;
    for (long long x = 2; x <= most + 1; ++x) {
        const long long next = x <= most ? payoutTenths(bet, x) : -1;
        if (next == tenths)
            continue;
        weighRun(input, first, x - 1, tenths, advice, bestEv, bestGrowth, kellyVotes);
        // The odds only fall as the stake grows: past the last run that breaks
        // even no stake has EV, breaks even or grows the bankroll.
        if (edge(input.prob, tenths) < 0)
            break;
        first = x;
        tenths = next;
    }
    if (most >= 1) {
        const long long beyond = payoutTenths(bet, most + 1);
        advice.maxEvCut = advice.maxEvStake == most * pools::kYenPerVote
                          && (most + 1) * edge(input.prob, beyond) > most * edge(input.prob, payoutTenths(bet, most));
        advice.breakEvenCut = advice.breakEvenStake == most * pools::kYenPerVote && edge(input.prob, beyond) >= 0;
    }
    advice.kellyFullStake = kellyVotes * pools::kYenPerVote;
    advice.kellyStake = kellyVotes * input.kelly.numerator / input.kelly.denominator * pools::kYenPerVote;
    return advice;
}

std::vector<CurvePoint> curve(const Bet& bet, long long to, long long step)
{
    std::vector<CurvePoint> points;
    points.reserve(size_t(to / step + 1));
    for (long long s = 0; s <= to; s += step)
        points.push_back({s, payoutTenths(bet, s / pools::kYenPerVote)});
    return points;
}

namespace {

// The dutching walk: 100 yen at a time to the bet whose return is lowest,
// while `more` says another step is wanted (given the steps so far and the
// lowest return in yen).
template <class More>
Dutching spread(const std::vector<Bet>& bets, More more)
{
    Dutching result;
    if (bets.empty())
        return result;
    std::vector<long long> votes(bets.size(), 0);
    Bet moved = bets.front();  // the pool as the stakes so far leave it
    // Place and wide: the pool's entries with the stakes so far, whose
    // most-backed other winners give each bet its lower end.
    std::optional<sim::PoolFigures> staked;
    if (bets.front().figures)
        staked = *bets.front().figures;
    auto odds = [&](size_t i) {
        moved.votes = bets[i].votes + votes[i];
        if (moved.votes <= 0)
            return 0LL;  // an entry without votes pays nothing until it is staked
        if (staked)
            moved.low = sim::rangeEnds(*staked, bets[i].number).low;
        return payoutTenths(moved, 0);
    };
    // A bet's return only grows while the pool grows and its own stake
    // stays, so a return worked out earlier is a lower bound of the one now
    // (for place and wide too: a vote on another bet adds at most one to the
    // other winners' votes, and one to the pool). The lowest bound (the bet
    // listed first among equals) is worked out afresh and put back until it
    // holds: it is then the lowest return.
    using Entry = std::pair<long long, size_t>;  // return in tenths of 100 yen, bet
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> bounds;
    for (size_t i = 0; i < bets.size(); ++i)
        bounds.push({0, i});
    for (long long steps = 0;; ++steps) {
        for (;;) {
            const auto [bound, i] = bounds.top();
            const long long now = votes[i] * odds(i);
            if (now == bound)
                break;
            bounds.pop();
            bounds.push({now, i});
        }
        const auto [lowest, i] = bounds.top();
        if (!more(steps, lowest * 10))
            break;
        bounds.pop();
        ++votes[i];
        ++moved.pool;
        if (staked) {
            ++staked->votes[size_t(bets[i].number - 1)];
            ++staked->total;
        }
        bounds.push({votes[i] * odds(i), i});
    }
    result.minPayout = std::numeric_limits<long long>::max();
    for (size_t i = 0; i < bets.size(); ++i) {
        const long long tenths = odds(i);
        const DutchTicket t{bets[i], votes[i] * pools::kYenPerVote, tenths, votes[i] * tenths * 10};
        result.minPayout = std::min(result.minPayout, t.payout);
        result.tickets.push_back(t);
    }
    return result;
}

}  // namespace

Dutching dutch(const std::vector<Bet>& bets, long long total)
{
    const long long steps = total / pools::kYenPerVote;
    return spread(bets, [steps](long long done, long long) { return done < steps; });
}

std::optional<Dutching> dutchToPayout(const std::vector<Bet>& bets, long long target, long long limit)
{
    const long long steps = limit / pools::kYenPerVote;
    bool reached = false;
    Dutching d = spread(bets, [&](long long done, long long lowest) {
        reached = lowest >= target;
        return !reached && done < steps;
    });
    if (!reached)
        return std::nullopt;
    return d;
}

}  // namespace tavek::advice
