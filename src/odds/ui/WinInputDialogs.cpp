#include "controls/Label3D.h"
#include "odds/ui/InputKingakuUnit.h"
#include "odds/ui/InputOddsUnit.h"
#include "odds/ui/WinSheet.h"

// The amount and odds dialogs of the win tab open from here, a new one on
// every double-click; their OK runs the simulation on this sheet.

void WinSheet::openAmountDialog(int horse)
{
    TInputKingakuForm form(*this, window());
    form.Label3D9->setText(QString::number(horse));
    form.exec();
}

void WinSheet::openOddsDialog(int horse)
{
    TInputOddsForm form(*this, window());
    form.Label3D9->setText(QString::number(horse));
    form.exec();
}
