#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

// A distribution kept as counts in steps of one width instead of the figures
// themselves: its memory is fixed however many figures it takes (a season
// of races holds millions of bets), and each quantile is known within half a
// step of the exact one.
namespace tavek::market {

class StepHistogram {
public:
    // Steps of `step` from 0 to `top`, each counting the figures nearest to
    // it; a figure at or above `top` counts as `top`, one below 0 as 0.
    StepHistogram(double step, double top);

    void add(double figure)
    {
        // Each figure to the nearest step: a figure on a step, such as the
        // 80.0 of a bet that pays its pool's rate, is kept exactly.
        const double at = std::floor(figure * perStep_ + 0.5);
        const size_t last = counts_.size() - 1;
        ++counts_[figure >= top_ ? last : at > 0 ? std::min(size_t(at), last) : 0];
        ++count_;
    }
    // Adds the figures `other` counted, in the same steps.
    void add(const StepHistogram& other);
    long long count() const { return count_; }

    // The quantile p (0 to 1) as quantiles of the figures themselves are taken
    // (between the order statistics around p (count - 1), in proportion),
    // each figure taken at the step nearest to it: within half a step of the
    // exact quantile for figures from 0 to `top`. 0 without figures.
    double quantile(double p) const;

private:
    double orderStatistic(long long k) const;  // the k-th smallest, from 0

    double step_;
    double perStep_;  // 1 / step_: a product costs less than a quotient, figure by figure
    double top_;
    std::vector<std::uint32_t> counts_;  // [i]: the figures nearest i steps; the last also those above
    long long count_ = 0;
};

}  // namespace tavek::market
