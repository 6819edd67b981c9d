#pragma once

#include "odds/ui/PairSheet.h"

// The content of the bracket-quinella tab TabSheet3 ("枠連ｼﾐｭﾚｰｼｮﾝ"): the totals strip Panel7
// and the 36 pairs in two bands, headings in the bracket colours.
class BracketTab : public PairSheet {
    Q_OBJECT
public:
    explicit BracketTab(QWidget* parent = nullptr);

    // The bracket section of the win calculation for race slot `race`.
    void bracketSection(int race) { calculate(race); }

    // Clicks on a real-odds and a virtual-odds cell of bracket pair k.
    void NValEdit1Click(int k) { realCellClick(k); }
    void Label220Click(int k) { virtualCellClick(k); }

protected:
    void styleNumberBox(QLabel* box, int n) const override;
    void openStakeDialog(const QString& label) override;
    void openOddsDialog(const QString& label) override;
};
