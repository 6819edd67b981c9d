// The date and race selectors and the win calculation they start.
#include "app/MainForm.h"

#include "controls/Label3D.h"
#include "controls/MessageBox.h"
#include "odds/ui/WinGrid.h"
#include "odds/ui/WinSheet.h"
#include "racedata/DayData.h"
#include "racedata/DayFiles.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>

#include <utility>

void TMainForm::MakeDataListBtnClick()
{
    QString problem;
    const QStringList dates = tavek::dayfiles::dateList(dataFolder(), &problem);
    FileListBox1->clear();
    for (auto it = dates.crbegin(); it != dates.crend(); ++it)
        FileListBox1->addItem(*it + QString::fromLatin1(tavek::dayfiles::kRaceSuffix));
    // Only the list is rebuilt: the loaded day stays on screen.
    QSignalBlocker block(DateCombo);
    DateCombo->clear();
    DateCombo->addItems(dates);
    DateCombo->setCurrentIndex(-1);
    // The list stays empty; the user learns why, once.
    if (problem.isEmpty()) {
        dataFolderReported_ = false;
    } else if (!std::exchange(dataFolderReported_, true)) {
        tavek::MessageBox::unexpected(this, problem);
    }
}

void TMainForm::DateComboChange()
{
    tavek::MessageBox::guarded(this, [this] { showSelectedDay(); });
}

void TMainForm::showSelectedDay()
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
        if (load.selection < 0)
            return;
        lbRace->setCurrentIndex(load.selection);
    }
    lbRaceChange();
}

void TMainForm::ReadHyosuBtnClick()
{
    // The day load reads every slot's vote record in one pass; this re-reads
    // the figures of one slot from the record it holds.
    day_->readWinFigures(voteSlot);
    day_->readQuinellaFigures(voteSlot);
}

void TMainForm::lbRaceChange()
{
    tavek::MessageBox::guarded(this, [this] {
        const int index = lbRace->currentIndex();
        if (!day_->selectRace(index))
            return;
        clearPairFigures();
        {
            QSignalBlocker block(lbRaceU);
            lbRaceU->setCurrentIndex(lbRaceU->findText(lbRace->currentText(), Qt::MatchExactly));
        }
        lbRaceUChange();
        calcBtn->click();
    });
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
        calculated = race >= 0 && winSheet->calculate(race);
    } catch (...) {
        hideTabs();
        throw;
    }
    if (!calculated) {
        hideTabs();
        return;
    }
    PageControl1->show();
    grid->show();
    showRaceHeader();
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
    for (Label3D* l : {Label3D2, Label3D3, Label3D5, Label3D6, Label3D12})
        l->adjustSize();
    // Each line flows on after the text before it, whatever the font's widths.
    Label3D12->move(Label3D2->geometry().right() + 16, Label3D12->y());
    Label3D5->move(Label3D3->geometry().right() + 24, Label3D5->y());
    Label3D6->move(Label3D5->geometry().right() + 8, Label3D6->y());
    Panel5->show();
}
