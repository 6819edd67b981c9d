#pragma once

#include "support/FuzzInput.h"

#include "racedata/DayData.h"

// What the day-load targets do with a loaded race: every figure and text of
// the win sheet, one pair tab (bit 7 of control byte 6: the bracket tab) and
// the reference lists, with simulations steered by the control bytes 1 to 6.
namespace tavek::fuzz {

// Checks the load's own invariants (items, selection) and returns the loaded races.
int checkLoad(const DayData& day, const DayLoad& load);

// Selects `race` and computes everything the window shows of it.
void everyFigureOf(DayData& day, int race, const Input& in);

// A race's result as read: each pool pays entries it numbers, at most as
// many as its slots, and the finishing order names runners of a field, each
// once.
void checkResult(const result::RaceResult& result);

}  // namespace tavek::fuzz
