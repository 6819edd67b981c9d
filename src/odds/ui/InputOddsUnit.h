#pragma once

#include "odds/ui/InputFormParts.h"

#include <QDialog>

class WinSheet;

// "仮定オッズ入力": the odds simulation on one runner of the current race.
// The opener sets the runner number into Label3D9 and runs exec(). OK runs
// the simulation on the win sheet, which shows it; an accepted one closes the
// dialog, a refused one shows its message in the error box and leaves the
// dialog open with its input.
class TInputOddsForm : public QDialog, public InputFormParts {
    Q_OBJECT
public:
    explicit TInputOddsForm(WinSheet& sheet, QWidget* parent = nullptr);

    void BitBtn1Click();

private:
    WinSheet& sheet_;
};
