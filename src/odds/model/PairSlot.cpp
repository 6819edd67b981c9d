#include "odds/model/PairSlot.h"

#include "racedata/DayData.h"

namespace tavek::sim {

PairSlot pairSlot(DayData& day, int race, pools::PairKind kind)
{
    const auto r = size_t(race);
    if (kind == pools::PairKind::Quinella)
        return {day.voteRecord(race), {day.quinellaTotal(race), day.quinellaVotes(race)}};
    return {day.voteRecord(race), {day.BracketTotal[r], day.BracketVotes[r]}};
}

}  // namespace tavek::sim
