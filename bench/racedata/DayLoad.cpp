// Day load and race selection against a plain read of the race and vote
// files. Target: the load at most 1.3 times the plain read, with the day's
// trifecta file beside them too: that file (3.7 MB) is read when a trifecta
// figure is first asked for, never at load.

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
    explicit Day(bool trifecta)
    {
        bench::writeRecords(dayfiles::raceFilePath(dir.path(), kDay), bench::raceRecords());
        bench::writeRecords(dayfiles::voteFilePath(dir.path(), kDay), bench::voteRecords());
        if (trifecta)
            bench::writeRecords(dayfiles::trifectaFilePath(dir.path(), kDay), bench::trifectaRecords());
    }
};

// The day without its trifecta file, or (trifecta) with it.
Day& day(bool trifecta = false)
{
    static Day without(false);
    static Day with(true);
    return trifecta ? with : without;
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

// Arg 1: the day's trifecta file lies beside the other two.
void DayLoadOf36Races(benchmark::State& state)
{
    const QString folder = day(state.range(0) == 1).dir.path();
    auto data = std::make_unique<DayData>();
    for (auto _ : state) {
        DayLoad load = data->load(folder, kDay);
        benchmark::DoNotOptimize(load.raceItems.size());
    }
}
BENCHMARK(DayLoadOf36Races)->ArgName("trifecta_file")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The load and the first trifecta figure asked for: the trifecta file read.
void DayLoadAndFirstTrifecta(benchmark::State& state)
{
    auto data = std::make_unique<DayData>();
    for (auto _ : state) {
        data->load(day(true).dir.path(), kDay);
        benchmark::DoNotOptimize(data->trifectaRecord(0).size());
    }
    if (data->trifectaRecord(0).first(2) != "H6")
        state.SkipWithError("the trifecta file was not read");
}
BENCHMARK(DayLoadAndFirstTrifecta)->Unit(benchmark::kMicrosecond);

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
