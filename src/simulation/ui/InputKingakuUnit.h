#pragma once

#include "simulation/ui/InputFormParts.h"

#include <QDialog>
#include <functional>

namespace tavek {
struct DayData;
namespace win {
struct InputTexts;
}
}  // namespace tavek

// "仮定投資金額入力": the stake simulation on one runner of the current race.
// The opener sets the runner number into Label3D9 and runs exec(). OK applies
// the amount to the day data and the grid's input texts, calls `showResult`
// so the grid shows them, and closes; "閉じる(&C)" changes nothing.
class TInputKingakuForm : public QDialog, public InputFormParts {
    Q_OBJECT
public:
    TInputKingakuForm(tavek::DayData& day, tavek::win::InputTexts& inputs, std::function<void()> showResult,
                      QWidget* parent = nullptr);

    void BitBtn1Click();

private:
    tavek::DayData& m_day;
    tavek::win::InputTexts& m_inputs;
    std::function<void()> m_showResult;
};
