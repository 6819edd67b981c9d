#pragma once

// A pool's payout rate as an exact fraction, so that the payout rule can be
// applied in integers; value() gives the extended-precision rate the odds
// displays use (0.8L, 0.75L, 0.775L: a division of exact integers rounds to
// the same value as the literal).
namespace tavek::sim {

struct PayoutRate {
    int numerator;
    int denominator;
    constexpr long double value() const { return static_cast<long double>(numerator) / denominator; }
};

}  // namespace tavek::sim
