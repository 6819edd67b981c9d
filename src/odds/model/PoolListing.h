#pragma once

#include "odds/model/PoolBoard.h"

#include <QString>
#include <vector>

// What the window's pool tab lists beside the odds of a PoolBoard: the
// bracket and share of a place runner, and the most-backed entries as the
// trio board ranks them.
namespace tavek::sim {

// The bracket (枠) 1..8 of runner n on a place board, 0 outside the field.
int placeBracket(const PoolBoard& board, int n);

// The share of entry n in its pool, "%5.1f%"; empty without votes or total.
QString shareText(const PoolBoard& board, int n);

// Up to `count` entries of the field with votes, the most-backed first and
// the earlier entry first among equal votes.
std::vector<int> mostBacked(const PoolBoard& board, int count);

// A line of the ranked list: rank "%2d", the entry's label in 8, votes
// "%11.0n" and odds as the board shows them.
QString rankedLine(const PoolBoard& board, int rank, int n);

}  // namespace tavek::sim
