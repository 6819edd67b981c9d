#pragma once

#include "pools/PoolIndex.h"

#include <QString>
#include <QStringView>

// The pairs of the two pair tabs: quinella pairs 1..153 are the runner pairs
// (a, b), a < b <= 18, in the order (1,2), (1,3), ..., (17,18); bracket pairs
// 1..36 are the bracket pairs (a, b), a <= b <= 8, same-bracket pairs
// included. The index is the pair's entry in its pool (pools/PoolIndex).
namespace tavek::pools {

enum class PairKind { Quinella, Bracket };

// The pool a kind of pair is bet in.
constexpr Pool pairPool(PairKind kind)
{
    return kind == PairKind::Quinella ? Pool::Quinella : Pool::Bracket;
}

constexpr int pairCount(PairKind kind)
{
    return pool(pairPool(kind)).entries;
}

struct PairNumbers {
    int first = 0;
    int second = 0;
};

// The two numbers of pair k; {0, 0} outside 1..pairCount.
PairNumbers pairNumbers(PairKind kind, int k);

// The index of (a, b); 0 when it is no pair of the kind.
inline int pairIndexOf(PairKind kind, int a, int b)
{
    return entryOf(pairPool(kind), a, b);
}

// The five-character label " 1- 2"; an empty string outside 1..pairCount.
QString pairLabel(PairKind kind, int k);

// The index whose label equals `label` exactly; 0 when none does.
int pairIndex(PairKind kind, QStringView label);

}  // namespace tavek::pools
