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

// "仮定オッズ入力": the odds simulation on one runner of the current race.
// The opener sets the runner number into Label3D9 and runs exec(). OK runs
// the simulation on the day data and the grid's input texts and calls
// `showResult`; an accepted one closes the dialog, a refused one shows its
// message in the error box and leaves the dialog open with its input.
class TInputOddsForm : public QDialog, public InputFormParts {
    Q_OBJECT
public:
    TInputOddsForm(tavek::DayData& day, tavek::win::InputTexts& inputs, std::function<void()> showResult,
                   QWidget* parent = nullptr);

    void BitBtn1Click();

private:
    tavek::DayData& m_day;
    tavek::win::InputTexts& m_inputs;
    std::function<void()> m_showResult;
};
