#pragma once

#include "odds/ui/CellBoard.h"
#include "pools/Field.h"

#include <vector>

class PairCell;
class QLabel;

// The 18 x 18 board of the wide, exacta and trio pools: first runner by row,
// second by column, each place a real-odds cell over a virtual-odds cell. The
// pool tab decides which places name an entry and shows only those; a click
// is reported with the place's row and column. The keys read each row's real
// line, then its virtual line.
class PoolMatrix : public CellBoard {
    Q_OBJECT
public:
    static constexpr int kRunners = tavek::pools::kMaxRunners;

    explicit PoolMatrix(QWidget* parent = nullptr);

    // Cells wide enough for `widest` in the cell font: a wide range needs more
    // room than exacta or trio odds, and trio odds reach five digits.
    void fitCellsTo(const QString& widest);

    PairCell* realCell(int row, int column) const { return real_[index(row, column)]; }
    PairCell* virtualCell(int row, int column) const { return virtual_[index(row, column)]; }
    // Shows or hides the place's two cells.
    void showPlace(int row, int column, bool shown);

signals:
    void realClicked(int row, int column);
    void virtualClicked(int row, int column);

private:
    static size_t index(int row, int column) { return size_t((row - 1) * kRunners + column - 1); }
    void place();

    int cellWidth_ = 44;
    std::vector<QLabel*> headings_;  // columns, then rows
    std::vector<QWidget*> rows_;     // the strip of each row's cells
    std::vector<PairCell*> real_;
    std::vector<PairCell*> virtual_;
};
