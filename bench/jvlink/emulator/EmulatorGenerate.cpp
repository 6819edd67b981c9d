// Speed of the emulated service's record generator: every record of one year
// of race days (RA, SE, H1, H6 and HR), in bytes of record text per second.
#include "jvlink/emulator/GeneratedSource.h"
#include "jvlink/emulator/RaceCalendar.h"

#include <benchmark/benchmark.h>

using namespace tavek::jvlink;

static void GenerateOneYearOfRaceDays(benchmark::State& state)
{
    int64_t bytes = 0;
    int races = 0;
    for (auto _ : state) {
        races = 0;
        for (QDate day(2023, 1, 1); day.year() == 2023; day = day.addDays(1)) {
            races += static_cast<int>(calendar::meetingsOn(day).size()) * calendar::kRacesPerMeeting;
            for (auto kind : {GeneratedSource::FileKind::RaceDetails, GeneratedSource::FileKind::VoteCounts}) {
                const QByteArray records = GeneratedSource::dayFile(day, kind);
                benchmark::DoNotOptimize(records.data());
                bytes += records.size();
            }
        }
    }
    state.SetBytesProcessed(bytes);
    state.counters["races"] = races;
}
BENCHMARK(GenerateOneYearOfRaceDays)->Unit(benchmark::kMillisecond)->UseRealTime();
