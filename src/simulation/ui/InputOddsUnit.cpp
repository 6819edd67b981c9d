#include "simulation/ui/InputOddsUnit.h"

#include "controls/MessageBox.h"
#include "controls/SaNumEditExC.h"
#include "simulation/model/WinTexts.h"
#include "controls/Label3D.h"

#include <QApplication>
#include <QPushButton>

TInputOddsForm::TInputOddsForm(tavek::DayData& day, tavek::win::InputTexts& inputs,
                               std::function<void()> showResult, QWidget* parent)
    : QDialog(parent)
    , InputFormParts(buildInputForm(
          this, QStringLiteral("仮定オッズ入力"), 197, 140,
          {QStringLiteral("シミュレーションしたいオッズを入力"), QStringLiteral("してください。（低下した仮定オッズ）")},
          QStringLiteral("対象馬の馬番："), 1))
    , m_day(day)
    , m_inputs(inputs)
    , m_showResult(std::move(showResult))
{
    setObjectName(QStringLiteral("InputOddsForm"));
    connect(BitBtn1, &QPushButton::clicked, this, &TInputOddsForm::BitBtn1Click);
}

void TInputOddsForm::BitBtn1Click()
{
    using tavek::win::OddsResult;
    const int horse = Label3D9->text().trimmed().toInt();
    // An empty field is no odds at all: it is refused like odds not above 1.
    const long double odds = SaNumEditExC1->Text().isEmpty() ? 0.0L : SaNumEditExC1->AsFloat();
    const OddsResult result = tavek::win::applyOdds(m_day, horse, odds, m_inputs);
    m_showResult();
    if (result == OddsResult::Accepted) {
        accept();
        return;
    }
    tavek::MessageBox::error(tavek::win::refusalMessage(result));
    if (result == OddsResult::Unrealistic)
        QApplication::beep();
}
