#include "odds/model/PairPayoutRate.h"

#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"

#include <algorithm>

namespace tavek::sim {

PayoutRate pairPayoutFraction(QByteArrayView record)
{
    const QByteArrayView date = record::field(record, layout::kYear, 8);
    const bool digits = date.size() == 8
                        && std::all_of(date.begin(), date.end(), [](char c) { return c >= '0' && c <= '9'; });
    return digits && date >= QByteArrayView(kPairRateChangeDate) ? kPairRateFrom : kPairRateBefore;
}

}  // namespace tavek::sim
