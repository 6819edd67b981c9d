// Reading one year of the emulated service whose download is already done:
// through the acquisition window on the offscreen platform (every list line,
// the status line and both bars as the user sees them), and through the
// shared acquisition core without a window, from the same stored files into
// empty day files. Each also reports the read rate over the first and the last
// tenth of the files, so a list that grows costlier per line shows up.
#include "app/TavekApplication.h"
#include "appfiles/IniGT.h"
#include "appfiles/SettingsKeys.h"
#include "controls/MessageBox.h"
#include "jvlink/client/BatchAcquisition.h"
#include "jvlink/client/SoftwareId.h"
#include "jvlink/emulator/EmulatedJVLink.h"
#include "jvlink/ui/GetDataUnit.h"
#include "racedata/Clock.h"
#include "support/BenchWindow.h"
#include "support/NullBatchView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

using namespace tavek;

namespace {

const QDateTime kStart(QDate(2023, 1, 1), QTime(0, 0));
// "Now" for the emulated calendar: the run reads exactly the year 2023.
const QDateTime kNow(QDate(2024, 1, 1), QTime(0, 0));

// The emulated service, timing the end of every file it serves.
class TimedJVLink : public jvlink::JVDTLabLib_TLB {
public:
    explicit TimedJVLink(jvlink::EmulatorSettings settings) : inner_(std::move(settings))
    {
        inner_.JVInit(jvlink::softwareId());
    }
    int32_t JVInit(const QString& sid) override { return inner_.JVInit(sid); }
    int32_t JVSetUIProperties() override { return inner_.JVSetUIProperties(); }
    int32_t JVOpen(const QString& spec, const QString& from, int32_t option, int32_t& rc, int32_t& dc,
                   QString& stamp) override
    {
        fileEnds_.clear();
        clock_.start();
        return inner_.JVOpen(spec, from, option, rc, dc, stamp);
    }
    int32_t JVRTOpen(const QString& spec, const QString& key) override { return inner_.JVRTOpen(spec, key); }
    int32_t JVStatus() override { return inner_.JVStatus(); }
    int32_t JVRead(QString& buff, int32_t& size, QString& fileName) override
    {
        const int32_t r = inner_.JVRead(buff, size, fileName);
        if (r == -1)
            fileEnds_.push_back(clock_.nsecsElapsed());
        return r;
    }
    void JVCancel() override { inner_.JVCancel(); }
    int32_t JVClose() override { return inner_.JVClose(); }

    // Files per second over the first and over the last tenth of the files;
    // `steady` leaves out the slowest file of each tenth, in which the core
    // may write its pending records (every 32 MB, once near the end of a year).
    std::pair<double, double> tenthRates(bool steady) const
    {
        const size_t n = fileEnds_.size();
        const size_t tenth = n / 10;
        if (tenth < 2)
            return {0, 0};
        auto rate = [&](size_t from) {
            qint64 sum = 0;
            qint64 slowest = 0;
            for (size_t i = from; i < from + tenth; ++i) {
                const qint64 d = fileEnds_[i] - (i == 0 ? 0 : fileEnds_[i - 1]);
                sum += d;
                slowest = std::max(slowest, d);
            }
            return steady ? double(tenth - 1) / (double(sum - slowest) / 1e9) : double(tenth) / (double(sum) / 1e9);
        };
        return {rate(0), rate(n - tenth)};
    }
    size_t files() const { return fileEnds_.size(); }

private:
    jvlink::EmulatedJVLink inner_;
    QElapsedTimer clock_;
    std::vector<qint64> fileEnds_;
};

// The emulated service's storage with the year downloaded (once, outside
// every timing), and a fresh application folder per run.
class Year {
public:
    Year()
    {
        settings_.storageFolder = root_.filePath(QStringLiteral("JVLinkEmu"));
        settings_.downloadPaceMs = 0;
        TimedJVLink jv(settings_);
        Run run;
        bench::NullBatchView view;
        jvlink::BatchAcquisition(jv, view, run.data(), run.ini()).runHeadless(kStart);
    }
    const jvlink::EmulatorSettings& settings() const { return settings_; }

    struct Run {
        QTemporaryDir dir;
        QString data() const { return dir.filePath(QStringLiteral("Data")); }
        TIniGT ini() const
        {
            TIniGT ini;
            ini.FileName = dir.filePath(QStringLiteral("TavekJ.ini"));
            return ini;
        }
    };

private:
    QTemporaryDir root_;
    jvlink::EmulatorSettings settings_;
};

Year& year()
{
    static Year y;
    return y;
}

void report(benchmark::State& state, const TimedJVLink& jv, int stored)
{
    const auto [first, last] = jv.tenthRates(false);
    const auto [steadyFirst, steadyLast] = jv.tenthRates(true);
    state.counters["files"] = double(jv.files());
    state.counters["records"] = double(stored);
    state.counters["first_tenth_files_per_s"] = first;
    state.counters["last_tenth_files_per_s"] = last;
    state.counters["last_to_first"] = first > 0 ? last / first : 0;
    state.counters["last_to_first_steady"] = steadyFirst > 0 ? steadyLast / steadyFirst : 0;
}

void HeadlessCoreReadsYear(benchmark::State& state)
{
    TimedJVLink jv(year().settings());
    bench::NullBatchView view;
    int stored = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto run = std::make_unique<Year::Run>();
        jvlink::BatchAcquisition acquisition(jv, view, run->data(), run->ini());
        state.ResumeTiming();
        acquisition.runHeadless(kStart);
        state.PauseTiming();
        stored = acquisition.storedCount();
        if (acquisition.state() != jvlink::BatchAcquisition::State::Idle
            || acquisition.outcome() != jvlink::BatchAcquisition::Outcome::Completed)
            state.SkipWithError("the year was not read to its end");
        run.reset();
        state.ResumeTiming();
    }
    report(state, jv, stored);
}

void AcquisitionWindowReadsYear(benchmark::State& state)
{
    TimedJVLink jv(year().settings());
    // Every box is answered at once (the start notice, the completion).
    const MessageBox::Hook previous = MessageBox::setHook(
        [](const MessageBox::Request&) { return MessageBox::Answer::Ok; });
    int stored = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto run = std::make_unique<Year::Run>();
        TIniGT ini = run->ini();
        settings::write(ini, settings::kLastTime, QStringLiteral("2023/01/01 00:00:00"));
        auto form = std::make_unique<TGetDataForm>(jv, run->data(), nullptr, ini);
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            state.SkipWithError("window not exposed");
        state.ResumeTiming();
        form->ButtonStartClick();
        state.PauseTiming();
        stored = form->acquisition().storedCount();
        if (form->acquisition().outcome() != jvlink::BatchAcquisition::Outcome::Completed)
            state.SkipWithError("the year was not read to its end");
        if (form->ListBox1->count() != stored)
            state.SkipWithError("a list line is missing");
        form.reset();
        run.reset();
        state.ResumeTiming();
    }
    MessageBox::setHook(previous);
    report(state, jv, stored);
}

}  // namespace

BENCHMARK(HeadlessCoreReadsYear)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(AcquisitionWindowReadsYear)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

int main(int argc, char** argv)
{
    clock::FixedNow now(kNow);
    return bench::runWindowBenchmarks(argc, argv);
}
