#pragma once

#include "odds/ui/CellBoard.h"
#include "pools/Field.h"

#include <array>
#include <vector>

class PairCell;
class QLabel;

// The place board: one row per runner as in the win grid, with its bracket,
// number, votes, share and odds range, then the virtual votes and range. The
// pool tab fills the texts; a click on a row reports its runner. The keys move
// over the figure cells of the runners shown.
class PlaceRows : public CellBoard {
    Q_OBJECT
public:
    static constexpr int kRows = tavek::pools::kRecordSlots;
    enum Column { Votes, Share, Odds, VirtualVotes, VirtualOdds, kFigureColumns };

    explicit PlaceRows(QWidget* parent = nullptr);

    QLabel* bracketBox(int n) const { return rows_[size_t(n - 1)].bracket; }
    PairCell* cell(int n, Column column) const { return rows_[size_t(n - 1)].cells[size_t(column)]; }
    // Shows runner rows 1..`runners`, hides the rest.
    void setRunners(int runners);
    // Runner n's bracket box in the bracket's colour; 0 leaves it blank.
    void setBracket(int n, int bracket);
    // Runner n's number and figures in the winners' colour, or in their own.
    void setWon(int n, bool won);

signals:
    void clicked(int n);

private:
    struct Row {
        QLabel* bracket = nullptr;
        QLabel* number = nullptr;
        std::array<PairCell*, kFigureColumns> cells{};
    };
    std::vector<Row> rows_;
    int runners_ = -1;
};
