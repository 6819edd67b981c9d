#include "simulation/ui/WinSheet.h"

// The amount and odds dialogs of the win tab open from here.

void WinSheet::openAmountDialog(int horse)
{
    Q_UNUSED(horse);
}

void WinSheet::openOddsDialog(int horse)
{
    Q_UNUSED(horse);
}
