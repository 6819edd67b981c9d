#pragma once

#include "pools/Field.h"

#include <array>

// How a pool numbers its entries. An entry names `numbers` numbers (runners
// or brackets) of 1..`highest`; the entries are the combinations its order
// allows, numbered 1..count() in the lexicographic order of their numbers, as
// the records hold them: 1-2, 1-3, ..., 17-18 for the pairs; 1-2, 1-3, ...,
// 1-18, 2-1, 2-3, ... for the ordered pairs.
namespace tavek::pools {

// The numbers of an entry in the pool's own order, the unused ones 0.
using EntryRunners = std::array<int, 3>;

enum class Order {
    Ascending,  // a < b < c: the order of finishing does not count
    Repeating,  // a <= b: the bracket pairs, which may name one bracket twice
    Ordered,    // a, b, c all different, in the order of finishing
};

struct Numbering {
    int numbers;  // 1 to 3
    int highest;
    Order order;

    // The number of entries: C(h, k), C(h + k - 1, k) or h! / (h - k)!.
    constexpr int count() const
    {
        const int top = order == Order::Repeating ? highest + numbers - 1 : highest;
        long long n = 1, d = 1;
        for (int i = 0; i < numbers; ++i) {
            n *= top - i;
            d *= order == Order::Ordered ? 1 : i + 1;
        }
        return int(n / d);
    }
};

inline constexpr Numbering kSingleRunner{1, kRecordSlots, Order::Ascending};
inline constexpr Numbering kBracketPair{2, kBrackets, Order::Repeating};
inline constexpr Numbering kRunnerPair{2, kMaxRunners, Order::Ascending};
inline constexpr Numbering kOrderedPair{2, kMaxRunners, Order::Ordered};
inline constexpr Numbering kRunnerTriple{3, kMaxRunners, Order::Ascending};
inline constexpr Numbering kOrderedTriple{3, kMaxRunners, Order::Ordered};

}  // namespace tavek::pools
