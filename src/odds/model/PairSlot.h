#pragma once

#include "odds/model/PairFigures.h"

namespace tavek {
struct DayData;
}

namespace tavek::sim {

// The figures of one race slot that a pair tab shows and simulates on: the
// vote-count record and the slot's total and votes in the day data.
struct PairSlot {
    QByteArrayView record;
    PairFigures figures;
};

// The quinella or bracket-quinella slot of race slot `race` of a day, as the
// window's tabs and tavek-cli both take it.
PairSlot pairSlot(DayData& day, int race, pools::PairKind kind);

}  // namespace tavek::sim
