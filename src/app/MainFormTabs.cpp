// The quinella, bracket-quinella and reference tabs as the main window sees
// them: where their widgets go, and the steps of a race selection that are
// theirs.
#include "app/MainForm.h"

void TMainForm::buildPairTabs()
{
    // TabSheet3 (bracket quinella), TabSheet2 (quinella) and TabSheet4
    // (reference) get their widgets here.
}

void TMainForm::clearPairFigures()
{
    // Empties the real and virtual totals and every odds cell of the quinella
    // and bracket-quinella tabs.
}

void TMainForm::calcUbtnClick()
{
    // The quinella calculation of the race selected in lbRaceU.
}

void TMainForm::runBracketSection(int race)
{
    // The bracket-quinella figures (BracketTotal, BracketVotes) and tab of race slot `race`.
    Q_UNUSED(race);
}

void TMainForm::runReferenceSection(int race)
{
    // The reference tab of race slot `race`, its win total label included.
    Q_UNUSED(race);
}
