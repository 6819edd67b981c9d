#pragma once

#include "odds/model/WinBoard.h"
#include "results/Winners.h"

#include <QWidget>

class QFrame;
class Label3D;
class WinGrid;

// The content of the win tab: the totals strip Panel3 over the grid
// StringGrid1. What it shows comes from its WinBoard, which also keeps the
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

    const tavek::win::WinBoard& board() const { return board_; }

    // Whether the race list of a newly loaded day has races; without them the
    // grid paints nothing.
    void setRaceListed(bool listed);

    // The sheet's part of the win calculation for race slot `race`: the
    // board's, then rows for the runners, the totals, empty input columns,
    // the odds column headed as its votes are (確定 or 速報, see WinBoard).
    // False when the race has no runners to show (nothing is changed then).
    bool calculate(int race, std::optional<QDateTime> fetched = std::nullopt);

    // The race's result, shown with the next calculation: its winner's row
    // in the winners' colour.
    void setWinners(const tavek::results::Winners& winners) { winners_ = winners; }
    const tavek::results::Winners& winners() const { return winners_; }

    // OK of the win dialogs: the simulation on runner `horse` of the current
    // race, shown.
    tavek::sim::SimResult simulateStake(int horse, long long yen);
    tavek::sim::SimResult simulateOdds(int horse, long double odds);

    // Double-click on the amount or odds column of a runner.
    void openAmountDialog(int horse);
    void openOddsDialog(int horse);

private:
    void showSimulation();

    tavek::win::WinBoard board_;
    tavek::results::Winners winners_;
};
