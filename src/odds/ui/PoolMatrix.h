#pragma once

#include "odds/ui/CellBoard.h"
#include "pools/Field.h"

#include <vector>

class PairCell;
class QLabel;

// The runners x runners board of the wide, exacta, trio and trifecta pools
// (up to 18 x 18): a runner by row, another by column, each place a real-odds
// cell over a virtual-odds cell. The pool tab decides which places name an
// entry and shows only those; a click is reported with the place's row and
// column. The corner names the place in the finish the rows and the columns
// stand for, where the order counts (1着, 2着). The row and column numbers stay
// in view while the cells scroll under them, as a spreadsheet's headers do.
// The keys read each row's real line, then its virtual line.
class PoolMatrix : public CellBoard {
    Q_OBJECT
public:
    static constexpr int kRunners = tavek::pools::kMaxRunners;

    explicit PoolMatrix(QWidget* parent = nullptr);

    // Cells wide enough for `widest` in the cell font: a wide range needs more
    // room than exacta or trio odds, and trio odds reach five digits.
    void fitCellsTo(const QString& widest);
    // Cells as wide as fit `width` (the view's), never narrower than
    // fitCellsTo allows: the board grows into the space it is given.
    void growTo(int width);
    // The board's rows and columns: the race's registered runners (1..18).
    void setRunners(int runners);
    int runners() const { return runners_; }
    // The corner's names of rows and columns; empty where order does not count.
    void setAxes(const QString& rows, const QString& columns);
    // Keeps the headings in view with the board scrolled by (x, y).
    void pinHeadings(int x, int y);
    QLabel* corner() const { return corner_; }

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

    int fittedWidth_ = 44;  // the narrowest cell
    int viewWidth_ = 0;
    int cellWidth_ = 44;
    int runners_ = kRunners;
    int pinX_ = 0;
    int pinY_ = 0;
    QLabel* corner_ = nullptr;
    std::vector<QLabel*> headings_;  // columns, then rows
    std::vector<QWidget*> rows_;     // the strip of each row's cells
    std::vector<PairCell*> real_;
    std::vector<PairCell*> virtual_;
};
