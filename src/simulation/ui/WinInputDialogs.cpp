#include "simulation/ui/InputKingakuUnit.h"
#include "simulation/ui/InputOddsUnit.h"
#include "controls/Label3D.h"
#include "simulation/ui/WinSheet.h"


// The amount and odds dialogs of the win tab open from here, a new one on
// every double-click; they write the sheet's input texts and show them.

void WinSheet::openAmountDialog(int horse)
{
    TInputKingakuForm form(day_, inputs_, [this] { showSimulation(); }, window());
    form.Label3D9->setText(QString::number(horse));
    form.exec();
}

void WinSheet::openOddsDialog(int horse)
{
    TInputOddsForm form(day_, inputs_, [this] { showSimulation(); }, window());
    form.Label3D9->setText(QString::number(horse));
    form.exec();
}
