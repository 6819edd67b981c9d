#pragma once

#include <QByteArrayView>

namespace tavek::sim {

// JRA raised the payout rate of quinella and bracket quinella on this day.
inline constexpr char kPairRateChangeDate[] = "20140607";
inline constexpr long double kPairRateBefore = 0.75L;
inline constexpr long double kPairRateFrom = 0.775L;

// The quinella and bracket-quinella payout rate of the race of a record, by
// its race date (positions 12-19). A record without a readable date, such as
// the blanks of a slot with no vote-count record, gets the older rate.
long double pairPayoutRate(QByteArrayView record);

}  // namespace tavek::sim
