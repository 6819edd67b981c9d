// The stake advisor walks the whole 100-yen grid: a bankroll of 100,000,000
// yen is a million stakes. Target: under 100 ms for the three stakes.

#include "advisor/model/StakeAdvisor.h"
#include "advisor/model/AdvisorChart.h"
#include "pools/VotePools.h"

#include <benchmark/benchmark.h>

using namespace tavek::advice;

namespace {

// A big race's favourite: 2,000,000 of 20,000,000 win votes (odds 8.0).
const tavek::pools::PayoutRate kWinRate = tavek::pools::pool(tavek::pools::Pool::Win).rateFrom;
const Bet kFavourite{BetKind::Win, 1, 20'000'000, 2'000'000, kWinRate};

// P 0.5 keeps P O(x) above 1 over the whole bankroll, so every stake is
// weighed for Kelly too: the slowest case.
void BM_AdviseWholeBankroll(benchmark::State& state)
{
    const AdviceInput input{{1, 2}, state.range(0), {1, 1}};
    for (auto _ : state)
        benchmark::DoNotOptimize(advise(kFavourite, input));
}
BENCHMARK(BM_AdviseWholeBankroll)->Arg(100'000)->Arg(100'000'000)->Unit(benchmark::kMillisecond);

// P 0.1 pays nowhere: the Kelly growth is never computed, the break-even walk
// goes down the whole grid.
void BM_AdviseNoStakePays(benchmark::State& state)
{
    const AdviceInput input{{1, 10}, 100'000'000, {1, 1}};
    for (auto _ : state)
        benchmark::DoNotOptimize(advise(kFavourite, input));
}
BENCHMARK(BM_AdviseNoStakePays)->Unit(benchmark::kMillisecond);

// A trio of a big race: 20,000 of 15,000,000 votes (odds 562.5). P 0.005
// pays for the first few million yen; the walk covers the million stakes.
void BM_AdviseTrio(benchmark::State& state)
{
    const Bet trio{BetKind::Trio, 1, 15'000'000, 20'000, tavek::pools::pool(tavek::pools::Pool::Trio).rateFrom};
    const AdviceInput input{{1, 200}, 100'000'000, {1, 1}};
    for (auto _ : state)
        benchmark::DoNotOptimize(advise(trio, input));
}
BENCHMARK(BM_AdviseTrio)->Unit(benchmark::kMillisecond);

// A trifecta of a big race: 2,000 of 40,000,000 votes (odds 14500.0), P
// 0.0001. Target: under 100 ms at the 100,000,000-yen bankroll.
void BM_AdviseTrifecta(benchmark::State& state)
{
    const Bet trifecta{BetKind::Trifecta, 1, 40'000'000, 2'000,
                       tavek::pools::pool(tavek::pools::Pool::Trifecta).rateFrom};
    const AdviceInput input{{1, 10'000}, 100'000'000, {1, 1}};
    for (auto _ : state)
        benchmark::DoNotOptimize(advise(trifecta, input));
}
BENCHMARK(BM_AdviseTrifecta)->Unit(benchmark::kMillisecond);

// What the window does on every change of a field: the stakes and the chart.
void BM_AdviseAndChart(benchmark::State& state)
{
    const AdviceInput input{{1, 2}, 100'000'000, {1, 2}};
    for (auto _ : state) {
        const Advice a = advise(kFavourite, input);
        benchmark::DoNotOptimize(advisorChart(kFavourite, input, a));
    }
}
BENCHMARK(BM_AdviseAndChart)->Unit(benchmark::kMillisecond);

// Dutching 100,000,000 yen over `range` bets of one pool: a million 100-yen
// steps.
void BM_Dutch(benchmark::State& state)
{
    std::vector<Bet> bets;
    for (int h = 1; h <= state.range(0); ++h)
        bets.push_back({BetKind::Win, h, 20'000'000, 2'000'000 / h, kWinRate});
    for (auto _ : state)
        benchmark::DoNotOptimize(dutch(bets, 100'000'000));
}
BENCHMARK(BM_Dutch)
    ->Arg(2)
    ->Arg(5)
    ->Arg(tavek::pools::kMaxRunners)
    ->Arg(tavek::pools::pool(tavek::pools::Pool::Quinella).entries)
    ->Unit(benchmark::kMillisecond);

}  // namespace
