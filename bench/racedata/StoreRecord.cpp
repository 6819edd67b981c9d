// Storing one day's 72 records (36 RA, 36 H1) into empty day files, each by
// its own read-replace-sort-rewrite cycle.

#include "racedata/DayFiles.h"
#include "support/BenchDay.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace tavek;

namespace {

void StoreOneDayOf72Records(benchmark::State& state)
{
    const QList<QByteArray> races = bench::raceRecords();
    const QList<QByteArray> votes = bench::voteRecords();
    QTemporaryDir dir;
    for (auto _ : state) {
        state.PauseTiming();
        for (const QString& f : QDir(dir.path()).entryList(QDir::Files))
            QFile::remove(QDir(dir.path()).filePath(f));
        state.ResumeTiming();
        for (int i = 0; i < 36; ++i) {
            dayfiles::storeRecord(dir.path(), races[i], dayfiles::Writer::Batch);
            dayfiles::storeRecord(dir.path(), votes[i], dayfiles::Writer::Batch);
        }
    }
}
BENCHMARK(StoreOneDayOf72Records)->Unit(benchmark::kMillisecond);

}  // namespace
