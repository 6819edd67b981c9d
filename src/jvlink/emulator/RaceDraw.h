#pragma once

#include "jvlink/emulator/RaceCalendar.h"
#include "pools/VotePools.h"

#include <QString>
#include <array>
#include <cstdint>

namespace tavek::jvlink {

using pools::kMaxRunners;

// Race classes, which set the race name and the size of the pools.
enum class RaceClass { Newcomer, Maiden, OneWin, TwoWin, Special, Stakes, Grade3, Grade2, Grade1 };

// Everything drawn for one race from its key: the same race always gets the
// same field, strengths and pools.
struct RaceDraw {
    calendar::Race race;
    RaceClass raceClass;
    QString gradeOneName;                             // the G1's name; empty for every other race
    int registered;                                   // 8..18
    int starters;                                     // registered minus the scratched
    std::array<bool, kMaxRunners> scratched;          // refunded runners, no votes
    std::array<double, kMaxRunners> strength;         // Plackett-Luce strengths, 0 when scratched
    double salesYen;                                  // sales drawn for all eight pools, trifecta included
    std::array<double, pools::kVoteCountPools> pool;  // final votes of the pools, in pools::Pool order
    double trifectaPool;                              // final votes of the trifecta (28-32 % of the eight
                                                      // pools); 0 when not sold
    uint64_t noiseSeed;                               // the bettors' noise on the other pools
    int nameSeed;                                     // picks the race and horse names
};

RaceDraw drawRace(const calendar::Race& race);

// The sales level of a year relative to 2024 (JRA's 売得金: about 2.3兆円 in
// 2011, 3.3135兆円 in 2024, 3.5兆円 in 2025).
double salesLevel(int year);

}  // namespace tavek::jvlink
