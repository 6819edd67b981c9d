#include "advisor/model/AdvisorChart.h"

#include <algorithm>

namespace tavek::advice {

namespace {

ChartPoint pointAt(const Bet& bet, Fraction prob, long long votes)
{
    return {double(votes * kVoteYen), double(payoutTenths(bet, votes)) / 10, double(expectedValue(bet, prob, votes))};
}

}  // namespace

AdvisorChart advisorChart(const Bet& bet, const AdviceInput& input, const Advice& advice)
{
    // A quarter past the largest of the three stakes; the whole bankroll when
    // no stake pays.
    const long long largest = std::max({advice.maxEvStake, advice.breakEvenStake, advice.kellyStake}) / kVoteYen;
    const long long endVotes = largest > 0 ? largest + std::max(1LL, (largest + 3) / 4) : input.bankroll / kVoteYen;
    const long long step = std::max(1LL, (endVotes + kChartSteps - 1) / kChartSteps);

    AdvisorChart chart;
    chart.stakeEnd = double(endVotes * kVoteYen);
    chart.fairOdds = double(input.prob.denominator) / double(input.prob.numerator);
    for (long long x = 0; x < endVotes; x += step)
        chart.points.push_back(pointAt(bet, input.prob, x));
    chart.points.push_back(pointAt(bet, input.prob, endVotes));
    chart.marks = {ChartMark{QStringLiteral("期待値最大"), pointAt(bet, input.prob, advice.maxEvStake / kVoteYen)},
                   ChartMark{QStringLiteral("損益分岐"), pointAt(bet, input.prob, advice.breakEvenStake / kVoteYen)},
                   ChartMark{QStringLiteral("ケリー"), pointAt(bet, input.prob, advice.kellyStake / kVoteYen)}};
    return chart;
}

}  // namespace tavek::advice
