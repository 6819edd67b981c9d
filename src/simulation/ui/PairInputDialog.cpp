#include "simulation/ui/PairInputDialog.h"

#include "controls/SaNumEditExC.h"
#include "controls/Label3D.h"
#include "simulation/ui/PairSheet.h"

#include <QLabel>
#include <QPushButton>

namespace {

QStringList prompt(PairInputDialog::Kind kind)
{
    if (kind == PairInputDialog::Kind::Stake)
        return {QStringLiteral("シミュレーションしたい金額を入力"), QStringLiteral("してください。")};
    return {QStringLiteral("シミュレーションしたいオッズを入力"), QStringLiteral("してください。（低下した仮定オッズ）")};
}

}  // namespace

PairInputDialog::PairInputDialog(PairSheet& sheet, Kind kind, const QString& caption,
                                 const QString& pairCaption, QWidget* parent)
    : QDialog(parent)
    , InputFormParts(buildInputForm(this, caption, 200, 140, prompt(kind), pairCaption,
                                    kind == Kind::Stake ? 0 : 1))
    , sheet_(sheet)
    , kind_(kind)
{
    connect(BitBtn1, &QPushButton::clicked, this, &PairInputDialog::BitBtn1Click);
}

void PairInputDialog::BitBtn1Click()
{
    const QString label = Label3D9->text();
    if (kind_ == Kind::Stake) {
        finishOk(this, [&] { return sheet_.simulateStake(label, SaNumEditExC1->AsInteger()); });
        return;
    }
    finishOk(this, [&] { return sheet_.simulateOdds(label, enteredOdds()); });
}
