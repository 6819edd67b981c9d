#include "odds/ui/InputKingakuUnit.h"

#include "controls/Label3D.h"
#include "controls/SaNumEditExC.h"
#include "odds/ui/WinSheet.h"

#include <QPushButton>

TInputKingakuForm::TInputKingakuForm(WinSheet& sheet, QWidget* parent)
    : QDialog(parent)
    , InputFormParts(buildInputForm(this, InputKind::Stake, QStringLiteral("仮定投資金額入力"), 187, 138,
                                    QStringLiteral("対象馬の馬番：")))
    , sheet_(sheet)
{
    setObjectName(QStringLiteral("InputKingakuForm"));
    connect(BitBtn1, &QPushButton::clicked, this, &TInputKingakuForm::BitBtn1Click);
}

void TInputKingakuForm::BitBtn1Click()
{
    const int horse = Label3D9->text().trimmed().toInt();
    finishOk(this, [&] { return sheet_.simulateStake(horse, SaNumEditExC1->AsInteger()); });
}
