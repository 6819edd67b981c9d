#pragma once

#include "odds/ui/PairInputDialog.h"

// Stake on a quinella pair, opened from a real-odds cell of the quinella tab.
class TInputKingakuUForm : public PairInputDialog {
    Q_OBJECT
public:
    TInputKingakuUForm(PairSheet& sheet, QWidget* parent)
        : PairInputDialog(sheet, InputKind::Stake, QStringLiteral("仮定投資金額入力（馬連）"),
                          QStringLiteral("対象馬連："), parent)
    {
        setObjectName(QStringLiteral("InputKingakuUForm"));
    }
};

// Odds of a quinella pair, opened from a virtual-odds cell of the quinella tab.
class TInputOddsUForm : public PairInputDialog {
    Q_OBJECT
public:
    TInputOddsUForm(PairSheet& sheet, QWidget* parent)
        : PairInputDialog(sheet, InputKind::Odds, QStringLiteral("仮定オッズ入力（馬連）"),
                          QStringLiteral("対象馬連："), parent)
    {
        setObjectName(QStringLiteral("InputOddsUForm"));
    }
};

// Stake on a bracket pair, opened from a real-odds cell of the bracket tab.
class TInputKingakuWForm : public PairInputDialog {
    Q_OBJECT
public:
    TInputKingakuWForm(PairSheet& sheet, QWidget* parent)
        : PairInputDialog(sheet, InputKind::Stake, QStringLiteral("仮定投資金額入力（枠連）"),
                          QStringLiteral("対象枠連："), parent)
    {
        setObjectName(QStringLiteral("InputKingakuWForm"));
    }
};

// Odds of a bracket pair, opened from a virtual-odds cell of the bracket tab.
class TInputOddsWForm : public PairInputDialog {
    Q_OBJECT
public:
    TInputOddsWForm(PairSheet& sheet, QWidget* parent)
        : PairInputDialog(sheet, InputKind::Odds, QStringLiteral("仮定オッズ入力（枠連）"),
                          QStringLiteral("対象枠連："), parent)
    {
        setObjectName(QStringLiteral("InputOddsWForm"));
    }
};
