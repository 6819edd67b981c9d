#pragma once

#include <QString>

namespace tavek::sim {

// What the OK of a simulation dialog comes to, on the win tab and the pair
// tabs alike.
enum class SimResult {
    None,  // no simulation ran
    Accepted,
    NotAboveOne,  // the odds asked for are not above 1.0
    Unrealistic,  // the odds asked for are not above the current ones
    Refunded,     // the runner, or a runner or bracket of the pair, is refunded (返還)
    NoVotes,      // the record holds no votes for the runner or pair, or no total
    NotSold,      // the pool is not sold in this race (発売なし)
};

// The message the dialogs show for a refused result; empty for the others.
// With `currentOdds` (the odds now, as shown), an unrealistic result also says
// what would be taken: odds above those.
QString refusalMessage(SimResult result, const QString& currentOdds = {});

// Machine name for tavek-cli: "none", "accepted", "not_above_one", "unrealistic",
// "refunded", "no_votes", "not_sold".
const char* simResultName(SimResult result);

}  // namespace tavek::sim
