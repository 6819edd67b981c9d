// Day load and race selection against a plain read of the same two files.

#include "odds/model/WinBoard.h"
#include "racedata/DayData.h"
#include "racedata/DayFiles.h"
#include "support/BenchDay.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace tavek;

namespace {

const QString kDay = QStringLiteral("2005年04月16日");

struct Day {
    QTemporaryDir dir;
    Day()
    {
        bench::writeRecords(dayfiles::raceFilePath(dir.path(), kDay), bench::raceRecords());
        bench::writeRecords(dayfiles::voteFilePath(dir.path(), kDay), bench::voteRecords());
    }
};

Day& day()
{
    static Day d;
    return d;
}

void PlainReadOfBothFiles(benchmark::State& state)
{
    for (auto _ : state) {
        for (const QString& path :
             {dayfiles::raceFilePath(day().dir.path(), kDay), dayfiles::voteFilePath(day().dir.path(), kDay)}) {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            QByteArray all = f.readAll();
            benchmark::DoNotOptimize(all.data());
        }
    }
}
BENCHMARK(PlainReadOfBothFiles)->Unit(benchmark::kMicrosecond);

void DayLoadOf36Races(benchmark::State& state)
{
    auto data = std::make_unique<DayData>();
    for (auto _ : state) {
        DayLoad load = data->load(day().dir.path(), kDay);
        benchmark::DoNotOptimize(load.raceItems.size());
    }
}
BENCHMARK(DayLoadOf36Races)->Unit(benchmark::kMicrosecond);

// What the window does for one race selection on the win side: make it
// current, reset its win figures, and produce the header and every cell text.
void SelectRaceAndWinTexts(benchmark::State& state)
{
    auto data = std::make_unique<DayData>();
    data->load(day().dir.path(), kDay);
    int race = 0;
    for (auto _ : state) {
        data->selectRace(race);
        win::WinBoard board(*data);
        board.calculate(race);
        benchmark::DoNotOptimize(board.header().dateLine.size());
        for (int h = 1; h <= board.runners(); ++h)
            for (int c = 0; c < win::kColumns; ++c)
                benchmark::DoNotOptimize(board.cellText(h, c).size());
        race = (race + 1) % data->raceCount();
    }
}
BENCHMARK(SelectRaceAndWinTexts)->Unit(benchmark::kMicrosecond);

}  // namespace
