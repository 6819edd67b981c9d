#include "jvlink/emulator/VoteGrowth.h"

#include "jvlink/emulator/Random.h"
#include "pools/PoolIndex.h"
#include "racedata/KeibaFunc.h"

#include <algorithm>
#include <cmath>
#include <memory>

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

template <pools::Pool P>
using PoolLeans = std::array<Lean, pools::pool(P).entries>;

}  // namespace

Votes votesCast(const RaceDraw& race, const Votes& final, double share, double progress)
{
    using pools::Pool;
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

    const auto runnerLean = [&](int horse) { return runner[size_t(horse - 1)]; };

    Votes v = final;
    grow(v.win, runner, share);
    grow(v.place, place, share);

    std::array<Lean, pools::kBrackets + 1> inBracket{};
    std::array<int, pools::kBrackets + 1> counted{};
    for (int i = 0; i < n; ++i) {
        if (final.win[i] <= 0)
            continue;
        const int b = keiba::bracketOf(n, i + 1);
        inBracket[b].fixed += runner[i].fixed;
        inBracket[b].swing += runner[i].swing;
        ++counted[b];
    }
    for (int b = 1; b <= pools::kBrackets; ++b)
        if (counted[b] > 0)
            inBracket[b] = {inBracket[b].fixed / counted[b], inBracket[b].swing / counted[b]};
    PoolLeans<Pool::Bracket> bracket{};
    for (size_t k = 0; k < bracket.size(); ++k) {
        const pools::EntryRunners ab = pools::entryRunners(Pool::Bracket, int(k) + 1);
        bracket[k] = mean({inBracket[size_t(ab[0])], inBracket[size_t(ab[1])]}, rng.gaussian());
    }
    grow(v.bracket, bracket, share);

    PoolLeans<Pool::Quinella> quinella{}, wide{};
    for (size_t k = 0; k < quinella.size(); ++k) {
        const pools::EntryRunners r = pools::entryRunners(Pool::Quinella, int(k) + 1);
        quinella[k] = mean({runnerLean(r[0]), runnerLean(r[1])}, rng.gaussian());
        wide[k] = mean({runnerLean(r[0]), runnerLean(r[1])}, rng.gaussian());
    }
    grow(v.quinella, quinella, share);
    grow(v.wide, wide, share);

    PoolLeans<Pool::Exacta> exacta{};
    for (size_t k = 0; k < exacta.size(); ++k) {
        const pools::EntryRunners r = pools::entryRunners(Pool::Exacta, int(k) + 1);
        exacta[k] = mean({runnerLean(r[0]), runnerLean(r[1])}, rng.gaussian());
    }
    grow(v.exacta, exacta, share);

    PoolLeans<Pool::Trio> trio{};
    for (size_t k = 0; k < trio.size(); ++k) {
        const pools::EntryRunners r = pools::entryRunners(Pool::Trio, int(k) + 1);
        trio[k] = mean({runnerLean(r[0]), runnerLean(r[1]), runnerLean(r[2])}, rng.gaussian());
    }
    grow(v.trio, trio, share);

    // Drawn after the others, so that their paths stay as they were.
    if (race.trifectaPool > 0) {
        auto trifecta = std::make_unique<PoolLeans<Pool::Trifecta>>();
        for (size_t k = 0; k < trifecta->size(); ++k) {
            const pools::EntryRunners r = pools::entryRunners(Pool::Trifecta, int(k) + 1);
            (*trifecta)[k] = mean({runnerLean(r[0]), runnerLean(r[1]), runnerLean(r[2])}, rng.gaussian());
        }
        grow(v.trifecta, *trifecta, share);
    }
    return v;
}

}  // namespace tavek::jvlink
