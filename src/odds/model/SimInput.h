#pragma once

#include "odds/model/SimResult.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace tavek::sim {

// What the user entered in the last accepted simulation of a board, and on
// which race. A quick report reloads the race's votes while the bettor is
// still asking "and if I bet this now": the board runs the input again on the
// fresh votes of the same race, and forgets it when another race is
// calculated.
struct SimInput {
    enum class Kind { None, Stake, Odds };
    Kind kind = Kind::None;
    QByteArray race;  // race key of the vote record it ran on
    int target = 0;   // runner, or pair index
    long long yen = 0;
    long double odds = 0;

    bool sameRace(QByteArrayView raceKey) const { return kind != Kind::None && race == raceKey; }
};

// Runs a kept input again through `simulate`. Empty when it is accepted;
// otherwise the status-line note that the simulation of `what` ("単勝 3番")
// was dropped and why: `refusal` of the result, or the message of the
// std::runtime_error the simulation threw.
QString runAgain(const QString& what, const std::function<SimResult()>& simulate,
                 const std::function<QString(SimResult)>& refusal);

}  // namespace tavek::sim
