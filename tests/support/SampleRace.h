#pragma once

#include "pools/PairIndex.h"
#include "racedata/RecordLayout.h"
#include "support/RaceFixture.h"

#include <array>
#include <cmath>
#include <vector>

// An 18-runner race whose votes of every bet type come from one Harville
// model of fixed strengths, each total the sum of its entries. Its key is
// that of Tokyo 11R on `date`.
inline tavek::test::H1Record sampleRace18(const char* date = "20050416")
{
    namespace layout = tavek::layout;
    constexpr int n = tavek::pools::kMaxRunners;
    std::array<double, n + 1> p{};
    double sum = 0;
    for (int h = 1; h <= n; ++h)
        sum += p[size_t(h)] = std::pow(0.82, (h * 7) % n) + 0.01;
    for (int h = 1; h <= n; ++h)
        p[size_t(h)] /= sum;
    auto exacta = [&](int a, int b) { return p[size_t(a)] * p[size_t(b)] / (1 - p[size_t(a)]); };
    auto ordered = [&](int a, int b, int c) { return exacta(a, b) * p[size_t(c)] / (1 - p[size_t(a)] - p[size_t(b)]); };
    auto bracketOf = [](int h) { return h <= 12 ? (h + 1) / 2 : h <= 15 ? 7 : 8; };

    tavek::test::H1Record b(tavek::test::raceKey(date));
    b.registered(n).starters(n);
    long long winTotal = 0;
    for (int h = 1; h <= n; ++h) {
        const long long v = std::llround(2'000'000 * p[size_t(h)]);
        b.votes(layout::winVotes(h), v);
        winTotal += v;
    }
    b.votes(layout::kWinTotal, winTotal).votes(layout::kPlaceTotal, winTotal * 6 / 5);

    using tavek::pools::Pool;
    std::array<double, tavek::pools::pool(Pool::Bracket).entries + 1> bracket{};
    long long quinellaTotal = 0;
    for (int k = 1; k <= tavek::pools::pool(Pool::Quinella).entries; ++k) {
        const auto [a, c, none] = tavek::pools::entryRunners(Pool::Quinella, k);
        const double q = exacta(a, c) + exacta(c, a);
        const long long v = std::llround(3'000'000 * q);
        b.quinella(k, v);
        quinellaTotal += v;
        bracket[size_t(tavek::pools::entryOf(Pool::Bracket, bracketOf(a), bracketOf(c)))] += q;
    }
    b.votes(layout::kQuinellaTotal, quinellaTotal).votes(layout::kWideTotal, quinellaTotal * 3 / 4);
    long long bracketTotal = 0;
    for (int k = 1; k < int(bracket.size()); ++k) {
        const long long v = std::llround(600'000 * bracket[size_t(k)]);
        b.bracket(k, v);
        bracketTotal += v;
    }
    b.votes(layout::kBracketTotal, bracketTotal);

    long long exactaTotal = 0;
    for (int k = 1; k <= tavek::pools::pool(Pool::Exacta).entries; ++k) {
        const auto [a, c, none] = tavek::pools::entryRunners(Pool::Exacta, k);
        const long long v = std::llround(2'500'000 * exacta(a, c));
        b.exacta(k - 1, a, c, v);
        exactaTotal += v;
    }
    b.votes(layout::kExactaTotal, exactaTotal);

    long long trioTotal = 0;
    for (int k = 1; k <= tavek::pools::pool(Pool::Trio).entries; ++k) {
        const auto [a, c, d] = tavek::pools::entryRunners(Pool::Trio, k);
        const double t = ordered(a, c, d) + ordered(a, d, c) + ordered(c, a, d) + ordered(c, d, a) + ordered(d, a, c)
                         + ordered(d, c, a);
        const long long v = std::llround(4'000'000 * t);
        b.trio(k - 1, a, c, d, v);
        trioTotal += v;
    }
    b.votes(layout::kTrioTotal, trioTotal);
    return b;
}

// The win example (10 runners, horse 2 scratched) with a quinella pool spread
// over every pair of the field (pair numbers as the record orders them), so
// that a ranking of bets mixes two pools.
inline tavek::test::H1Record exampleRaceWithQuinellas(const QByteArray& key)
{
    tavek::test::H1Record race = tavek::test::exampleWinRace(key).refund(2).win(2, 0).quinellaTotal(45'000);
    int k = 0;
    for (int a = 1; a <= 10; ++a)
        for (int b = a + 1; b <= 10; ++b, ++k)
            race.quinella(tavek::pools::pairIndexOf(tavek::pools::PairKind::Quinella, a, b), 1'000 + 37 * k);
    return race;
}
