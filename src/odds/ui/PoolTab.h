#pragma once

#include "odds/model/PoolBoard.h"

#include <QByteArrayView>
#include <QWidget>
#include <array>

class PairCell;
class PlaceRows;
class PoolMatrix;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QStackedWidget;

namespace tavek::controls {
class WhenShown;
}

// The content of the pool tab TabSheet7 ("賭式別オッズ"): the selector
// PoolCombo (複勝, ワイド, 馬単, 3連複), for trio the pivot runner PivotCombo
// (軸), the totals strip, and the chosen board: place as rows of runners,
// wide, exacta and trio on the 18 x 18 board (trio: the pairs of the other two
// with the pivot), trio with its most-backed entries in TrioList. What it
// shows comes from its four PoolBoards; only the board in view is painted.
// The board in view and the trio list are stops of the Tab key, opened by key
// as by a click.
class PoolTab : public QWidget {
    Q_OBJECT
public:
    static constexpr int kListed = 20;  // the trio list's most-backed entries

    explicit PoolTab(QWidget* parent = nullptr);

    QComboBox* PoolCombo;
    QComboBox* PivotCombo;
    QLabel* PoolNote;
    QLabel* TotalCaption;
    QLabel* RealTotalBox;
    QLabel* VirtualTotalBox;
    QLabel* ExcessBox;
    PlaceRows* placeRows;
    PoolMatrix* poolMatrix;
    QListWidget* TrioList;

    // The pool tab's part of the win calculation: every board read again from
    // the race's vote-count record, simulations dropped.
    void poolSection(QByteArrayView voteRecord);

    tavek::pools::Pool pool() const;
    const tavek::sim::PoolBoard& board() const { return board(pool()); }
    const tavek::sim::PoolBoard& board(tavek::pools::Pool pool) const;
    int pivot() const;

    // The real and virtual cells of entry n on the board in view; null where
    // it shows none (a trio without the pivot, a runner outside the field).
    PairCell* realCell(int n) const;
    PairCell* virtualCell(int n) const;

    // OK of the dialogs: the simulation on entry n of the board in view, shown.
    tavek::sim::SimResult simulateStake(int n, long long yen);
    tavek::sim::SimResult simulateOdds(int n, long double odds);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    tavek::sim::PoolBoard& current();
    int entryAt(int row, int column) const;
    PairCell* cellOf(int n, bool isReal) const;
    void chooseBoard();
    void cellClicked(int n, bool isReal);
    void openListed(QListWidgetItem* item);
    // Everything, or after a simulation the virtual figures and totals only:
    // a simulation leaves the real ones as they are.
    enum class Figures { All, Virtual };
    void refresh(Figures figures = Figures::All);
    void refreshPlace(Figures figures);
    void refreshMatrix(Figures figures);
    void refreshList();

    std::array<tavek::sim::PoolBoard, 4> boards_;
    QStackedWidget* boardsView_ = nullptr;
    QWidget* listPanel_ = nullptr;
    QLabel* pivotCaption_ = nullptr;
    tavek::controls::WhenShown* whenShown_;
};
