#include "jvlink/emulator/RaceFinish.h"

#include "finishorder/FinishOrder.h"
#include "jvlink/emulator/Random.h"
#include "racedata/KeibaFunc.h"

#include <algorithm>
#include <cmath>

namespace tavek::jvlink {

namespace {

// A runner of those not placed yet, drawn by its chance of winning raised to
// `discount`.
int drawRunner(const std::array<double, kMaxRunners>& win, const std::array<bool, kMaxRunners>& placed, double discount,
               Random& rng)
{
    std::array<double, kMaxRunners> weight{};
    double sum = 0;
    for (size_t i = 0; i < weight.size(); ++i) {
        weight[i] = placed[i] || win[i] <= 0 ? 0.0 : std::pow(win[i], discount);
        sum += weight[i];
    }
    double u = rng.uniform() * sum;
    int last = -1;
    for (size_t i = 0; i < weight.size(); ++i) {
        if (weight[i] <= 0)
            continue;
        last = int(i);
        u -= weight[i];
        if (u < 0)
            break;
    }
    return last;
}

template <size_t N>
std::vector<long long> entryVotes(const std::array<int64_t, N>& votes, int entries)
{
    std::vector<long long> out(size_t(entries), 0);
    for (size_t k = 0; k < N; ++k)
        out[k] = std::max<int64_t>(votes[k], 0);
    return out;
}

}  // namespace

pools::FinishingOrder finishOf(const RaceDraw& race)
{
    // Drawn after every vote, from a sequence of the race's own.
    Random rng(Random::seed({race.noiseSeed, 0x4852ULL}));
    const std::array<double, kMaxRunners> win = winChances(race);
    const double discounts[] = {1.0, finish::kDiscountedHarville.second, finish::kDiscountedHarville.third,
                                finish::kDiscountedHarville.third};
    std::array<bool, kMaxRunners> placed{};
    pools::FinishingOrder order;
    for (double discount : discounts) {
        const int runner = drawRunner(win, placed, discount, rng);
        if (runner < 0)
            break;
        placed[size_t(runner)] = true;
        order.places.push_back({runner + 1});
    }
    const bool deadHeat = rng.uniform() < kDeadHeatChance;
    const size_t place = size_t(rng.below(3));  // with the next
    if (deadHeat && place + 1 < order.places.size()) {
        order.places[place].push_back(order.places[place + 1].front());
        std::sort(order.places[place].begin(), order.places[place].end());
        order.places.erase(order.places.begin() + std::ptrdiff_t(place) + 1);
    }
    // The fourth runner counts only in a dead heat for third.
    if (order.places.size() > 3)
        order.places.resize(3);
    return order;
}

pools::RaceSales salesOf(const RaceDraw& race, const Votes& v)
{
    using pools::Pool;
    pools::RaceSales sales;
    sales.starters = race.starters;
    std::array<bool, pools::kRecordSlots + 1> scratched{};
    for (int h = 1; h <= race.registered; ++h) {
        sales.brackets[size_t(h)] = keiba::bracketOf(race.registered, h);
        scratched[size_t(h)] = race.scratched[size_t(h - 1)];
    }
    sales.refunds = pools::refundsOf(scratched, race.registered, sales.brackets);
    const QByteArray date = race.race.key().first(8);
    const auto put = [&](Pool pool, std::vector<long long> votes) {
        pools::PoolSales& s = sales.pools[size_t(pool)];
        s.rate = pools::pool(pool).rate(date);
        s.votes = std::move(votes);
        for (long long n : s.votes)
            s.total += n;
    };
    put(Pool::Win, entryVotes(v.win, pools::pool(Pool::Win).entries));
    put(Pool::Place, entryVotes(v.place, pools::pool(Pool::Place).entries));
    put(Pool::Bracket, entryVotes(v.bracket, pools::pool(Pool::Bracket).entries));
    put(Pool::Quinella, entryVotes(v.quinella, pools::pool(Pool::Quinella).entries));
    put(Pool::Wide, entryVotes(v.wide, pools::pool(Pool::Wide).entries));
    put(Pool::Exacta, entryVotes(v.exacta, pools::pool(Pool::Exacta).entries));
    put(Pool::Trio, entryVotes(v.trio, pools::pool(Pool::Trio).entries));
    put(Pool::Trifecta, entryVotes(v.trifecta, pools::pool(Pool::Trifecta).entries));
    sales.pools[size_t(Pool::Trifecta)].onSale = race.trifectaPool > 0;
    return sales;
}

pools::RacePayouts payoutsOf(const RaceDraw& race, const Votes& votes)
{
    return pools::racePayouts(salesOf(race, votes), finishOf(race));
}

}  // namespace tavek::jvlink
