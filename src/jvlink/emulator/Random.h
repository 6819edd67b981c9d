#pragma once

#include <cmath>
#include <cstdint>
#include <initializer_list>

namespace tavek::jvlink {

// A small, fast generator (SplitMix64) for the emulated data: the same seed
// gives the same race on every machine and in every build.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}

    uint64_t next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    // Uniform in [0, n).
    int below(int n) { return static_cast<int>(next() % static_cast<uint64_t>(n)); }
    // Standard normal (Box-Muller).
    double gaussian()
    {
        const double u = 1.0 - uniform();
        return std::sqrt(-2.0 * std::log(u)) * std::cos(6.283185307179586 * uniform());
    }

    // A seed from several numbers, so that neighbouring keys give unrelated draws.
    static uint64_t seed(std::initializer_list<uint64_t> parts)
    {
        Random mix(0x5441564B45ULL);
        uint64_t s = 0;
        for (uint64_t p : parts) {
            mix.state_ ^= p;
            s = mix.next();
        }
        return s;
    }

private:
    uint64_t state_;
};

}  // namespace tavek::jvlink
