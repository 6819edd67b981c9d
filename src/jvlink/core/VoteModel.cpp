#include "jvlink/core/VoteModel.h"

#include "racedata/KeibaFunc.h"

#include <cmath>

namespace tavek::jvlink {

namespace {

// Pool sizes relative to the win pool.
constexpr double kPlacePool = 0.75, kBracketPool = 0.3, kQuinellaPool = 1.8, kWidePool = 0.9, kExactaPool = 1.4,
                 kTrioPool = 2.2;

struct Probabilities {
    std::array<double, kMaxRunners> win{}, place{};
    std::array<std::array<double, kMaxRunners>, kMaxRunners> exacta{}, wide{};
    std::array<double, 816> trio{};
};

double ratio(double a, double b)
{
    return b > 1e-12 ? a / b : 0.0;
}

Probabilities probabilities(const RaceDraw& race)
{
    Probabilities p;
    const int n = race.registered;
    double sum = 0;
    for (int i = 0; i < n; ++i)
        sum += race.strength[i];
    for (int i = 0; i < n; ++i)
        p.win[i] = race.strength[i] / sum;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (i != j)
                p.exacta[i][j] = p.win[i] * ratio(p.win[j], 1.0 - p.win[i]);
    // Ordered first three: exacta(a, b) * p(c) / (1 - p(a) - p(b)).
    auto ordered = [&](int a, int b, int c) { return p.exacta[a][b] * ratio(p.win[c], 1.0 - p.win[a] - p.win[b]); };
    int t = 0;
    for (int i = 0; i < kMaxRunners; ++i)
        for (int j = i + 1; j < kMaxRunners; ++j)
            for (int k = j + 1; k < kMaxRunners; ++k, ++t) {
                if (k >= n)
                    continue;
                const double q = ordered(i, j, k) + ordered(i, k, j) + ordered(j, i, k) + ordered(j, k, i)
                                 + ordered(k, i, j) + ordered(k, j, i);
                p.trio[t] = q;
                p.place[i] += q;
                p.place[j] += q;
                p.place[k] += q;
                p.wide[i][j] += q;
                p.wide[i][k] += q;
                p.wide[j][k] += q;
            }
    return p;
}

// Final votes for a probability; a combination that can win gets at least one vote.
int64_t votes(double pool, double probability, double share)
{
    if (probability <= 0)
        return 0;
    const int64_t final = std::max<int64_t>(1, std::llround(pool * probability));
    return share >= 1.0 ? final : static_cast<int64_t>(std::floor(static_cast<double>(final) * share));
}

}  // namespace

Votes votesOf(const RaceDraw& race, double share)
{
    const Probabilities p = probabilities(race);
    const int n = race.registered;
    const double w = race.winPool;
    Votes v;
    v.win.fill(-1);
    v.place.fill(-1);
    v.quinella.fill(-1);
    v.wide.fill(-1);
    v.exacta.fill(-1);
    v.trio.fill(-1);
    for (int i = 0; i < n; ++i) {
        v.win[i] = votes(w, p.win[i], share);
        v.place[i] = votes(w * kPlacePool, p.place[i] / 3.0, share);
    }
    std::array<double, 36> bracket{};
    std::array<int, 9> inBracket{};
    for (int i = 0; i < n; ++i)
        ++inBracket[keiba::bracketOf(n, i + 1)];
    int k = 0;
    for (int i = 0; i < kMaxRunners; ++i)
        for (int j = i + 1; j < kMaxRunners; ++j, ++k) {
            if (j >= n)
                continue;
            const double q = p.exacta[i][j] + p.exacta[j][i];
            v.quinella[k] = votes(w * kQuinellaPool, q, share);
            v.wide[k] = votes(w * kWidePool, p.wide[i][j] / 3.0, share);
            int a = keiba::bracketOf(n, i + 1), b = keiba::bracketOf(n, j + 1);
            if (a > b)
                std::swap(a, b);
            bracket[(a - 1) * (18 - a) / 2 + (b - a)] += q;
        }
    k = 0;
    for (int a = 1; a <= 8; ++a)
        for (int b = a; b <= 8; ++b, ++k)
            v.bracket[k] = (a == b && inBracket[a] < 2) ? -1 : votes(w * kBracketPool, bracket[k], share);
    k = 0;
    for (int i = 0; i < kMaxRunners; ++i)
        for (int j = 0; j < kMaxRunners; ++j) {
            if (i == j)
                continue;
            if (i < n && j < n)
                v.exacta[k] = votes(w * kExactaPool, p.exacta[i][j], share);
            ++k;
        }
    int t = 0;
    for (int i = 0; i < kMaxRunners; ++i)
        for (int j = i + 1; j < kMaxRunners; ++j)
            for (int m = j + 1; m < kMaxRunners; ++m, ++t)
                if (m < n)
                    v.trio[t] = votes(w * kTrioPool, p.trio[t], share);
    return v;
}

}  // namespace tavek::jvlink
