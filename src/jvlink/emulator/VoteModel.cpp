#include "jvlink/emulator/VoteModel.h"

#include "finishorder/FinishOrder.h"
#include "jvlink/emulator/Random.h"
#include "pools/PoolIndex.h"
#include "racedata/KeibaFunc.h"

#include <cmath>
#include <memory>

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

template <pools::Pool P>
using PoolWeights = std::array<double, pools::pool(P).entries>;

// The runners of entry k (0-based) of `pool` as 0-based indices, the unused -1.
pools::EntryRunners runnersOf(pools::Pool pool, size_t k)
{
    pools::EntryRunners r = pools::entryRunners(pool, int(k) + 1);
    for (int& i : r)
        --i;
    return r;
}

double poolVotes(const RaceDraw& race, pools::Pool pool)
{
    return race.pool[size_t(pool)];
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
    using pools::Pool;
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
    spread(v.win, win, total(win), poolVotes(race, Pool::Win));
    spread(v.place, place, total(place), poolVotes(race, Pool::Place));

    PoolWeights<Pool::Bracket> bracketChance{};
    std::array<int, pools::kBrackets + 1> inBracket{};
    for (int i = 0; i < n; ++i)
        ++inBracket[keiba::bracketOf(n, i + 1)];
    PoolWeights<Pool::Quinella> quinella{}, wide{};
    for (size_t k = 0; k < quinella.size(); ++k) {
        const auto [i, j, unused] = runnersOf(Pool::Quinella, k);
        if (j >= n)
            continue;
        const double q = order.quinella(i, j);
        v.quinella[k] = v.wide[k] = 0;
        quinella[k] = weight(q);
        wide[k] = weight(order.bothInFirst(i, j, 3));
        const int a = keiba::bracketOf(n, i + 1), b = keiba::bracketOf(n, j + 1);
        bracketChance[size_t(pools::entryOf(Pool::Bracket, std::min(a, b), std::max(a, b)) - 1)] += q;
    }
    spread(v.quinella, quinella, total(quinella), poolVotes(race, Pool::Quinella));
    spread(v.wide, wide, total(wide), poolVotes(race, Pool::Wide));

    PoolWeights<Pool::Bracket> bracket{};
    for (size_t k = 0; k < bracket.size(); ++k) {
        const pools::EntryRunners ab = pools::entryRunners(Pool::Bracket, int(k) + 1);
        if (ab[0] == ab[1] && inBracket[size_t(ab[0])] < 2)
            v.bracket[k] = -1;
        else
            bracket[k] = weight(bracketChance[k]);
    }
    spread(v.bracket, bracket, total(bracket), poolVotes(race, Pool::Bracket));

    PoolWeights<Pool::Exacta> exacta{};
    for (size_t k = 0; k < exacta.size(); ++k) {
        const auto [i, j, unused] = runnersOf(Pool::Exacta, k);
        if (i < n && j < n) {
            v.exacta[k] = 0;
            exacta[k] = weight(order.exacta(i, j));
        }
    }
    spread(v.exacta, exacta, total(exacta), poolVotes(race, Pool::Exacta));

    PoolWeights<Pool::Trio> trio{};
    for (size_t k = 0; k < trio.size(); ++k) {
        const auto [i, j, m] = runnersOf(Pool::Trio, k);
        if (m < n) {
            v.trio[k] = 0;
            trio[k] = weight(order.trio(i, j, m));
        }
    }
    spread(v.trio, trio, total(trio), poolVotes(race, Pool::Trio));

    // The trifecta's noise comes from a generator of its own, so that the
    // other pools keep the figures they had before it was written.
    v.trifecta.fill(-1);
    if (race.trifectaPool > 0) {
        Weights trifectaWeight(Random::seed({race.noiseSeed, 0x4836ULL}));
        auto trifecta = std::make_unique<PoolWeights<Pool::Trifecta>>();
        for (size_t k = 0; k < trifecta->size(); ++k) {
            const auto [i, j, m] = runnersOf(Pool::Trifecta, k);
            if (i < n && j < n && m < n) {
                v.trifecta[k] = 0;
                (*trifecta)[k] = trifectaWeight(order.ordered(i, j, m));
            } else {
                (*trifecta)[k] = 0;
            }
        }
        spread(v.trifecta, *trifecta, total(*trifecta), race.trifectaPool);
    }
    return v;
}

}  // namespace tavek::jvlink
