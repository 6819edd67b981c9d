#include "odds/model/PairSlot.h"

#include "racedata/DayData.h"

namespace tavek::sim {

PairSlot pairSlot(DayData& day, int race, PairKind kind)
{
    const auto r = size_t(race);
    if (kind == PairKind::Quinella)
        return {day.voteRecord(race), {day.QuinellaTotal[r], day.QuinellaVotes[r]}};
    return {day.voteRecord(race), {day.BracketTotal[r], day.BracketVotes[r]}};
}

}  // namespace tavek::sim
