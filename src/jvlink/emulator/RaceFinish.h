#pragma once

#include "jvlink/emulator/RaceDraw.h"
#include "jvlink/emulator/VoteModel.h"
#include "pools/RacePayouts.h"

// How an emulated race finishes and what it pays. The first places are drawn
// from the runners' true strengths behind the market, by the model the
// votes come from (VoteModel.h): the winner by the chances of winning, second
// and third by the discounted Harville chances, so a favourite wins about as
// often as its share of the win pool says. The draw has a random sequence of
// its own, so that every vote stays as it was. The payouts follow from the
// final votes by JRA's rules (pools/RacePayouts).
namespace tavek::jvlink {

// JRA publishes no rate of dead heats (同着); about 1 race in 300 with one
// somewhere in the first three is the magnitude commonly quoted, an
// estimate. The emulated races have one at that rate, between first and
// second, second and third or third and fourth alike.
inline constexpr double kDeadHeatChance = 1.0 / 300.0;

// The first three places of the race (four runners with a dead heat for third).
pools::FinishingOrder finishOf(const RaceDraw& race);

// The race's final sales as the payout rules take them.
pools::RaceSales salesOf(const RaceDraw& race, const Votes& votes);

// What every pool of the race pays on its finish.
pools::RacePayouts payoutsOf(const RaceDraw& race, const Votes& votes);

}  // namespace tavek::jvlink
