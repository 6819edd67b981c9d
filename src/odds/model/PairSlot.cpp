#include "odds/model/PairSlot.h"

#include "racedata/DayData.h"

namespace tavek::sim {

PairSlot pairSlot(DayData& day, int race, pools::PairKind kind)
{
    if (kind == pools::PairKind::Quinella)
        return {day.voteRecord(race), {day.quinellaTotal(race), day.quinellaVotes(race)}};
    return {day.voteRecord(race), {day.bracketTotal(race), day.bracketVotes(race)}};
}

}  // namespace tavek::sim
