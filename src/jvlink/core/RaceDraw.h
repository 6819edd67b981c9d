#pragma once

#include "jvlink/core/RaceCalendar.h"

#include <array>
#include <cstdint>

namespace tavek::jvlink {

constexpr int kMaxRunners = 18;

// Race classes, which set the race name and the size of the pools.
enum class RaceClass { Newcomer, Maiden, OneWin, TwoWin, Special, Stakes, Grade1 };

// Everything drawn for one race from its key: the same race always gets the
// same field, strengths and pools.
struct RaceDraw {
    calendar::Race race;
    RaceClass raceClass;
    int registered;                            // 8..18
    int starters;                              // registered minus the scratched
    std::array<bool, kMaxRunners> scratched;   // refunded runners, no votes
    std::array<double, kMaxRunners> strength;  // Plackett-Luce strengths, 0 when scratched
    double winPool;                            // final win votes
    int nameSeed;                              // picks the race and horse names
};

RaceDraw drawRace(const calendar::Race& race);

}  // namespace tavek::jvlink
