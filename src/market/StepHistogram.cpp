#include "market/StepHistogram.h"

#include <algorithm>
#include <cmath>

namespace tavek::market {

StepHistogram::StepHistogram(double step, double top)
    : step_(step), top_(top), counts_(size_t(std::llround(top / step)) + 1)
{
}

void StepHistogram::add(double figure)
{
    // Each figure to the nearest step: a figure on a step, such as the
    // 80.0 of a bet that pays its pool's rate, is kept exactly.
    const double at = std::round(figure / step_);
    const size_t last = counts_.size() - 1;
    ++counts_[figure >= top_ ? last : at > 0 ? std::min(size_t(at), last) : 0];
    ++count_;
}

double StepHistogram::orderStatistic(long long k) const
{
    long long seen = 0;
    for (size_t i = 0; i < counts_.size(); ++i) {
        seen += (long long)counts_[i];
        if (seen > k)
            return i + 1 < counts_.size() ? double(i) * step_ : top_;
    }
    return top_;
}

double StepHistogram::quantile(double p) const
{
    if (count_ == 0)
        return 0;
    const double rank = p * double(count_ - 1);
    const long long below = (long long)rank;
    const double low = orderStatistic(below);
    return below + 1 < count_ ? low + (orderStatistic(below + 1) - low) * (rank - double(below)) : low;
}

}  // namespace tavek::market
