#pragma once

#include "simulation/model/WinTexts.h"

#include <QWidget>

class QFrame;
class Label3D;
class WinGrid;

namespace tavek {
struct DayData;
}

// The content of the win tab: the totals strip Panel3 over the grid
// StringGrid1. Every text comes from the win model; the sheet keeps only the
// input texts a simulation leaves (columns 6 and 7, the virtual total).
class WinSheet : public QWidget {
    Q_OBJECT
public:
    WinSheet(tavek::DayData& day, QWidget* parent = nullptr);

    QFrame* Panel3;
    Label3D* Label3D8;   // "単勝合計票数："
    Label3D* Label3D9;   // real win total
    Label3D* Label3D11;  // "単勝合計票数(仮想)："
    Label3D* Label3D13;  // virtual win total
    WinGrid* StringGrid1;

    // Whether the race list has races; without them the grid paints nothing.
    void setRaceListed(bool listed);

    // The sheet's part of the win calculation for race slot `race`: the
    // model's reset, rows for the runners, the totals, empty input columns.
    // False when the race has no runners to show (nothing is changed then).
    bool calculate(int race);

    // The input texts of the simulation in force (the win dialogs write them)
    // and the repaint after the figures or these texts changed.
    tavek::win::InputTexts& inputs() { return inputs_; }
    void showSimulation();

    // Double-click on the amount or odds column of a runner.
    void openAmountDialog(int horse);
    void openOddsDialog(int horse);

private:
    tavek::DayData& day_;
    tavek::win::InputTexts inputs_;
};
