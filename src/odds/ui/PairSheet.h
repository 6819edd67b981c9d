#pragma once

#include "odds/model/PairBoard.h"
#include "odds/model/PairSlot.h"
#include "results/Winners.h"

#include <QWidget>
#include <functional>
#include <vector>

class CellBoard;
class QLabel;
class PairCell;

namespace tavek::controls {
class WhenShown;
}

using PairSlotSource = std::function<tavek::sim::PairSlot(int race)>;

// Where the matrix of a pair tab puts its cells, in pixels.
struct PairMatrixGeometry {
    struct Column {
        int left;        // left edge of the column's blocks
        int headingTop;  // top of the heading box
        int firstTop;    // top of the first cell
    };
    QSize cell;                   // one odds cell; the virtual cell stands 2 pixels right of the real one
    int rowPitch;                 // distance of the rows
    int rowBoxWidth;              // the box left of each row with the second number
    std::vector<Column> columns;  // one per first number, from 1
    QFont cellFont;
};

// The common part of the quinella tab (TabSheet2) and the bracket-quinella
// tab (TabSheet3): the totals strip, the matrix of real and virtual odds cells
// addressed by pair index, the click rules and the simulations the dialogs
// run. What it shows comes from its PairBoard, always current; the cells
// follow it when the tab is in view.
class PairSheet : public QWidget {
    Q_OBJECT
public:
    tavek::pools::PairKind kind() const { return board_.kind(); }
    const tavek::sim::PairBoard& board() const { return board_; }

    // Where the sheet finds the record and figures of a race slot.
    void setSlotSource(PairSlotSource source) { source_ = std::move(source); }
    // The race slot of the last calculation, whose figures the sheet shows.
    int race() const { return race_; }

    // Race selection: both total boxes and all cells emptied, marks cleared.
    void clearFigures();
    // Reads race slot `race` again and shows its real odds and total.
    void calculate(int race);

    // The race's result, shown with the next calculation: the winning
    // pair's cells in the winners' colour.
    void setWinners(const tavek::results::Winners& winners) { winners_ = winners; }

    // OK of the dialogs: the simulation on the pair labelled `label`, shown.
    tavek::sim::SimResult simulateStake(QStringView label, long long yen);
    tavek::sim::SimResult simulateOdds(QStringView label, long double odds);

    PairCell* realCell(int k) const { return real_[size_t(k)]; }
    PairCell* virtualCell(int k) const { return virtual_[size_t(k)]; }
    QLabel* realTotalBox() const { return realTotal_; }
    QLabel* virtualTotalBox() const { return virtualTotal_; }
    QLabel* excessBox() const { return excess_; }

    static QColor realColour() { return QColor(0x00, 0x00, 0x00); }
    static QColor virtualColour() { return QColor(0x00, 0x00, 0x48); }
    static QColor selectedColour() { return QColor(0x80, 0x00, 0x00); }
    static QColor textColour() { return QColor(0x00, 0xFF, 0x00); }

protected:
    PairSheet(tavek::pools::PairKind kind, const QString& stripName, const QString& betName, bool scrolls,
              QWidget* parent);

    // The heading and row-number boxes of first or second number n.
    virtual void styleNumberBox(QLabel* box, int n) const = 0;
    virtual void openStakeDialog(const QString& label) = 0;
    virtual void openOddsDialog(const QString& label) = 0;

    // The click rules, then the dialog of the remembered pair.
    void realCellClick(int k);
    void virtualCellClick(int k);

    // Builds the matrix; called by the derived constructor, which knows
    // styleNumberBox.
    void buildMatrix(const PairMatrixGeometry& geometry);

private:
    tavek::sim::PairSlot slot(int race) const;
    void refresh();
    void showFigures();

    tavek::sim::PairBoard board_;
    tavek::results::Winners winners_;
    PairSlotSource source_;
    int race_ = 0;
    CellBoard* matrix_ = nullptr;
    std::vector<PairCell*> real_;  // indexed by pair index, [0] unused
    std::vector<PairCell*> virtual_;
    QLabel* realTotal_ = nullptr;
    QLabel* virtualTotal_ = nullptr;
    QLabel* excess_ = nullptr;
    tavek::controls::WhenShown* whenShown_;
};
