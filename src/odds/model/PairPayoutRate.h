#pragma once

#include "odds/model/PayoutRate.h"

#include <QByteArrayView>

namespace tavek::sim {

// JRA raised the payout rate of quinella and bracket quinella on this day.
inline constexpr char kPairRateChangeDate[] = "20140607";
inline constexpr PayoutRate kPairRateBefore{3, 4};
inline constexpr PayoutRate kPairRateFrom{31, 40};

// The quinella and bracket-quinella payout rate of the race of a record, by
// its race date (positions 12-19). A record without a readable date, such as
// the blanks of a slot with no vote-count record, gets the older rate.
PayoutRate pairPayoutFraction(QByteArrayView record);
inline long double pairPayoutRate(QByteArrayView record)
{
    return pairPayoutFraction(record).value();
}

}  // namespace tavek::sim
