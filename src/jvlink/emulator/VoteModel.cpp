#include "jvlink/emulator/VoteModel.h"

#include "finishorder/FinishOrder.h"
#include "jvlink/emulator/Random.h"
#include "racedata/KeibaFunc.h"

#include <cmath>

namespace tavek::jvlink {

namespace {

// Every runner draws some win money however slim its chance (the
// favourite-longshot bias of the win pool): a floor under the strengths keeps
// the longest odds of an 18-runner field near 350 times.
constexpr double kLongshotFloor = 0.0045;
// Shares of the other pools ~ chance^kOtherBias, times noise with this sd of its log.
constexpr double kOtherBias = 0.92, kNoise = 0.18;

double ratio(double a, double b)
{
    return b > 1e-12 ? a / b : 0.0;
}

// The finishing order follows the discounted Harville model, which follows
// normal running times closely without sampling.
finish::FinishOrder orderOf(const std::array<double, kMaxRunners>& win, int registered)
{
    return {std::span(win.data(), size_t(registered)), finish::kDiscountedHarville};
}

// The bettors' weight of a combination: its chance flattened by the bias,
// times log-normal noise (four 16-bit uniforms summed stand in for a normal).
class Weights {
public:
    explicit Weights(uint64_t seed) : rng_(seed) {}
    double operator()(double chance)
    {
        const uint64_t bits = rng_.next();
        if (chance <= 0)
            return 0;
        const float u = static_cast<float>((bits & 0xFFFF) + ((bits >> 16) & 0xFFFF) + ((bits >> 32) & 0xFFFF)
                                           + (bits >> 48))
                        * 0x1.0p-16f;
        // Single precision is plenty for a weight and twice as fast.
        return std::exp(static_cast<float>(kOtherBias) * std::log(static_cast<float>(chance))
                        + static_cast<float>(kNoise * 1.7320508075688772) * (u - 2.0f));
    }

private:
    Random rng_;
};

// Spreads `pool` over `weights` (summing to `sum`); an entry with weight gets
// at least one vote.
template <size_t N>
void spread(std::array<int64_t, N>& out, const std::array<double, N>& weights, double sum, double pool)
{
    for (size_t k = 0; k < N; ++k) {
        if (out[k] < 0)
            continue;
        if (weights[k] <= 0) {
            out[k] = 0;
            continue;
        }
        out[k] = std::max<int64_t>(1, std::llround(pool * weights[k] / sum));
    }
}

template <size_t N>
double total(const std::array<double, N>& w)
{
    double s = 0;
    for (double x : w)
        s += x;
    return s;
}

}  // namespace

std::array<double, kMaxRunners> winChances(const RaceDraw& race)
{
    std::array<double, kMaxRunners> p{};
    double sum = 0;
    for (int i = 0; i < race.registered; ++i) {
        p[i] = race.strength[i];
        sum += p[i];
    }
    for (double& x : p)
        x = ratio(x, sum);
    return p;
}

Votes votesOf(const RaceDraw& race)
{
    const int n = race.registered;
    const finish::FinishOrder order = orderOf(winChances(race), n);
    Weights weight(race.noiseSeed);
    Votes v;
    v.win.fill(-1);
    v.place.fill(-1);
    v.bracket.fill(0);
    v.quinella.fill(-1);
    v.wide.fill(-1);
    v.exacta.fill(-1);
    v.trio.fill(-1);

    std::array<double, kMaxRunners> win{}, place{};
    for (int i = 0; i < n; ++i) {
        v.win[i] = v.place[i] = 0;
        win[i] = race.strength[i] > 0 ? race.strength[i] + kLongshotFloor : 0.0;
        place[i] = weight(order.inFirst(i, 3));
    }
    spread(v.win, win, total(win), race.pool[WinPool]);
    spread(v.place, place, total(place), race.pool[PlacePool]);

    std::array<double, 36> bracketChance{};
    std::array<int, 9> inBracket{};
    for (int i = 0; i < n; ++i)
        ++inBracket[keiba::bracketOf(n, i + 1)];
    std::array<double, 153> quinella{}, wide{};
    int k = 0;
    for (int i = 0; i < kMaxRunners; ++i)
        for (int j = i + 1; j < kMaxRunners; ++j, ++k) {
            if (j >= n)
                continue;
            const double q = order.quinella(i, j);
            v.quinella[k] = v.wide[k] = 0;
            quinella[k] = weight(q);
            wide[k] = weight(order.bothInFirst(i, j, 3));
            int a = keiba::bracketOf(n, i + 1), b = keiba::bracketOf(n, j + 1);
            if (a > b)
                std::swap(a, b);
            bracketChance[(a - 1) * (18 - a) / 2 + (b - a)] += q;
        }
    spread(v.quinella, quinella, total(quinella), race.pool[QuinellaPool]);
    spread(v.wide, wide, total(wide), race.pool[WidePool]);

    std::array<double, 36> bracket{};
    k = 0;
    for (int a = 1; a <= 8; ++a)
        for (int b = a; b <= 8; ++b, ++k) {
            if (a == b && inBracket[a] < 2)
                v.bracket[k] = -1;
            else
                bracket[k] = weight(bracketChance[k]);
        }
    spread(v.bracket, bracket, total(bracket), race.pool[BracketPool]);

    std::array<double, 306> exacta{};
    k = 0;
    for (int i = 0; i < kMaxRunners; ++i)
        for (int j = 0; j < kMaxRunners; ++j) {
            if (i == j)
                continue;
            if (i < n && j < n) {
                v.exacta[k] = 0;
                exacta[k] = weight(order.exacta(i, j));
            }
            ++k;
        }
    spread(v.exacta, exacta, total(exacta), race.pool[ExactaPool]);

    std::array<double, 816> trio{};
    int t = 0;
    for (int i = 0; i < kMaxRunners; ++i)
        for (int j = i + 1; j < kMaxRunners; ++j)
            for (int m = j + 1; m < kMaxRunners; ++m, ++t)
                if (m < n) {
                    v.trio[t] = 0;
                    trio[t] = weight(order.trio(i, j, m));
                }
    spread(v.trio, trio, total(trio), race.pool[TrioPool]);
    return v;
}

}  // namespace tavek::jvlink
