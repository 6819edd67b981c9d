#pragma once

#include "odds/ui/InputFormParts.h"

#include <QDialog>

class PoolTab;

// The stake or odds of one entry of the pool tab's board, with the entry's
// label ("2-5-11") in Label3D9. OK runs the simulation on the tab; a refused
// input shows the board's message and leaves the dialog open.
class TInputPoolForm : public QDialog, public InputFormParts {
    Q_OBJECT
public:
    TInputPoolForm(PoolTab& tab, int entry, InputKind kind, QWidget* parent);

    void BitBtn1Click();

private:
    PoolTab& tab_;
    int entry_;
    InputKind kind_;
};
