// Data acquisition from the main window: the batch acquisition window and the
// quick-report vote counts open from here.
#include "app/MainForm.h"

#include "controls/MessageBox.h"
#include "jvlink/client/QuickReport.h"
#include "jvlink/ui/GetDataUnit.h"
#include "odds/ui/BracketTab.h"
#include "odds/ui/QuinellaTab.h"
#include "odds/ui/WinSheet.h"
#include "racedata/Clock.h"
#include "racedata/DayData.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QScopeGuard>
#include <QStatusBar>

using tavek::jvlink::QuickReport;

namespace {

class MainQuickView : public tavek::jvlink::QuickView {
public:
    void processEvents() override { QApplication::processEvents(); }
    // The handler's busy cursor lasts until the fetch and its reload are
    // over; the handler itself returns the cursor to the default then.
    void restoreCursor() override {}
};

// The main window's busy cursor while a quick-report handler runs; a box
// shown meanwhile keeps its own cursor.
class BusyCursor {
public:
    explicit BusyCursor(QWidget* window)
        : window_(window), hadCursor_(window->testAttribute(Qt::WA_SetCursor)), previous_(window->cursor())
    {
        window_->setCursor(Qt::BusyCursor);
    }
    ~BusyCursor()
    {
        if (hadCursor_)
            window_->setCursor(previous_);
        else
            window_->unsetCursor();
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    QWidget* window_;
    bool hadCursor_;
    QCursor previous_;
};

QString timeNow()
{
    return tavek::clock::now().toString(QStringLiteral("HH:mm:ss"));
}

// Clears a flag when the handler ends, also by an error.
struct ClearOnExit {
    bool& flag;
    ~ClearOnExit() { flag = false; }
};

const QString kPickRaceFirst = QStringLiteral("速報票数：日付とレースを選んでから押してください");
const QString kPickDayFirst = QStringLiteral("1日分の速報票数：日付を選んでから実行してください");

}  // namespace

void TMainForm::JVBtnClick()
{
    if (!JVLink1)
        return;
    {
        TGetDataForm form(*JVLink1, dataFolder(), this);
        form.exec();
    }
    MakeDataListBtnClick();
}

QString TMainForm::quickFailureStatus(const QString& race, const QString& why)
{
    return QStringLiteral("速報票数の取得に失敗しました：%1（%2）%3").arg(race, timeNow(), why);
}

QString TMainForm::withNotes(const QString& text, const QString& notes)
{
    return notes.isEmpty() ? text : text + QStringLiteral("　") + notes;
}

QString TMainForm::quickReportStatus(const QString& race, const QuickReport::Result& result)
{
    using Kind = QuickReport::Result::Kind;
    switch (result.kind()) {
    case Kind::Failed:
        return quickFailureStatus(race, result.problem());
    case Kind::NoVotes:
        return QStringLiteral("速報票数はまだありません：%1（%2）").arg(race, timeNow());
    case Kind::Stored:
    case Kind::HistoryNotSaved:
        // A history that did not take the votes is named after: the day file has them.
        return QStringLiteral("速報票数を取得しました：%1（%2）%3").arg(race, timeNow(), result.problem());
    }
    return QString();
}

std::optional<QuickReport::Result> TMainForm::fetchQuickReport(int race)
{
    std::optional<QuickReport::Result> result;
    tavek::MessageBox::guarded(this, [&] { result = runQuickReport(race); });
    return result;
}

QuickReport::Result TMainForm::runQuickReport(int race)
{
    MainQuickView view;
    return QuickReport(*JVLink1, view, dataFolder(), *history_).fetch(day_->raceRecord(race));
}

QString TMainForm::reloadKeepingRace()
{
    // The day's reload selects the kept race, which runs every calculation
    // of it: the simulations run again once, and say what they dropped.
    day_->setKeepRaceOnReload(true);
    {
        const auto keep = qScopeGuard([this] { day_->setKeepRaceOnReload(false); });
        DateComboChange();
    }
    showOddsHistory();
    QStringList notes;
    for (const QString& note :
         {winSheet->board().dropped(), bracketTab->board().dropped(), quinellaTab->board().dropped()})
        if (!note.isEmpty())
            notes.append(note);
    return notes.join(QStringLiteral("　"));
}

void TMainForm::SokuhoHyosuBtnClick()
{
    if (!JVLink1)
        return;
    if (lbRace->currentIndex() < 0 || DateCombo->currentIndex() < 0) {
        StatusLine->showMessage(kPickRaceFirst);
        return;
    }
    BusyCursor busy(this);
    const QString race = lbRace->currentText();
    const std::optional<QuickReport::Result> result = fetchQuickReport(day_->currentRace());
    const QString notes = result && !BulkQuickReport ? reloadKeepingRace() : QString();
    // After a failure box, the status line need not repeat its message.
    StatusLine->showMessage(
        withNotes(result ? quickReportStatus(race, *result) : quickFailureStatus(race, QString()), notes));
}

void TMainForm::N11Click()
{
    // Without a selected date there is no day to fetch for (the list may
    // still show the races of a day whose files were just rewritten).
    if (!JVLink1)
        return;
    if (lbRace->count() == 0 || DateCombo->currentIndex() < 0) {
        StatusLine->showMessage(kPickDayFirst);
        return;
    }
    BusyCursor busy(this);
    const QString day = DateCombo->currentText();
    const int races = lbRace->count();
    int failed = 0;
    QString firstFailure;
    bool stopped = false;
    {
        BulkQuickReport = true;
        ClearOnExit bulk{BulkQuickReport};
        // The race selector and the shown race stay as they are while the
        // races are fetched; the reload below shows the day once.
        for (int i = 0; i < races && !stopped; ++i) {
            // A failure box would meet every later race as well: one box, and the day is reloaded.
            const std::optional<QuickReport::Result> result = fetchQuickReport(i);
            stopped = !result;
            const QString problem = result ? result->problem() : QString();
            if (stopped || !problem.isEmpty()) {
                ++failed;
                if (firstFailure.isEmpty())
                    firstFailure = problem;
            }
        }
    }
    // The user's race stays on screen.
    const QString notes = reloadKeepingRace();
    QString text;
    if (stopped)
        text = QStringLiteral("1日分の速報票数の取得を中断しました：%1（%2）").arg(day, timeNow());
    else if (failed > 0)
        text = QStringLiteral("1日分の速報票数を取得しました：%1 %2レース中%3レースで失敗（%4）%5")
                   .arg(day)
                   .arg(races)
                   .arg(failed)
                   .arg(timeNow(), firstFailure);
    else
        text = QStringLiteral("1日分の速報票数を取得しました：%1 %2レース（%3）").arg(day).arg(races).arg(timeNow());
    StatusLine->showMessage(withNotes(text, notes));
}
