// A race switch in the main window on the offscreen platform: a full day of
// 36 races is loaded, and each step selects the next race as the race
// selector does, which computes all four tabs, and lets the window paint
// what changed, the visible tab included. One benchmark per visible tab.
#include "app/MainForm.h"
#include "app/TavekApplication.h"
#include "appfiles/AppFolder.h"
#include "appfiles/AppIdentity.h"
#include "controls/MessageBox.h"
#include "odds/ui/PoolTab.h"
#include "racedata/DayFiles.h"
#include "support/BenchDay.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

using namespace tavek;

namespace {

const QString kDay = QStringLiteral("2005年04月16日");

void write(const QString& path, const QList<QByteArray>& records)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        std::abort();
    for (const QByteArray& r : records)
        f.write(r);
}

// Counts the paints of a tab and its parts, to make sure each step rendered it.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void RaceSwitchOnFullDay(benchmark::State& state)
{
    QTemporaryDir dir;
    appfolder::setPath(dir.path());
    const QString data = identity::dataFolderIn(dir.path());
    QDir().mkpath(data);
    write(dayfiles::raceFilePath(data, kDay), bench::raceRecords());
    write(dayfiles::voteFilePath(data, kDay), bench::voteRecords());

    TMainForm form;
    form.resize(1100, 800);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        state.SkipWithError("window not exposed");
    form.DateCombo->setCurrentIndex(form.DateCombo->findText(kDay));
    form.DateComboChange();
    if (form.lbRace->count() != 36)
        state.SkipWithError("the day has not 36 races");
    form.PageControl1->setCurrentIndex(int(state.range(0)));
    if (form.PageControl1->currentWidget() == form.TabSheet7)
        form.poolTab->PoolCombo->setCurrentIndex(3);  // trio, the board with the most cells in view
    PaintCounter painted;
    QWidget* visible = form.PageControl1->currentWidget();
    visible->installEventFilter(&painted);
    for (QWidget* part : visible->findChildren<QWidget*>())
        part->installEventFilter(&painted);
    QApplication::processEvents();

    int race = 0;
    for (auto _ : state) {
        race = (race + 1) % 36;
        form.lbRace->setCurrentIndex(race);
        form.lbRaceChange();
        QApplication::processEvents();
    }
    if (painted.paints < int(state.iterations()))
        state.SkipWithError("the visible tab was not painted at every switch");
    state.SetLabel(form.PageControl1->tabText(int(state.range(0))).toStdString());
}

}  // namespace

// 0 win, 1 bracket quinella, 2 quinella, 3 reference, 4 the pool boards on
// trio (their order on screen).
BENCHMARK(RaceSwitchOnFullDay)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installFonts();
    // A failure box would wait for a click that never comes.
    MessageBox::setHook([](const MessageBox::Request& box) {
        qFatal("unexpected box: %s", qPrintable(box.text));
        return MessageBox::Answer::Ok;
    });
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
