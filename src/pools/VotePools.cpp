#include "pools/VotePools.h"

#include <algorithm>

namespace tavek::pools {

PayoutRate VotePool::rate(QByteArrayView raceDate) const
{
    const bool digits = raceDate.size() == 8
                        && std::all_of(raceDate.begin(), raceDate.end(), [](char c) { return c >= '0' && c <= '9'; });
    return digits && raceDate >= QByteArrayView(kRateChangeDate) ? rateFrom : rateBefore;
}

}  // namespace tavek::pools
