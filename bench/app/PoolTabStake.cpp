// A stake simulation on the trio board of the 賭式別オッズ tab, in the main
// window on the offscreen platform: each step enters a stake on one trio in
// the stake dialog and runs its OK, as the user does, and lets the window
// paint the board's changed cells. Consecutive steps enter different stakes,
// so every virtual odds on screen changes.
#include "controls/SaNumEditExC.h"
#include "odds/ui/PoolInputDialog.h"
#include "odds/ui/PoolTab.h"
#include "pools/PoolIndex.h"
#include "support/BenchWindow.h"

#include <QLabel>
#include <QTabWidget>

using namespace tavek;

namespace {

void StakeOnTrioBoard(benchmark::State& state)
{
    bench::BenchWindow window(state);
    TMainForm& form = *window.form;
    form.PageControl1->setCurrentWidget(form.TabSheet7);
    PoolTab& tab = *form.poolTab;
    tab.PoolCombo->setCurrentIndex(3);
    // Runner 1 is the pivot: the board shows the 136 trios with it.
    TInputPoolForm dialog(tab, pools::entryOf(pools::Pool::Trio, 1, 2, 3), InputKind::Stake, &tab);
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
    if (painted.paints < int(state.iterations()))
        state.SkipWithError("the board was not painted at every stake");
}

}  // namespace

BENCHMARK(StakeOnTrioBoard)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    return bench::runWindowBenchmarks(argc, argv);
}
