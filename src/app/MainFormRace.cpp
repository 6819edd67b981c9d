// The date and race selectors and the win calculation they start.
#include "app/MainForm.h"

#include "controls/Label3D.h"
#include "controls/MessageBox.h"
#include "odds/ui/WinGrid.h"
#include "odds/ui/WinSheet.h"
#include "racedata/DayData.h"
#include "racedata/DayFiles.h"
#include "racedata/RecordLayout.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>

#include <utility>

namespace {

const QString kNoRaceData = QStringLiteral(
    "レースのデータがまだありません。「JVデータ取得」でレースのデータを取得してください。");
const QString kPickDay = QStringLiteral("日付とレースを選んでください。");
const QString kNoVotes = QStringLiteral(
    "このレースの票数はまだ取得されていません。「速報票数」（または「自動更新」）で取得してください。");
const QString kNoVotesRefreshing = QStringLiteral(
    "このレースの票数はまだ取得されていません。「自動更新」が発走時刻まで取得を続けます。");

}  // namespace

void TMainForm::MakeDataListBtnClick()
{
    // The acquisition window may have rewritten or removed the files of the
    // day on screen: it is shown again from them, at the same race.
    const QString shownDay = DateCombo->currentText();
    const QString shownRace = lbRace->currentText();
    QString problem;
    QStringList leftOut;
    const QStringList dates = tavek::dayfiles::dateList(dataFolder(), &problem, &leftOut);
    FileListBox1->clear();
    for (auto it = dates.crbegin(); it != dates.crend(); ++it)
        FileListBox1->addItem(*it + QString::fromLatin1(tavek::dayfiles::kRaceSuffix));
    {
        QSignalBlocker block(DateCombo);
        DateCombo->clear();
        DateCombo->addItems(dates);
        DateCombo->setCurrentIndex(shownDay.isEmpty() ? -1 : DateCombo->findText(shownDay, Qt::MatchExactly));
    }
    // The list stays empty; the user learns why, once.
    if (problem.isEmpty()) {
        dataFolderReported_ = false;
    } else if (!std::exchange(dataFolderReported_, true)) {
        tavek::MessageBox::unexpected(this, problem);
    }
    // Days left out of the list are named once, and again when others join them.
    if (leftOut != std::exchange(leftOutReported_, leftOut) && !leftOut.isEmpty())
        tavek::MessageBox::information(this, tavek::dayfiles::leftOutNote(dataFolder(), leftOut));
    if (DateCombo->currentIndex() < 0) {
        clearRaceDisplay();
        return;
    }
    tavek::MessageBox::guarded(this, [&] { showSelectedDay(shownRace); });
    showOddsHistory();
}

void TMainForm::clearRaceDisplay()
{
    lbRace->clear();
    lbRaceU->clear();
    Panel5->hide();
    ResultPanel->hide();
    PageControl1->hide();
    showRaceHint(DateCombo->count() == 0 ? kNoRaceData : kPickDay);
}

QString TMainForm::noVotesHint() const
{
    return AutoRefreshBtn->isChecked() ? kNoVotesRefreshing : kNoVotes;
}

void TMainForm::refreshNoVotesHint()
{
    if (HintLabel->text() == kNoVotes || HintLabel->text() == kNoVotesRefreshing)
        showRaceHint(noVotesHint());
}

void TMainForm::showRaceHint(const QString& hint)
{
    HintLabel->setText(hint);
    HintLabel->setVisible(!hint.isEmpty());
}

void TMainForm::DateComboChange()
{
    tavek::MessageBox::guarded(this, [this] { showSelectedDay(); });
}

void TMainForm::showSelectedDay(const QString& race)
{
    const QString dateText = DateCombo->currentText();
    PageControl1->hide();
    {
        QSignalBlocker blockRace(lbRace);
        QSignalBlocker blockRaceU(lbRaceU);
        lbRace->clear();
        lbRaceU->clear();
        const tavek::DayLoad load = day_->load(dataFolder(), dateText);
        lbRace->addItems(load.raceItems);
        lbRaceU->addItems(load.raceItems);
        winSheet->setRaceListed(!load.raceItems.isEmpty());
        PageControl1->show();
        if (!load.problem.isEmpty())
            tavek::MessageBox::unexpected(this, load.problem);
        const int kept = race.isEmpty() ? -1 : int(load.raceItems.indexOf(race));
        const int selection = kept >= 0 ? kept : load.selection;
        if (selection < 0)
            return;
        lbRace->setCurrentIndex(selection);
    }
    lbRaceChange();
}

