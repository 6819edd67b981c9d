#pragma once

#include "pools/VotePools.h"

#include <QString>

// The entries of every pool, numbered 1..entries as its record holds them, by
// the pool's numbering (pools/Numbering): win and place by runner 1..28;
// bracket quinella by the bracket pairs (1-1, 1-2, ..., 8-8); quinella and
// wide by the runner pairs (1-2, 1-3, ..., 17-18); exacta by first runner,
// then second (1-2, 1-3, ..., 1-18, 2-1, 2-3, ...); trio by the three runners
// ascending (1-2-3, 1-2-4, ..., 16-17-18).
namespace tavek::pools {

// The numbers of entry n, the unused ones 0; all 0 outside 1..entries.
EntryRunners entryRunners(Pool pool, int n);

// The entry of the numbers in the pool's own order (a win or place entry
// takes `a` only; exacta a first, b second; wide a < b; trio a < b < c); 0
// when they name no entry.
int entryOf(Pool pool, int a, int b = 0, int c = 0);

// "3", "1-2", "2-3-7"; empty outside 1..entries.
QString entryLabel(Pool pool, int n);

}  // namespace tavek::pools
