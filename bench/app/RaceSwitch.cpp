// A race switch in the main window on the offscreen platform: a full day of
// 36 races is loaded, and each step selects the next race as the race
// selector does, which computes every board, and lets the window paint
// what changed, the visible tab included. One benchmark per visible tab, on
// the day before its races are run and, RaceSwitchOnResultDay, after: every
// race with its result under the race header and its winners marked.
#include "ResultDay.h"
#include "TrifectaDay.h"
#include "odds/ui/PoolTab.h"
#include "support/BenchWindow.h"

#include <QScrollArea>
#include <QTabWidget>

using namespace tavek;

namespace {

void raceSwitch(benchmark::State& state, bool results)
{
    // The odds history tab draws a morning of quick reports of each race.
    // 8: the pool boards again, on the trifecta.
    const int tab = state.range(0) == 8 ? 4 : int(state.range(0));
    bench::BenchWindow window(state, tab == 7 ? 24 : 0);
    bench::writeTrifecta(bench::kDay);
    TMainForm& form = *window.form;
    if (results) {
        // The day loaded again, as after an acquisition: its results are read on first use after a load.
        bench::writeResults(bench::kDay);
        form.DateComboChange();
    }
    form.PageControl1->setCurrentIndex(tab);
    if (form.PageControl1->currentWidget() == form.TabSheet7)
        // Trio, the board with the most cells in view, or the trifecta with
        // the largest pool.
        form.poolTab->PoolCombo->setCurrentIndex(state.range(0) == 8 ? 4 : 3);
    bench::PaintCounter painted(form.PageControl1->currentWidget());
    QApplication::processEvents();

    int race = 0;
    for (auto _ : state) {
        race = (race + 1) % 36;
        // What a pick in the race selector does: every slot it has runs.
        form.lbRace->setCurrentIndex(race);
        emit form.lbRace->activated(race);
        QApplication::processEvents();
    }
    if (painted.paints < int(state.iterations()))
        state.SkipWithError("the visible tab was not painted at every switch");
    if (results && !form.ResultPanel->isVisible())
        state.SkipWithError("no result under the race header");
    state.SetLabel((form.PageControl1->tabText(tab) + u' ' + form.poolTab->PoolCombo->currentText()).toStdString());
}

void RaceSwitchOnFullDay(benchmark::State& state)
{
    raceSwitch(state, false);
}

void RaceSwitchOnResultDay(benchmark::State& state)
{
    raceSwitch(state, true);
}

}  // namespace

// 0 win, 1 bracket quinella, 2 quinella, 3 reference, 4 the pool boards on
// trio, 5 the stake advisor, 6 the value ranking, 7 the odds history (their
// order on screen), 8 the pool boards on the trifecta.
BENCHMARK(RaceSwitchOnFullDay)->DenseRange(0, 8)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RaceSwitchOnResultDay)->DenseRange(0, 8)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    return bench::runWindowBenchmarks(argc, argv);
}
