#include "odds/ui/PairInputDialog.h"

#include "controls/Label3D.h"
#include "controls/SaNumEditExC.h"
#include "odds/ui/PairSheet.h"

#include <QLabel>
#include <QPushButton>

PairInputDialog::PairInputDialog(PairSheet& sheet, InputKind kind, const QString& caption, const QString& pairCaption,
                                 QWidget* parent)
    : QDialog(parent)
    , InputFormParts(buildInputForm(this, kind, caption, 200, 140, pairCaption))
    , sheet_(sheet)
    , kind_(kind)
{
    connect(BitBtn1, &QPushButton::clicked, this, &PairInputDialog::BitBtn1Click);
}

void PairInputDialog::BitBtn1Click()
{
    const QString label = Label3D9->text();
    if (kind_ == InputKind::Stake) {
        finishOk(this, [&] { return sheet_.simulateStake(label, SaNumEditExC1->AsInteger()); });
        return;
    }
    finishOk(this, [&] { return sheet_.simulateOdds(label, enteredOdds()); });
}
