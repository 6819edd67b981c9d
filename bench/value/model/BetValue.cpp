// Every bet of every pool of an 18-runner race under both finish-order models:
// the 妙味 tab recomputes this on each race selection and model change, and
// tavek-cli stats for every race of the seasons it reads.
// Target: the eight pools (the trifecta's 4,896 bets with them) under 20 ms.
#include "value/model/BetValue.h"
#include "support/TrifectaRecord.h"
#include "support/VoteRecord.h"

#include <benchmark/benchmark.h>

using namespace tavek;

namespace {

void BM_EveryBetBothModels(benchmark::State& state)
{
    const QByteArray record = bench::fullVoteCounts();
    for (auto _ : state)
        for (finish::Model model : finish::kModels)
            benchmark::DoNotOptimize(value::betValues(record, model));
}
BENCHMARK(BM_EveryBetBothModels)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The same in one call, as tavek-cli stats asks for every race: the odds and
// payouts worked out once for both models.
void BM_EveryBetBothModelsAtOnce(benchmark::State& state)
{
    const QByteArray record = bench::fullVoteCounts();
    for (auto _ : state)
        benchmark::DoNotOptimize(value::betValues(record, finish::kModels));
}
BENCHMARK(BM_EveryBetBothModelsAtOnce)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_EveryBetEightPools(benchmark::State& state)
{
    const QByteArray record = bench::fullVoteCounts();
    const QByteArray trifecta = bench::fullTrifecta();
    for (auto _ : state)
        benchmark::DoNotOptimize(value::betValues(record, finish::Model::Discounted, trifecta));
}
BENCHMARK(BM_EveryBetEightPools)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
