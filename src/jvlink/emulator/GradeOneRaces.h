#pragma once

#include "jvlink/emulator/RaceCalendar.h"

#include <QString>
#include <vector>

// JRA's G1 races on the flat, each on its traditional weekend and course as
// the 11th race; no other race of the emulated service carries their names.
namespace tavek::jvlink::gradeone {

struct GradeOneRace {
    QString name;     // the race name as the race details record carries it
    int course;       // course code
    QDate date;       // in the year asked for
    double salesOku;  // typical sales of all eight pools, in 億円 (2024 level)
};

// The G1 races of `year` (those run as G1 in that year), in date order.
std::vector<GradeOneRace> racesOf(int year);

// The G1 race that `race` is, if any.
std::optional<GradeOneRace> raceOf(const calendar::Race& race);

// True when `name` is the name of one of the G1 races.
bool isGradeOneName(const QString& name);

}  // namespace tavek::jvlink::gradeone
