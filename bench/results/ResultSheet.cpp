// The race header's result: a race's sheet (its payouts beside the payout
// rules' figures from every pool's votes, the trifecta's 4,896 included), as
// a race switch computes it.
#include "results/ResultSheet.h"
#include "app/ResultDay.h"
#include "racedata/RaceResult.h"

#include <benchmark/benchmark.h>

using namespace tavek;

namespace {

void ResultSheetOfARace(benchmark::State& state)
{
    const int race = 10;  // the trifecta sold: race 11 of 2005
    const QByteArray h1 = bench::voteRecords()[race];
    const QByteArray h6 = bench::trifectaRecords()[race];
    const result::RaceResult paid = result::read(bench::resultRecord(h1, h6, race));
    for (auto _ : state)
        benchmark::DoNotOptimize(results::resultSheet(paid, h1, h6));
}

}  // namespace

BENCHMARK(ResultSheetOfARace)->Unit(benchmark::kMicrosecond);
