#include "odds/ui/PoolInputDialog.h"

#include "controls/Label3D.h"
#include "controls/SaNumEditExC.h"
#include "odds/ui/PoolTab.h"

#include <QPushButton>

namespace {

QString caption(const PoolTab& tab, InputKind kind)
{
    const QString name = tavek::pools::pool(tab.pool()).caption();
    return kind == InputKind::Stake ? QStringLiteral("仮定投資金額入力（%1）").arg(name)
                                    : QStringLiteral("仮定オッズ入力（%1）").arg(name);
}

}  // namespace

TInputPoolForm::TInputPoolForm(PoolTab& tab, int entry, InputKind kind, QWidget* parent)
    : QDialog(parent)
    , InputFormParts(buildInputForm(this, kind, caption(tab, kind), 200, 140,
                                    QStringLiteral("対象%1：").arg(tavek::pools::pool(tab.pool()).caption())))
    , tab_(tab)
    , entry_(entry)
    , kind_(kind)
{
    setObjectName(QStringLiteral("InputPoolForm"));
    // A trio label ("10-11-12") is wider than the pair dialogs' number box.
    Label3D9->setGeometry(Label3D9->x(), Label3D9->y(), 84, Label3D9->height());
    Label3D9->setText(tab.board().label(entry));
    connect(BitBtn1, &QPushButton::clicked, this, &TInputPoolForm::BitBtn1Click);
}

void TInputPoolForm::BitBtn1Click()
{
    const auto message = [this](tavek::sim::SimResult r) { return tab_.board().refusalMessage(entry_, r); };
    if (kind_ == InputKind::Stake)
        finishOk(
            this, [&] { return tab_.simulateStake(entry_, SaNumEditExC1->AsInteger()); }, message);
    else
        finishOk(
            this, [&] { return tab_.simulateOdds(entry_, enteredOdds()); }, message);
}
