#pragma once

#include "odds/model/SimResult.h"
#include "pools/PairIndex.h"

#include <QByteArrayView>

// The simulations a vote-count record cannot carry, refused before any figure
// moves: a refunded (返還) runner holds no votes that a stake or an odds could
// be measured against, and a blank vote field would give figures out of
// nothing (a stake of 1,000 yen on a scratched runner gave odds of 6941.0).
// The window's dialogs and tavek-cli refuse through the same boards.
namespace tavek::sim {

// Refunded when the record's refund flag of `horse` (1..28) is "1".
bool runnerRefunded(QByteArrayView vote, int horse);
// Refunded in the trifecta's record (H6) when the flag of `horse` (1..18) is
// neither "0" nor blank.
bool trifectaRefunded(QByteArrayView trifecta, int horse);

// Refunded, NoVotes or None (the simulation may run) for runner `horse`.
SimResult winRefusal(QByteArrayView vote, int horse);

// The same for pair k: a quinella pair is refunded with either runner, a
// bracket pair with either bracket (a same-bracket pair also by its own flag).
SimResult pairRefusal(pools::PairKind kind, QByteArrayView vote, int k);

}  // namespace tavek::sim
