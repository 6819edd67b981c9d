// The odds history: storing one quick report's vote record (one transaction
// with its duplicate check, WAL journal) and reading a race's history of 200
// snapshots, as the オッズ推移 tab and `tavek-cli history` read it. With the
// trifecta's records: a day of quick reports of every race a minute apart, as
// the built-in service gives them (what it adds to the file), and reading a
// race's 200 snapshots with them.

#include "history/OddsHistory.h"
#include "jvlink/emulator/GeneratedSource.h"
#include "jvlink/emulator/RaceCalendar.h"
#include "support/BenchDay.h"
#include "timeline/model/OddsTimeline.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>

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

namespace {

// The manual's race day: three meetings, 36 races, the trifecta sold in each.
const QDate kTrifectaDay(2026, 12, 6);

std::vector<jvlink::calendar::Race> racesOfTheDay()
{
    std::vector<jvlink::calendar::Race> races;
    const auto meetings = jvlink::calendar::meetingsOn(kTrifectaDay);
    for (size_t slot = 0; slot < meetings.size(); ++slot)
        for (int number = 1; number <= jvlink::calendar::kRacesPerMeeting; ++number)
            races.push_back({kTrifectaDay, meetings[slot], number, int(slot)});
    return races;
}

// The built-in service's quick reports of `race` (its H1 and H6), a minute
// apart from `from` up to its post time, the final votes at the last.
void eachQuickReport(const jvlink::calendar::Race& race, const QDateTime& from,
                     const std::function<void(const QDateTime&, const QByteArray&, const QByteArray&)>& each)
{
    const jvlink::GeneratedSource service;
    for (QDateTime now = from; now <= race.postTime(); now = now.addSecs(60)) {
        const std::vector<QByteArray> records = service.quickReport(race.key(), now);
        if (records.size() == 2)
            each(now, records[0], records[1]);
    }
}

double megabytes(const QString& database)
{
    return double(QFileInfo(database).size() + QFileInfo(database + QStringLiteral("-wal")).size()) / 1e6;
}

// Every race's quick reports from the opening of sales at 07:00 to its post
// time, a minute apart, into one history with their trifecta records and one
// without: the time is the storing with them. "trifecta_mb" is what they add
// to the file; "store_ms" a snapshot's store with its trifecta record;
// "without" the snapshots of the history without them.
void TrifectaDayOfQuickReports(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir with, without;
        const QString withPath = history::databaseIn(with.path()), withoutPath = history::databaseIn(without.path());
        long long snapshots = 0, withoutTrifecta = 0;
        qint64 storeNs = 0;
        {
            history::OddsHistory kept(withPath), votesOnly(withoutPath);
            for (const jvlink::calendar::Race& race : racesOfTheDay())
                eachQuickReport(race, QDateTime(kTrifectaDay, QTime(7, 0)),
                                [&](const QDateTime& now, const QByteArray& votes, const QByteArray& trifecta) {
                    withoutTrifecta += votesOnly.record(votes, now);
                    QElapsedTimer timer;
                    timer.start();
                    state.ResumeTiming();
                    snapshots += kept.record(votes, now, trifecta);
                    state.PauseTiming();
                    storeNs += timer.nsecsElapsed();
                });
        }
        state.counters["snapshots"] = double(snapshots);
        state.counters["without"] = double(withoutTrifecta);
        state.counters["file_mb"] = megabytes(withPath);
        state.counters["trifecta_mb"] = megabytes(withPath) - megabytes(withoutPath);
        state.counters["store_ms"] = double(storeNs) / 1e6 / double(snapshots);
        state.ResumeTiming();
    }
}
BENCHMARK(TrifectaDayOfQuickReports)->Iterations(1)->Unit(benchmark::kSecond);

// A history of race 11's last 200 quick reports before its post time, with
// their trifecta records.
class TrifectaHistory {
public:
    TrifectaHistory() : odds_(history::databaseIn(dir_.path()))
    {
        race_ = racesOfTheDay()[10];
        eachQuickReport(race_, race_.postTime().addSecs(-199 * 60),
                        [this](const QDateTime& now, const QByteArray& votes, const QByteArray& trifecta) {
            odds_.record(votes, now, trifecta);
        });
    }
    const history::OddsHistory& odds() const { return odds_; }
    QByteArray key() const { return race_.key(); }

private:
    QTemporaryDir dir_;
    history::OddsHistory odds_;
    jvlink::calendar::Race race_;
};

// Reading the race's 200 snapshots: arg 0 with the trifecta records (1) or
// without (0); arg 1 all kept in memory (0), as a view keeps them, or handed
// on one at a time (1), as `tavek-cli history` reads them.
void ReadTrifectaHistoryOf200Snapshots(benchmark::State& state)
{
    const TrifectaHistory kept;
    const history::Trifecta trifecta = state.range(0) ? history::Trifecta::With : history::Trifecta::Without;
    const bool streamed = state.range(1) != 0;
    for (auto _ : state) {
        long long count = 0;
        if (streamed)
            kept.odds().forEachSnapshot(kept.key(), history::Detail::Votes, trifecta,
                                        [&count](const history::Snapshot& s) { count += s.trifecta.size() > 0; });
        else
            count = qsizetype(kept.odds().snapshots(kept.key(), history::Detail::Votes, trifecta).size());
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(ReadTrifectaHistoryOf200Snapshots)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

// The race's newest snapshot with its trifecta record, which may take the
// changes since the last record kept whole.
void ReadLatestTrifecta(benchmark::State& state)
{
    const TrifectaHistory kept;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            kept.odds().latestSnapshot(kept.key(), history::Detail::Votes, history::Trifecta::With)->trifecta.size());
}
BENCHMARK(ReadLatestTrifecta)->Unit(benchmark::kMillisecond);

}  // namespace
