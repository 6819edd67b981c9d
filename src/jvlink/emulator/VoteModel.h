#pragma once

#include "jvlink/emulator/RaceDraw.h"
#include "pools/VotePools.h"

#include <array>
#include <cstdint>

namespace tavek::jvlink {

// The votes of all eight bet types of one race, in the order of the H1 and H6
// entry tables; -1 marks an entry that stays blank (beyond the field, or a bracket
// pair that the field cannot form). A scratched runner's entries hold 0.
template <pools::Pool P>
using PoolVotes = std::array<int64_t, pools::pool(P).entries>;

struct Votes {
    std::array<int64_t, kMaxRunners> win{};
    std::array<int64_t, kMaxRunners> place{};
    PoolVotes<pools::Pool::Bracket> bracket{};
    PoolVotes<pools::Pool::Quinella> quinella{};
    PoolVotes<pools::Pool::Wide> wide{};
    PoolVotes<pools::Pool::Exacta> exacta{};
    PoolVotes<pools::Pool::Trio> trio{};
    PoolVotes<pools::Pool::Trifecta> trifecta{};  // every entry -1 where the trifecta was not sold
};

// How the bettors split each pool. The win votes follow the runners'
// strengths, with a little money on every runner however slim its chance
// (favourite-longshot bias). The finishing order comes from a running-time
// model: each runner runs a normally distributed time. Its place, exacta and
// trio and trifecta chances are computed with the discounted Harville formula, which
// follows normal running times closely without sampling (plain Harville
// overrates the favourites for second and third). The other pools follow
// those chances raised to a power below one (long-odds combinations draw more
// money than their chances, as in real pools) and spread by multiplicative
// noise.
// The runners' chances of winning in the running-time model (0 when scratched).
std::array<double, kMaxRunners> winChances(const RaceDraw& race);

// The final votes of the race.
Votes votesOf(const RaceDraw& race);

}  // namespace tavek::jvlink
