#pragma once

#include "pools/VotePools.h"

#include <array>
#include <vector>

// How a race finished, as the pools pay it: the runners of its first places
// and the entries of each pool that this order wins.
namespace tavek::pools {

// The runners of each place from first on. A place of several runners is a
// dead heat (同着), and the next place counts on past them: {{3}, {7}, {2, 9}}
// is runner 3 first, 7 second, 2 and 9 third together; {{4, 6}, {1}} is 4 and
// 6 first together and 1 third.
struct FinishingOrder {
    std::vector<std::vector<int>> places;

    bool operator==(const FinishingOrder&) const = default;
};

// The place pool's winners K: 3 with 8 or more starters, else 2 (JRA sells
// no place bets below 5 starters: saleStarters).
int placeWinners(int starters);

// The bracket of each runner, [h] for runner h (1..18); 0 for none.
using Brackets = std::array<int, kMaxRunners + 1>;

// The entries of `pool` that `order` wins, ascending. The runners of a dead
// heat may take any of the places they share, so each pays as if it had
// finished in any of them: with two runners first together, both win the
// win pool and both orders of the two pay in the exacta; with two third
// together, place pays four runners (with 8 or more starters) and wide five
// pairs, never the pair of the two. The bracket quinella pays the brackets
// (`brackets`) of its winning pairs, one bracket twice where both came from
// it. A combination the pool does not number (a runner without a bracket,
// beyond 18 in the pair pools) is no entry.
std::vector<int> winningEntries(Pool pool, const FinishingOrder& order, int starters, const Brackets& brackets);

}  // namespace tavek::pools
