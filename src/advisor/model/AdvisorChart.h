#pragma once

#include "advisor/model/StakeAdvisor.h"

#include <QString>
#include <array>
#include <vector>

// What the advisor's chart draws: payout odds and EV against the stake, from
// 0 to past the largest stake marked (at most the bankroll), the stakes
// within the bankroll marked, and the line of the fair odds 1 / P, where the
// EV changes sign.
namespace tavek::advice {

struct ChartPoint {
    double stake = 0;  // yen
    double odds = 0;
    double ev = 0;  // yen
};

struct ChartMark {
    QString caption;
    ChartPoint at;
    bool shown = true;  // not for a break-even stake beyond the bankroll
};

struct AdvisorChart {
    std::vector<ChartPoint> points;
    std::array<ChartMark, 3> marks;  // max EV, break-even, Kelly
    double fairOdds = 0;
    double stakeEnd = 0;  // yen, the right end of the stake axis: at most the bankroll
};

// At most about kChartSteps + 1 points, on the 100-yen grid.
inline constexpr long long kChartSteps = 400;

AdvisorChart advisorChart(const Bet& bet, const AdviceInput& input, const Advice& advice);

// A round distance of the ticks of an axis spanning `span` with about
// `intervals` intervals: 1, 2 or 5 times a power of ten, at least span / intervals.
double roundTickStep(double span, int intervals);

}  // namespace tavek::advice
