#include "pools/VotePools.h"

#include "racedata/RecordField.h"

#include <algorithm>

namespace tavek::pools {

PayoutRate VotePool::rate(QByteArrayView record) const
{
    const QByteArrayView date = record::field(record, layout::kYear, 8);
    const bool digits = date.size() == 8
                        && std::all_of(date.begin(), date.end(), [](char c) { return c >= '0' && c <= '9'; });
    return digits && date >= QByteArrayView(kRateChangeDate) ? rateFrom : rateBefore;
}

}  // namespace tavek::pools
