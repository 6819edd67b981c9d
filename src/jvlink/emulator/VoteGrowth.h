#pragma once

#include "jvlink/emulator/RaceDraw.h"
#include "jvlink/emulator/VoteModel.h"

namespace tavek::jvlink {

// The votes of a race already cast before post time. Each entry of every pool
// fills along its own path toward its final figure, so the odds drift through
// the morning as real ones do: early money is noisier and leans toward the
// longshots, late money sharpens toward the final market. The part of entry k
// cast is
//     share * (1 + (1 - share) * lean_k(progress)),
// where `share` is the part of the race's final votes cast (rising from 0 at
// the opening of sales to 1 at post time) and `progress` the part of the time
// from the opening to post time gone. A lean is a fixed part drawn per race
// and entry plus a slow swing; both stay small enough that the part cast never
// falls as time goes on (its derivative in `share` is at least
// 1 - |lean| - |swing'| / 4 > 0), so every entry's votes only grow, and at
// post time the votes are the final ones exactly. A pair's lean follows its
// runners' leans, so that the pair pools drift with the win pool.
// Entries that stay blank (-1) or hold no votes (0) keep that.
Votes votesCast(const RaceDraw& race, const Votes& final, double share, double progress);

}  // namespace tavek::jvlink
