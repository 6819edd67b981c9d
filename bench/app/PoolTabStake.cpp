// A stake simulation on the trio or trifecta board of the 賭式別オッズ tab, in the main
// window on the offscreen platform: each step enters a stake on one trio in
// the stake dialog and runs its OK, as the user does, and lets the window
// paint the board's changed cells (of the trifecta the 1着軸 1's 272). Consecutive steps enter different stakes,
// so every virtual odds on screen changes.
#include "TrifectaDay.h"
#include "controls/SaNumEditExC.h"
#include "odds/ui/PoolInputDialog.h"
#include "odds/ui/PoolTab.h"
#include "pools/PoolIndex.h"
#include "support/BenchWindow.h"

#include <QLabel>
#include <QTabWidget>

using namespace tavek;

namespace {

void StakeOnPoolBoard(benchmark::State& state)
{
    bench::BenchWindow window(state);
    bench::writeTrifecta(bench::kDay);
    TMainForm& form = *window.form;
    form.PageControl1->setCurrentWidget(form.TabSheet7);
    PoolTab& tab = *form.poolTab;
    const auto pool = pools::Pool(state.range(0));
    tab.PoolCombo->setCurrentIndex(pool == pools::Pool::Trio ? 3 : 4);
    // The bench day is of 2005, when the trifecta was sold in races 9-12 only.
    const int race = pool == pools::Pool::Trio ? 0 : 8;
    form.lbRace->setCurrentIndex(race);
    emit form.lbRace->activated(race);
    // Runner 1 is the pivot: the board shows the 136 trios with it.
    TInputPoolForm dialog(tab, pools::entryOf(pool, 1, 2, 3), InputKind::Stake, &tab);
    bench::PaintCounter painted(form.TabSheet7);
    QApplication::processEvents();

    const QString stakes[] = {QStringLiteral("1000000"), QStringLiteral("2000000")};
    int step = 0;
    for (auto _ : state) {
        dialog.SaNumEditExC1->setText(stakes[step++ % 2]);
        dialog.BitBtn1Click();
        QApplication::processEvents();
    }
    if (tab.ExcessBox->text().trimmed().isEmpty())
        state.SkipWithError("the stake was refused");
    state.SetLabel(tab.PoolCombo->currentText().toStdString());
    if (painted.paints < int(state.iterations()))
        state.SkipWithError("the board was not painted at every stake");
}

}  // namespace

BENCHMARK(StakeOnPoolBoard)
    ->Arg(int(pools::Pool::Trio))
    ->Arg(int(pools::Pool::Trifecta))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

int main(int argc, char** argv)
{
    return bench::runWindowBenchmarks(argc, argv);
}
