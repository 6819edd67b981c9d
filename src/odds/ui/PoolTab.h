#pragma once

#include "odds/model/PoolBoard.h"
#include "results/Winners.h"

#include <QByteArrayView>
#include <QWidget>
#include <array>
#include <functional>
#include <utility>
#include <vector>

class PairCell;
class PlaceRows;
class PoolMatrix;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QScrollArea;
class QStackedWidget;

namespace tavek::controls {
class WhenShown;
}

// The content of the pool tab TabSheet7 ("賭式別オッズ"): the selector
// PoolCombo (複勝, ワイド, 馬単, 3連複, 3連単), for trio and trifecta the pivot
// runner PivotCombo (軸), for the trifecta the pivot's place AxisCombo (1着軸
// or 2着軸), the totals strip, and the chosen board: place as rows of runners,
// wide, exacta, trio and trifecta on the runners x runners board (trio: the
// pairs of the other two with the pivot; trifecta with the 1着軸: second by
// row, third by column; with the 2着軸: first by row, third by column), trio
// and trifecta with their most-backed entries in TrioList. The board has as
// many rows and columns as the race has registered runners. What it shows
// comes from its five PoolBoards (the trifecta's from its own record); only
// the board in view is painted. The board in view and the list are stops of
// the Tab key, opened by key as by a click.
class PoolTab : public QWidget {
    Q_OBJECT
public:
    static constexpr int kListed = 20;  // the list's most-backed entries
    enum class Axis { First, Second };  // the trifecta pivot's place

    explicit PoolTab(QWidget* parent = nullptr);

    QComboBox* PoolCombo;
    QComboBox* PivotCombo;
    QComboBox* AxisCombo;
    QLabel* PoolNote;
    QLabel* TotalCaption;
    QLabel* RealTotalBox;
    QLabel* VirtualTotalBox;
    QLabel* ExcessBox;
    PlaceRows* placeRows;
    PoolMatrix* poolMatrix;
    QListWidget* TrioList;

    // The race's trifecta record, asked for when the trifecta board is first
    // needed (in view, CSV出力): a day's trifecta file is read only then.
    // Empty: the race has none.
    using TrifectaSource = std::function<QByteArray()>;

    // The pool tab's part of the win calculation: every board read again from
    // the race's vote-count record, the trifecta's from its own record (none:
    // not sold), simulations dropped.
    void poolSection(QByteArrayView voteRecord, TrifectaSource trifecta = {});
    void poolSection(QByteArrayView voteRecord, QByteArrayView trifectaRecord);
    // The race's result, shown with the next pool section: on every board
    // and in the list, the winning entries in the winners' colour.
    void setWinners(const tavek::results::Winners& winners) { winners_ = winners; }

    tavek::pools::Pool pool() const;
    const tavek::sim::PoolBoard& board() const { return board(pool()); }
    const tavek::sim::PoolBoard& board(tavek::pools::Pool pool) const;
    int pivot() const;
    Axis axis() const;

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
    QString noteText() const;
    void cellClicked(int n, bool isReal);
    void openListed(QListWidgetItem* item);
    // Everything, or after a simulation the virtual figures and totals only:
    // a simulation leaves the real ones as they are.
    enum class Figures { All, Virtual };
    void refresh(Figures figures = Figures::All);
    void refreshPlace(Figures figures);
    void refreshMatrix(Figures figures);
    void refreshList();
    void followField(int runners);

    void readTrifecta() const;

    // The trifecta's board is read from its record when first asked for.
    mutable std::array<tavek::sim::PoolBoard, 5> boards_;
    mutable TrifectaSource trifectaSource_;
    tavek::results::Winners winners_;
    QStackedWidget* boardsView_ = nullptr;
    QScrollArea* matrixArea_ = nullptr;
    QWidget* listPanel_ = nullptr;
    QLabel* pivotCaption_ = nullptr;
    QLabel* listHeading_ = nullptr;
    int runners_ = -1;  // of the selectors and the board
    // The virtual cells the board shows and their entries, for a simulation.
    std::vector<std::pair<PairCell*, int>> shownVirtual_;
    tavek::controls::WhenShown* whenShown_;
};
