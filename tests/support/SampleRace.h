#pragma once

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
    constexpr int n = 18;
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

    std::array<double, 37> bracket{};
    long long quinellaTotal = 0;
    for (int a = 1; a < n; ++a)
        for (int c = a + 1; c <= n; ++c) {
            const double q = exacta(a, c) + exacta(c, a);
            const long long v = std::llround(3'000'000 * q);
            b.quinella((a - 1) * (36 - a) / 2 + (c - a), v);
            quinellaTotal += v;
            const int x = bracketOf(a), y = bracketOf(c);
            bracket[size_t((x - 1) * (18 - x) / 2 + (y - x) + 1)] += q;
        }
    b.votes(layout::kQuinellaTotal, quinellaTotal).votes(layout::kWideTotal, quinellaTotal * 3 / 4);
    long long bracketTotal = 0;
    for (int k = 1; k <= 36; ++k) {
        const long long v = std::llround(600'000 * bracket[size_t(k)]);
        b.bracket(k, v);
        bracketTotal += v;
    }
    b.votes(layout::kBracketTotal, bracketTotal);

    long long exactaTotal = 0;
    int i = 0;
    for (int a = 1; a <= n; ++a)
        for (int c = 1; c <= n; ++c) {
            if (a == c)
                continue;
            const long long v = std::llround(2'500'000 * exacta(a, c));
            b.exacta(i++, a, c, v);
            exactaTotal += v;
        }
    b.votes(layout::kExactaTotal, exactaTotal);

    long long trioTotal = 0;
    i = 0;
    for (int a = 1; a <= n; ++a)
        for (int c = a + 1; c <= n; ++c)
            for (int d = c + 1; d <= n; ++d) {
                const double t = ordered(a, c, d) + ordered(a, d, c) + ordered(c, a, d) + ordered(c, d, a)
                                 + ordered(d, a, c) + ordered(d, c, a);
                const long long v = std::llround(4'000'000 * t);
                b.trio(i++, a, c, d, v);
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
            race.quinella((a - 1) * (36 - a) / 2 + (b - a), 1'000 + 37 * k);
    return race;
}
