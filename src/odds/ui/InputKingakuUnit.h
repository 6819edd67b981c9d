#pragma once

#include "odds/ui/InputFormParts.h"

#include <QDialog>

class WinSheet;

// "仮定投資金額入力": the stake simulation on one runner of the current race.
// The opener sets the runner number into Label3D9 and runs exec(). OK runs
// the simulation on the win sheet, which shows it, and closes; "閉じる(&C)"
// changes nothing.
class TInputKingakuForm : public QDialog, public InputFormParts {
    Q_OBJECT
public:
    explicit TInputKingakuForm(WinSheet& sheet, QWidget* parent = nullptr);

    void BitBtn1Click();

private:
    WinSheet& sheet_;
};
