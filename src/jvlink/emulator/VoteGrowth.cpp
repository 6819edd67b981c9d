#include "jvlink/emulator/VoteGrowth.h"

#include "jvlink/emulator/Random.h"
#include "racedata/KeibaFunc.h"

#include <algorithm>
#include <cmath>

namespace tavek::jvlink {

namespace {

// A runner's fixed lean: early money backs the longshots a little more than
// the final market does (kTilt per unit of log share against an even split),
// and is noisy (kRunnerNoise, the sd of the lean).
constexpr double kTilt = 0.06, kRunnerNoise = 0.18;
// A pair's or a place entry's own noise beside its runners' mean lean.
constexpr double kEntryNoise = 0.06;
// The swing: at most kSwing, one and a half cycles from the opening to post
// time. With the fixed part bounded by kMaxLean these keep every entry's
// votes growing: the part cast rises at least by share' * (1 - kMaxLean -
// kSwing) while the swing takes away at most share * (1 - share) * kSwing *
// kSwingPace * progress'; with the day's share curve the first is at least
// half again the second at every moment (a race has at least 170 minutes of
// sales).
constexpr double kMaxLean = 0.35, kSwing = 0.08, kSwingPace = 3.0 * 3.141592653589793;

struct Lean {
    double fixed = 0, swing = 0;
};

Lean mean(std::initializer_list<Lean> leans, double noise)
{
    Lean m;
    for (const Lean& l : leans) {
        m.fixed += l.fixed;
        m.swing += l.swing;
    }
    const double n = static_cast<double>(leans.size());
    return {std::clamp(m.fixed / n + kEntryNoise * noise, -kMaxLean, kMaxLean), m.swing / n};
}

// Cuts each entry back to the part of it cast. The fixed leans are centred on
// the pool's final votes, so that the pool as a whole still fills at `share`.
template <size_t N>
void grow(std::array<int64_t, N>& votes, const std::array<Lean, N>& lean, double share)
{
    double weighted = 0, sum = 0;
    for (size_t k = 0; k < N; ++k)
        if (votes[k] > 0) {
            weighted += static_cast<double>(votes[k]) * lean[k].fixed;
            sum += static_cast<double>(votes[k]);
        }
    const double centre = sum > 0 ? weighted / sum : 0.0;
    for (size_t k = 0; k < N; ++k) {
        if (votes[k] <= 0)
            continue;
        const double l = std::clamp(lean[k].fixed - centre, -kMaxLean, kMaxLean) + lean[k].swing;
        const double part = std::clamp(share * (1.0 + (1.0 - share) * l), 0.0, 1.0);
        votes[k] = static_cast<int64_t>(std::floor(static_cast<double>(votes[k]) * part));
    }
}

}  // namespace

Votes votesCast(const RaceDraw& race, const Votes& final, double share, double progress)
{
    if (share >= 1.0)
        return final;
    // Every draw is made for every slot, blank or not, so that a race's paths
    // do not depend on which entries hold votes.
    Random rng(Random::seed({race.noiseSeed, 0x4C45414EULL}));
    const int n = race.registered;
    double winTotal = 0;
    for (int i = 0; i < n; ++i)
        winTotal += static_cast<double>(std::max<int64_t>(0, final.win[i]));

    std::array<Lean, kMaxRunners> runner{}, place{};
    for (int i = 0; i < kMaxRunners; ++i) {
        const double noise = rng.gaussian(), placeNoise = rng.gaussian();
        const double amplitude = kSwing * (0.5 + 0.5 * rng.uniform());
        const double phase = 6.283185307179586 * rng.uniform();
        if (i >= n || final.win[i] <= 0)
            continue;
        const double evenSplit = static_cast<double>(final.win[i]) / winTotal * race.starters;
        runner[i] = {std::clamp(-kTilt * std::log(evenSplit) + kRunnerNoise * noise, -kMaxLean, kMaxLean),
                     amplitude * std::sin(kSwingPace * progress + phase)};
        place[i] = mean({runner[i]}, placeNoise);
    }

    Votes v = final;
    grow(v.win, runner, share);
    grow(v.place, place, share);

    std::array<Lean, 9> inBracket{};
    std::array<int, 9> counted{};
    for (int i = 0; i < n; ++i) {
        if (final.win[i] <= 0)
            continue;
        const int b = keiba::bracketOf(n, i + 1);
        inBracket[b].fixed += runner[i].fixed;
        inBracket[b].swing += runner[i].swing;
        ++counted[b];
    }
    for (int b = 1; b <= 8; ++b)
        if (counted[b] > 0)
            inBracket[b] = {inBracket[b].fixed / counted[b], inBracket[b].swing / counted[b]};
    std::array<Lean, 36> bracket{};
    int k = 0;
    for (int a = 1; a <= 8; ++a)
        for (int b = a; b <= 8; ++b, ++k)
            bracket[k] = mean({inBracket[a], inBracket[b]}, rng.gaussian());
    grow(v.bracket, bracket, share);

    std::array<Lean, 153> quinella{}, wide{};
    k = 0;
    for (int i = 0; i < kMaxRunners; ++i)
        for (int j = i + 1; j < kMaxRunners; ++j, ++k) {
            quinella[k] = mean({runner[i], runner[j]}, rng.gaussian());
            wide[k] = mean({runner[i], runner[j]}, rng.gaussian());
        }
    grow(v.quinella, quinella, share);
    grow(v.wide, wide, share);

    std::array<Lean, 306> exacta{};
    k = 0;
    for (int i = 0; i < kMaxRunners; ++i)
        for (int j = 0; j < kMaxRunners; ++j)
            if (i != j)
                exacta[k++] = mean({runner[i], runner[j]}, rng.gaussian());
    grow(v.exacta, exacta, share);

    std::array<Lean, 816> trio{};
    k = 0;
    for (int i = 0; i < kMaxRunners; ++i)
        for (int j = i + 1; j < kMaxRunners; ++j)
            for (int m = j + 1; m < kMaxRunners; ++m)
                trio[k++] = mean({runner[i], runner[j], runner[m]}, rng.gaussian());
    grow(v.trio, trio, share);
    return v;
}

}  // namespace tavek::jvlink