void TMainForm::ReadHyosuBtnClick()
{
    // The figures of one slot read again from the vote record it holds.
    day_->readWinFigures(voteSlot);
    day_->readQuinellaFigures(voteSlot);
}

void TMainForm::lbRaceChange()
{
    bool selected = false;
    tavek::MessageBox::guarded(this, [&] {
        const int index = lbRace->currentIndex();
        if (!day_->selectRace(index))
            return;
        selected = true;
        clearPairFigures();
        {
            QSignalBlocker block(lbRaceU);
            lbRaceU->setCurrentIndex(lbRaceU->findText(lbRace->currentText(), Qt::MatchExactly));
        }
        lbRaceUChange();
        calcBtn->click();
    });
    // The automatic refresh follows the race picked: its votes are fetched
    // at once, not a whole interval later. A quick report's own reload of
    // the same race starts nothing.
    if (selected && AutoRefreshBtn->isChecked() && !day_->keepRaceOnReload()
        && tavek::layout::raceKey(day_->raceRecord(day_->currentRace())) != refreshedRace_)
        RefreshTimerTimer();
}

void TMainForm::lbRaceUChange()
{
    calcUbtn->click();
}

void TMainForm::calcBtnClick()
{
    WinGrid* grid = winSheet->StringGrid1;
    const int race = lbRace->currentIndex();
    // Nothing is painted inside a handler, so the tabs are hidden only when
    // they have nothing to show: hiding them and showing them again would
    // look the same but repaint the whole tab widget at every race switch.
    auto hideTabs = [&] {
        grid->hide();
        PageControl1->hide();
    };
    bool calculated = false;
    try {
        winSheet->setWinners(winnersOf(race));
        calculated = race >= 0 && winSheet->calculate(race, quickReportFetched(race));
    } catch (...) {
        hideTabs();
        throw;
    }
    if (!calculated) {
        hideTabs();
        // The race card names the race; its votes come with the quick report.
        if (race >= 0) {
            showRaceHeader();
            showResult(race);
            showRaceHint(noVotesHint());
            // The bracket board forgets its simulation as the win board did:
            // a race without votes is another race all the same.
            runBracketSection(race);
        }
        return;
    }
    showRaceHint(QString());
    PageControl1->show();
    grid->show();
    showRaceHeader();
    showResult(race);
    grid->clearSelection();
    runBracketSection(race);
    runReferenceSection(race);
}

void TMainForm::showRaceHeader()
{
    const tavek::win::HeaderTexts header = winSheet->board().header();
    Label3D3->setText(header.dateLine);
    Label3D2->setText(header.course);
    Label3D1->setText(header.number);
    Label3D5->setText(header.runners);
    Label3D6->setText(header.starters);
    Label3D12->setText(header.name);
    Label3D14->setText(reportText());
    for (Label3D* l : {Label3D2, Label3D3, Label3D5, Label3D6, Label3D12, Label3D14})
        l->adjustSize();
    // Each line flows on after the text before it, whatever the font's widths.
    Label3D12->move(Label3D2->geometry().right() + 16, Label3D12->y());
    Label3D5->move(Label3D3->geometry().right() + 24, Label3D5->y());
    Label3D6->move(Label3D5->geometry().right() + 8, Label3D6->y());
    Label3D14->move(Label3D6->geometry().right() + 16, Label3D14->y());
    Panel5->show();
}

std::optional<QDateTime> TMainForm::quickReportFetched(int race)
{
    // Final figures need no history: it is not opened for them.
    if (race < 0 || !tavek::win::quickReport(*day_, race))
        return std::nullopt;
    return tavek::win::quickReportFetched(*day_, race, oddsHistory());
}

QString TMainForm::reportText() const
{
    return winSheet->board().reportText();
}
