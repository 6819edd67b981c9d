#include "simulation/ui/InputKingakuUnit.h"

#include "controls/SaNumEditExC.h"
#include "simulation/model/WinTexts.h"
#include "controls/Label3D.h"

#include <QPushButton>

TInputKingakuForm::TInputKingakuForm(tavek::DayData& day, tavek::win::InputTexts& inputs,
                                     std::function<void()> showResult, QWidget* parent)
    : QDialog(parent)
    , InputFormParts(buildInputForm(this, QStringLiteral("仮定投資金額入力"), 187, 138,
                                    {QStringLiteral("シミュレーションしたい金額を入力"), QStringLiteral("してください。")},
                                    QStringLiteral("対象馬の馬番："), 0))
    , m_day(day)
    , m_inputs(inputs)
    , m_showResult(std::move(showResult))
{
    setObjectName(QStringLiteral("InputKingakuForm"));
    connect(BitBtn1, &QPushButton::clicked, this, &TInputKingakuForm::BitBtn1Click);
}

void TInputKingakuForm::BitBtn1Click()
{
    const int horse = Label3D9->text().trimmed().toInt();
    tavek::win::applyStake(m_day, horse, SaNumEditExC1->AsInteger(), m_inputs);
    m_showResult();
    accept();
}
