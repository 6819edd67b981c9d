#include "pools/Payout.h"

#include <algorithm>

namespace tavek::pools {

long long paidOddsTenths(PayoutRate rate, WinningSet set, long long votes, long long total)
{
    const long long losing = total - votes - set.others;
    const long long numerator = 10LL * rate.numerator * (set.winners * votes + losing);
    const long long denominator = static_cast<long long>(rate.denominator) * set.winners * votes;
    return std::max(10LL, numerator / denominator);
}

long double exactOdds(long double rate, long long total, long long votes)
{
    return static_cast<long double>(total) * rate / votes;
}

}  // namespace tavek::pools
