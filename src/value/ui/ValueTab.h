#pragma once

#include "value/model/BetValue.h"

#include <QWidget>
#include <vector>

class QComboBox;
class QLabel;
class QTableWidget;

namespace tavek {
struct DayData;
namespace controls {
class WhenShown;
}
}  // namespace tavek

// The content of the 妙味 tab TabSheet8: the bets of the selected race that
// return the most under the win pool's view, of every pool or of one, with
// their odds, market share, model chance and expected return, as tavek-cli
// value prints them. It computes only while it is in view, so switching races
// stays quick; a double-click hands the bet on (to the stake advisor).
class ValueTab : public QWidget {
    Q_OBJECT
public:
    explicit ValueTab(const tavek::DayData& day, QWidget* parent = nullptr);

    // The race selection: race slot `race`, -1 for none.
    void valueSection(int race);

    QComboBox* PoolCombo;   // 全賭式, then each pool
    QComboBox* ModelCombo;  // the finish-order model
    QTableWidget* ValueTable;
    QLabel* MessageLabel;  // why the table is empty

signals:
    void betChosen(tavek::pools::Pool pool, int number, tavek::finish::Model model);

private:
    void refresh();
    tavek::finish::Model model() const;

    const tavek::DayData& day_;
    int race_ = -1;
    tavek::controls::WhenShown* whenShown_;
    std::vector<tavek::value::BetValue> shown_;
};
