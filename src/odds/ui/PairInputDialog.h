#pragma once

#include "odds/ui/InputFormParts.h"

#include <QDialog>

class PairSheet;

// The common frame of the four combination dialogs: the parts every input
// dialog has, with the pair label in Label3D9 as the opening tab put it. OK
// runs the stake or odds simulation on that tab; a refused odds value shows
// its message and leaves the dialog open.
class PairInputDialog : public QDialog, public InputFormParts {
    Q_OBJECT
public:
    void BitBtn1Click();

protected:
    PairInputDialog(PairSheet& sheet, InputKind kind, const QString& caption, const QString& pairCaption,
                    QWidget* parent);

private:
    PairSheet& sheet_;
    InputKind kind_;
};
