// The quinella, bracket-quinella, reference, pool, stake advisor, 妙味 and 買い目 tabs as the
// main window sees them: where their widgets go, and the steps of a race
// selection that are theirs.
#include "app/MainForm.h"

#include "advisor/ui/AdvisorTab.h"
#include "odds/model/PairSlot.h"
#include "odds/ui/BracketTab.h"
#include "odds/ui/PoolTab.h"
#include "odds/ui/QuinellaTab.h"
#include "odds/ui/ReferenceTab.h"
#include "purchase/ui/TicketsTab.h"
#include "racedata/DayData.h"
#include "results/Winners.h"
#include "value/ui/ValueTab.h"

#include <QComboBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

template <class Tab>
Tab* fill(QWidget* page, Tab* tab)
{
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tab);
    return tab;
}

}  // namespace

void TMainForm::buildPairTabs()
{
    bracketTab = fill(TabSheet3, new BracketTab);
    quinellaTab = fill(TabSheet2, new QuinellaTab);
    referenceTab = fill(TabSheet4, new ReferenceTab);
    poolTab = fill(TabSheet7, new PoolTab);
    // The stake advisor comes after the program's four tabs and the pool boards.
    TabSheet5 = new QWidget;
    TabSheet5->setObjectName(QStringLiteral("TabSheet5"));
    PageControl1->addTab(TabSheet5, QStringLiteral("資金配分"));
    advisorTab = fill(TabSheet5, new AdvisorTab(*day_));
    TabSheet8 = new QWidget;
    TabSheet8->setObjectName(QStringLiteral("TabSheet8"));
    PageControl1->addTab(TabSheet8, QStringLiteral("妙味"));
    valueTab = fill(TabSheet8, new ValueTab(*day_));
    TabSheet9 = new QWidget;
    TabSheet9->setObjectName(QStringLiteral("TabSheet9"));
    PageControl1->addTab(TabSheet9, QStringLiteral("買い目"));
    ticketsTab = fill(TabSheet9, new TicketsTab(*day_));
    // A bet chosen on 妙味 or 買い目 opens in the stake advisor.
    const auto advise = [this](tavek::pools::Pool pool, int number, tavek::finish::Model model) {
        PageControl1->setCurrentWidget(TabSheet5);
        advisorTab->takeBet(pool, number, model);
    };
    connect(valueTab, &ValueTab::betChosen, this, advise);
    connect(ticketsTab, &TicketsTab::betChosen, this, advise);
    connect(ticketsTab, &TicketsTab::csvRequested, this, &TMainForm::CsvExportItemClick);
    tavek::DayData& day = *day_;
    using tavek::pools::PairKind;
    quinellaTab->setSlotSource([&day](int r) { return tavek::sim::pairSlot(day, r, PairKind::Quinella); });
    bracketTab->setSlotSource([&day](int r) { return tavek::sim::pairSlot(day, r, PairKind::Bracket); });
}

void TMainForm::clearPairFigures()
{
    quinellaTab->clearFigures();
    bracketTab->clearFigures();
}

void TMainForm::calcUbtnClick()
{
    const int race = lbRaceU->currentIndex();
    if (race < 0 || race >= day_->raceCount())
        return;
    quinellaTab->setWinners(winnersOf(race));
    quinellaTab->calcUbtnClick(race);
}

void TMainForm::runBracketSection(int race)
{
    bracketTab->setWinners(winnersOf(race));
    bracketTab->bracketSection(race);
}

// The last steps of the win calculation: the reference lists, the pool
// boards, then the stake advisor's bets of the race, the bets of the
// highest expected return and the purchase of many tickets.
void TMainForm::runReferenceSection(int race)
{
    // The trifecta's record when a tab first needs it (its total in view, its
    // board in view or saved); what of the day's trifecta file could not be
    // read is told on the status line.
    const auto trifecta = [this, race] { return trifectaRecord(race); };
    const tavek::results::Winners winners = winnersOf(race);
    referenceTab->setWinners(winners);
    poolTab->setWinners(winners);
    referenceTab->referenceSection(day_->voteRecord(race), trifecta);
    poolTab->poolSection(day_->voteRecord(race), trifecta);
    advisorTab->advisorSection(race);
    valueTab->valueSection(race);
    ticketsTab->ticketsSection(race);
}
