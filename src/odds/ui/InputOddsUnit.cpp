#include "odds/ui/InputOddsUnit.h"

#include "controls/Label3D.h"
#include "odds/ui/WinSheet.h"

#include <QPushButton>

TInputOddsForm::TInputOddsForm(WinSheet& sheet, QWidget* parent)
    : QDialog(parent)
    , InputFormParts(buildInputForm(this, InputKind::Odds, QStringLiteral("仮定オッズ入力"), 197, 140,
                                    QStringLiteral("対象馬の馬番：")))
    , sheet_(sheet)
{
    setObjectName(QStringLiteral("InputOddsForm"));
    connect(BitBtn1, &QPushButton::clicked, this, &TInputOddsForm::BitBtn1Click);
}

void TInputOddsForm::BitBtn1Click()
{
    const int horse = Label3D9->text().trimmed().toInt();
    finishOk(
        this, [&] { return sheet_.simulateOdds(horse, enteredOdds()); },
        [&](tavek::sim::SimResult result) { return sheet_.board().refusalMessage(horse, result); });
}
