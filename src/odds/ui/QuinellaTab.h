#pragma once

#include "odds/ui/PairSheet.h"

// The content of the quinella tab TabSheet2 ("馬連ｼﾐｭﾚｰｼｮﾝ"): the totals strip Panel4 and the
// 153 pairs in three bands inside the scroll area ScrollBox1.
class QuinellaTab : public PairSheet {
    Q_OBJECT
public:
    explicit QuinellaTab(QWidget* parent = nullptr);

    // The quinella calculation (calcUbtnClick) for race slot `race`, which
    // becomes QuinellaRace.
    void calcUbtnClick(int race) { calculate(race); }

    // Clicks on a real-odds and a virtual-odds cell of pair k.
    void Label4Click(int k) { realCellClick(k); }
    void Label453Click(int k) { virtualCellClick(k); }

protected:
    void styleNumberBox(QLabel* box, int n) const override;
    void openStakeDialog(const QString& label) override;
    void openOddsDialog(const QString& label) override;
};
