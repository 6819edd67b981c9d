// The race's result under the race header and on every board.
#include "app/MainForm.h"

#include "app/ResultBoard.h"
#include "odds/ui/WinSheet.h"
#include "racedata/DayData.h"
#include "results/Winners.h"

#include <QScrollArea>
#include <QStatusBar>

#include <utility>

tavek::results::Winners TMainForm::winnersOf(int race)
{
    const tavek::results::Winners winners(race >= 0 ? day_->result(race) : nullptr);
    // Told once: a reload (a quick report's) would otherwise hide its own
    // report under it. A problem gone with the file mended goes from the line.
    const QString problem = day_->resultProblem();
    if (const QString told = std::exchange(resultProblem_, problem); problem != told) {
        if (!problem.isEmpty())
            StatusLine->showMessage(problem);
        else if (StatusLine->currentMessage() == told)
            StatusLine->clearMessage();
    }
    return winners;
}

void TMainForm::showResult(int race)
{
    const tavek::result::RaceResult* result = race >= 0 ? day_->result(race) : nullptr;
    if (!result) {
        ResultPanel->hide();
        return;
    }
    resultBoard->showSheet(tavek::results::resultSheet(*result, day_->voteRecord(race), trifectaRecord(race)),
                           winSheet->board().quickReport());
    if (ResultPanel->isHidden()) {
        const QMargins m = ResultPanel->contentsMargins();
        ResultPanel->setFixedHeight(resultBoard->height() + m.top() + m.bottom());
        ResultPanel->show();
    }
}

QByteArray TMainForm::trifectaRecord(int race)
{
    const QByteArray record = day_->trifectaRecord(race).toByteArray();
    if (const QString problem = day_->trifectaProblem(); !problem.isEmpty())
        StatusLine->showMessage(problem);
    return record;
}
