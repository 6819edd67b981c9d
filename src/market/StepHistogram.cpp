#include "market/StepHistogram.h"

#include <algorithm>
#include <cmath>

namespace tavek::market {

StepHistogram::StepHistogram(double step, double top)
    : step_(step), perStep_(1 / step), top_(top), counts_(size_t(std::llround(top / step)) + 1)
{
}

void StepHistogram::add(const StepHistogram& other)
{
    for (size_t i = 0; i < counts_.size() && i < other.counts_.size(); ++i)
        counts_[i] += other.counts_[i];
    count_ += other.count_;
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
