// tavek-cli history of a race with 30,000 snapshots (a quick report every
// second for over eight hours), as text, JSON and CSV, its output thrown away:
// the snapshots are read and printed one at a time, so the time grows with
// them and the memory does not. "peak_mb" is the process's peak resident
// memory during the runs (its mark reset first), so it includes the
// benchmark's own.

#include "cli/Cli.h"
#include "history/OddsHistory.h"
#include "support/BenchDay.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>
#include <QTextStream>

#include <benchmark/benchmark.h>

using namespace tavek;

namespace {

constexpr int kSnapshots = 30'000;

// An application folder with the bench day and a history of race 1 (race 0
// of the bench day), every snapshot's figures a little different.
class LongHistory {
public:
    LongHistory()
    {
        QDir(dir_.path()).mkdir(QStringLiteral("Data"));
        bench::writeRecords(data() + QStringLiteral("/2005年04月16日.jvRA"), bench::raceRecords());
        bench::writeRecords(data() + QStringLiteral("/2005年04月16日.jvH1"), bench::voteRecords());
        history::OddsHistory odds(history::databaseIn(dir_.path()));
        const QByteArray base = bench::voteRecords()[0];
        const QDateTime start(QDate(2005, 4, 16), QTime(7, 0));
        for (int n = 0; n < kSnapshots; ++n) {
            QByteArray r = base;
            layout::put(r, layout::winVotes(1 + n % 18), bench::votes(1000 + n));
            layout::put(r, layout::kWinTotal, bench::votes(171'000 + n));
            odds.record(r, start.addSecs(n));
        }
    }
    QString data() const { return dir_.filePath(QStringLiteral("Data")); }

private:
    QTemporaryDir dir_;
};

class Discard : public QIODevice {
public:
    Discard() { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 length) override { return length; }
};

// The peak resident memory in MB since the mark was last reset (Linux).
double peakMb(bool reset)
{
    if (reset) {
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        if (clear.open(QIODevice::WriteOnly))
            clear.write("5");
        return 0;
    }
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

void History30000Snapshots(benchmark::State& state)
{
    static const LongHistory folder;
    const char* const formats[] = {nullptr, "--json", "--csv"};
    QStringList args{"--data", folder.data(), "history", "2005-04-16", "1"};
    if (const char* format = formats[state.range(0)])
        args.append(QLatin1String(format));
    Discard device;
    QTextStream out(&device), err(&device);
    peakMb(true);
    for (auto _ : state) {
        if (cli::run(args, out, err) != cli::kSuccess)
            state.SkipWithError("history failed");
        out.flush();
    }
    state.counters["peak_mb"] = peakMb(false);
}
BENCHMARK(History30000Snapshots)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
