// A stake moves every odds of a pool board; each is computed when asked for.
// Measured: a stake and every entry's virtual odds asked for, as CSV export
// and tavek-cli do. Targets: a stake simulation on the trio board (816
// entries) well under 2 ms, on the trifecta board (4,896 entries) under 2 ms;
// the place and wide ranges (153 pairs x up to 16 third runners) as cheap.

#include "odds/model/PoolBoard.h"
#include "racedata/RecordLayout.h"
#include "support/TrifectaRecord.h"

#include <benchmark/benchmark.h>

using namespace tavek;
using pools::Pool;

namespace {

// 18 runners, every entry of the four pools with votes, each pool's total
// their sum.
QByteArray fullRace()
{
    QByteArray r(layout::kH1Length, ' ');
    layout::put(r, layout::kRaceKey, "2024060105020811");
    layout::put(r, layout::kRegistered, QByteArray::number(pools::kMaxRunners));
    layout::put(r, layout::kStarters, QByteArray::number(pools::kMaxRunners));
    for (int h = 1; h <= layout::kMaxWinEntries; ++h)
        layout::put(r, layout::refundFlag(h), "0");
    for (Pool pool : {Pool::Place, Pool::Wide, Pool::Exacta, Pool::Trio}) {
        const pools::VotePool& p = pools::pool(pool);
        long long total = 0;
        for (int n = 1; n <= p.entries; ++n) {
            const long long votes = 1'000 + (n * 7'919) % 90'000;
            layout::put(r, p.votes(n), QByteArray::number(votes).rightJustified(layout::kVoteLen, '0'));
            total += votes;
        }
        layout::put(r, p.total, QByteArray::number(total).rightJustified(layout::kVoteLen, '0'));
    }
    return r;
}

QByteArray recordOf(Pool pool)
{
    return pools::inVoteCounts(pool) ? fullRace() : bench::fullTrifecta();
}

void BM_StakeSimulation(benchmark::State& state)
{
    const Pool pool = Pool(state.range(0));
    const QByteArray record = recordOf(pool);
    sim::PoolBoard board(pool);
    board.calculate(record);
    long long yen = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(board.simulateStake(2, yen));
        for (int n = 1; n <= board.size(); ++n)
            benchmark::DoNotOptimize(board.virtualOdds(n));
        yen = (yen + 100) % 1'000'000;
    }
}
BENCHMARK(BM_StakeSimulation)
    ->ArgName("pool")
    ->Arg(int(Pool::Place))
    ->Arg(int(Pool::Wide))
    ->Arg(int(Pool::Trio))
    ->Arg(int(Pool::Trifecta))
    ->Unit(benchmark::kMicrosecond);

// The race selection: the figures read from the record and every entry's odds.
void BM_Calculate(benchmark::State& state)
{
    const QByteArray record = recordOf(Pool(state.range(0)));
    sim::PoolBoard board(Pool(state.range(0)));
    for (auto _ : state)
        board.calculate(record);
}
BENCHMARK(BM_Calculate)
    ->ArgName("pool")
    ->Arg(int(Pool::Wide))
    ->Arg(int(Pool::Trio))
    ->Arg(int(Pool::Trifecta))
    ->Unit(benchmark::kMicrosecond);

}  // namespace
