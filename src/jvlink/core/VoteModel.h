#pragma once

#include "jvlink/core/RaceDraw.h"

#include <array>
#include <cstdint>

namespace tavek::jvlink {

// The votes of all seven bet types of one race, in the order of the H1 entry
// tables; -1 marks an entry that stays blank (beyond the field, or a bracket
// pair that the field cannot form). A scratched runner's entries hold 0.
struct Votes {
    std::array<int64_t, kMaxRunners> win{};
    std::array<int64_t, kMaxRunners> place{};
    std::array<int64_t, 36> bracket{};
    std::array<int64_t, 153> quinella{};
    std::array<int64_t, 153> wide{};
    std::array<int64_t, 306> exacta{};
    std::array<int64_t, 816> trio{};
};

// Votes from one Plackett-Luce (Harville) model of the field, so that all bet
// types agree with one another. `share` (0..1] is the part of the final votes
// already cast; the votes never fall as the share grows.
Votes votesOf(const RaceDraw& race, double share = 1.0);

}  // namespace tavek::jvlink
