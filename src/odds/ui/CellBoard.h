#pragma once

#include <QWidget>
#include <vector>

class PairCell;
class QKeyEvent;

// A board of odds cells as one stop of the Tab key: the pair matrices and the
// pool tab's boards. Its cells stand on a grid of rows and columns in the
// order a bettor reads them; the board keeps a current cell, framed while the
// board has the focus. An arrow key moves it to the next shown cell that way,
// over the empty half of a triangle, the exacta's diagonal and the places a
// board hides, and stays where no cell follows. Enter or Space clicks the
// current cell, so a key opens exactly the dialog a click opens. A click makes
// the clicked cell current and gives the board the focus, so the keys go on
// from where the mouse left off.
class CellBoard : public QWidget {
    Q_OBJECT
public:
    CellBoard(int rows, int columns, QWidget* parent = nullptr);

    // The keys that open a board's current cell, the win grid's included.
    static bool opensCell(const QKeyEvent& event);

    // Puts `cell`, a widget inside the board, at (row, column), counted from 0.
    void addCell(PairCell* cell, int row, int column);

    // The current cell; null before the board first had the focus.
    PairCell* current() const;
    // Makes the cell at (row, column) current and brings it into view.
    void setCurrent(int row, int column);
    // Inside a scroll area a current cell is brought this far clear of the
    // view's edges: beyond headings that stay over the cells.
    void keepClear(int x, int y)
    {
        clearX_ = x;
        clearY_ = y;
    }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The cell at (row, column) when there is one and the board shows it.
    PairCell* shownAt(int row, int column) const;
    void move(int rowStep, int columnStep);
    void mark(bool on);

    int rows_;
    int columns_;
    std::vector<PairCell*> cells_;  // row by row
    int clearX_ = 8;
    int clearY_ = 8;
    int row_ = -1;
    int column_ = -1;
};
