#pragma once

// The main window for the window benchmarks: the full bench day's files in a
// temporary application folder, the window shown on the offscreen platform
// with that day selected, a count of what it paints, and the main() that runs
// the benchmarks.

#include "app/MainForm.h"
#include "app/TavekApplication.h"
#include "appfiles/AppFolder.h"
#include "appfiles/AppIdentity.h"
#include "controls/MessageBox.h"
#include "history/OddsHistory.h"
#include "racedata/DayFiles.h"
#include "support/BenchDay.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace tavek::bench {

inline const QString kDay = QStringLiteral("2005年04月16日");

// The window on the 36 races of the bench day, the first race selected.
class BenchWindow {
    QTemporaryDir dir_;  // declared first, so it outlives the window that works in it

public:
    // With `snapshotsPerRace`, the odds history holds that many quick
    // reports of every race, each a little different, ten minutes apart.
    explicit BenchWindow(benchmark::State& state, int snapshotsPerRace = 0)
    {
        appfolder::setPath(dir_.path());
        const QString data = identity::dataFolderIn(dir_.path());
        QDir().mkpath(data);
        writeRecords(dayfiles::raceFilePath(data, kDay), raceRecords());
        writeRecords(dayfiles::voteFilePath(data, kDay), voteRecords());
        if (snapshotsPerRace > 0) {
            history::OddsHistory odds(history::databaseIn(dir_.path()));
            const QDateTime morning(QDate(2005, 4, 16), QTime(9, 0));
            for (const QByteArray& final : voteRecords())
                for (int n = 0; n < snapshotsPerRace; ++n) {
                    QByteArray r = final;
                    layout::put(r, layout::winVotes(1), votes(1000 + n * 37));
                    if (!odds.record(r, morning.addSecs(600 * n)))
                        state.SkipWithError("the odds history took no quick report");
                }
        }
        form = std::make_unique<TMainForm>();
        form->resize(1100, 800);
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            state.SkipWithError("window not exposed");
        form->DateCombo->setCurrentIndex(form->DateCombo->findText(kDay));
        form->DateComboChange();
        if (form->lbRace->count() != 36)
            state.SkipWithError("the day has not 36 races");
    }

    std::unique_ptr<TMainForm> form;
};

// Counts the paints of a widget and its parts, to make sure each step rendered it.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget)
    {
        widget->installEventFilter(this);
        for (QWidget* part : widget->findChildren<QWidget*>())
            part->installEventFilter(this);
    }

    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

inline int runWindowBenchmarks(int argc, char** argv)
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

}  // namespace tavek::bench
