// The odds history: storing one quick report's vote record (one transaction
// with its duplicate check, WAL journal) and reading a race's history of 200
// snapshots, as the オッズ推移 tab and `tavek-cli history` read it.

#include "history/OddsHistory.h"
#include "support/BenchDay.h"
#include "timeline/model/OddsTimeline.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace tavek;

namespace {

// Snapshot n of race 0: its first runner's votes and the total grow with n,
// so no two are equal.
QByteArray snapshot(const QByteArray& base, long long n)
{
    QByteArray r = base;
    layout::put(r, layout::winVotes(1), bench::votes(1000 + n));
    layout::put(r, layout::kWinTotal, bench::votes(171'000 + n));
    return r;
}

void StoreOneSnapshot(benchmark::State& state)
{
    const QByteArray base = bench::voteRecords()[0];
    QTemporaryDir dir;
    history::OddsHistory odds(history::databaseIn(dir.path()));
    const QDateTime start(QDate(2005, 4, 16), QTime(7, 0));
    long long n = 0;
    for (auto _ : state) {
        const bool stored = odds.record(snapshot(base, n), start.addSecs(n));
        benchmark::DoNotOptimize(stored);
        ++n;
    }
}
BENCHMARK(StoreOneSnapshot)->Unit(benchmark::kMillisecond);

void ReadHistoryOf200Snapshots(benchmark::State& state)
{
    const QByteArray base = bench::voteRecords()[0];
    QTemporaryDir dir;
    history::OddsHistory odds(history::databaseIn(dir.path()));
    const QDateTime start(QDate(2005, 4, 16), QTime(7, 0));
    for (int n = 0; n < 200; ++n)
        odds.record(snapshot(base, n), start.addSecs(60 * n));
    const QByteArray key = bench::key(0);
    const bool withOdds = state.range(0) != 0;
    for (auto _ : state) {
        timeline::OddsTimeline timeline(odds.snapshots(key));
        if (withOdds)  // what the tab computes besides: every runner's win odds text
            for (int i = 0; i < timeline.size(); ++i)
                for (int horse = 1; horse <= timeline.runners(); ++horse)
                    benchmark::DoNotOptimize(timeline.winOddsText(i, horse));
        benchmark::DoNotOptimize(timeline.size());
    }
}
BENCHMARK(ReadHistoryOf200Snapshots)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
