#include "advisor/model/AdvisorChart.h"

#include "advisor/model/AdvisorTexts.h"

#include <algorithm>
#include <cmath>

namespace tavek::advice {

namespace {

ChartPoint pointAt(const Bet& bet, Fraction prob, long long votes)
{
    return {double(votes * pools::kYenPerVote), double(payoutTenths(bet, votes)) / 10,
            double(expectedValue(bet, prob, votes))};
}

}  // namespace

AdvisorChart advisorChart(const Bet& bet, const AdviceInput& input, const Advice& advice)
{
    // A quarter past the largest stake marked, never past the bankroll: no
    // stake beyond it can be made. The whole bankroll when no stake pays.
    const std::array<long long, 3> stakes = {advice.maxEvStake, advice.breakEvenStake, advice.kellyStake};
    const std::array<bool, 3> shown = {true, !advice.breakEvenCut, true};
    long long largest = 0;
    for (size_t i = 0; i < stakes.size(); ++i)
        if (shown[i])
            largest = std::max(largest, stakes[i] / pools::kYenPerVote);
    const long long most = input.bankroll / pools::kYenPerVote;
    const long long endVotes = largest > 0 ? std::min(most, largest + std::max(1LL, (largest + 3) / 4)) : most;
    const long long step = std::max(1LL, (endVotes + kChartSteps - 1) / kChartSteps);

    AdvisorChart chart;
    chart.stakeEnd = double(endVotes * pools::kYenPerVote);
    chart.fairOdds = double(input.prob.denominator) / double(input.prob.numerator);
    for (long long x = 0; x < endVotes; x += step)
        chart.points.push_back(pointAt(bet, input.prob, x));
    chart.points.push_back(pointAt(bet, input.prob, endVotes));
    for (size_t i = 0; i < stakes.size(); ++i)
        chart.marks[i] = {stakeNames()[i], pointAt(bet, input.prob, stakes[i] / pools::kYenPerVote), shown[i]};
    return chart;
}

double roundTickStep(double span, int intervals)
{
    const double least = span / std::max(1, intervals);
    if (!(least > 0))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(least)));
    for (const double m : {1.0, 2.0, 5.0})
        if (m * power >= least * (1 - 1e-9))
            return m * power;
    return 10 * power;
}

}  // namespace tavek::advice
