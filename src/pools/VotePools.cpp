#include "pools/VotePools.h"

#include <algorithm>

namespace tavek::pools {

namespace {

bool isDate(QByteArrayView date)
{
    return date.size() == 8 && std::all_of(date.begin(), date.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

PayoutRate VotePool::rate(QByteArrayView raceDate) const
{
    return isDate(raceDate) && raceDate >= QByteArrayView(kRateChangeDate) ? rateFrom : rateBefore;
}

bool trifectaSold(QByteArrayView raceDate, int raceNumber)
{
    if (!isDate(raceDate) || raceDate < QByteArrayView(kTrifectaFirstDate))
        return false;
    return raceDate >= QByteArrayView(kTrifectaEveryRaceDate) || raceNumber >= kTrifectaFirstRace;
}

}  // namespace tavek::pools
