#pragma once

#include "pools/VotePools.h"

#include <QString>
#include <array>

// The entries of the place, wide, exacta and trio pools, numbered 1..n as the
// vote-count record holds them: place by runner 1..28; wide by the quinella
// pair index (1-2, 1-3, ..., 17-18); exacta by first runner, then second
// (1-2, 1-3, ..., 1-18, 2-1, 2-3, ...); trio by the three runners ascending
// (1-2-3, 1-2-4, ..., 16-17-18).
namespace tavek::pools {

// One of the four pools the pool boards show: Place, Wide, Exacta or Trio.
constexpr bool isBoardPool(pools::Pool pool)
{
    return pool == pools::Pool::Place || pool == pools::Pool::Wide || pool == pools::Pool::Exacta
           || pool == pools::Pool::Trio;
}

// The runners of entry n, the unused ones 0; all 0 outside 1..entries.
using EntryRunners = std::array<int, 3>;
EntryRunners entryRunners(pools::Pool pool, int n);

// The entry of the runners in the pool's own order (a place entry takes `a`
// only; exacta a first, b second; wide a < b; trio a < b < c); 0 when they
// name no entry.
int entryOf(pools::Pool pool, int a, int b = 0, int c = 0);

// "3", "1-2", "2-3-7"; empty outside 1..entries.
QString entryLabel(pools::Pool pool, int n);

}  // namespace tavek::pools
