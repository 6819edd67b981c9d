#pragma once

#include "odds/ui/CellBoard.h"
#include "pools/Field.h"

#include <QStringList>
#include <array>
#include <vector>

class QLabel;

// The runners a purchase is made of: one row for each part of the form (the
// box, a pivot and its partners, each place of a formation), one cell for each
// runner of the field, ticked by a click, Enter or Space. A row of one runner
// (a pivot) moves its tick; the others take any number. Each cell shows its
// runner's number, so the board needs no heading. The keyboard is the
// boards' (CellBoard). A scratched runner is greyed but may be ticked: the
// purchase leaves its tickets out and names them.
class RunnerPicker : public CellBoard {
    Q_OBJECT
public:
    static constexpr int kRows = 3;

    explicit RunnerPicker(QWidget* parent = nullptr);

    struct Row {
        QString caption;
        bool single = false;
    };
    // The rows the form has, from the top; their ticks are cleared when
    // their number or kind changes.
    void setRows(const std::vector<Row>& rows);
    // The runners of the race; `refunded` by runner, [0] unused. A tick
    // beyond the runners is no longer chosen.
    void setField(int runners, const std::array<bool, tavek::pools::kMaxRunners + 1>& refunded);

    // Row r's ticks, ascending.
    std::vector<int> chosen(int row) const;
    // What a click on runner h of row r does.
    void toggle(int row, int runner);
    void clear();

    // The cell of runner h (1..18) in row r (0..2), for tests.
    PairCell* cell(int row, int runner) const { return cells_[size_t(row)][size_t(runner - 1)]; }

signals:
    void changed();

private:
    void paintCell(int row, int runner);
    void layOut();

    std::array<std::array<PairCell*, tavek::pools::kMaxRunners>, kRows> cells_{};
    std::array<std::array<bool, tavek::pools::kMaxRunners>, kRows> ticked_{};
    std::array<QLabel*, kRows> captions_{};
    std::vector<Row> rows_;
    int runners_ = 0;
    std::array<bool, tavek::pools::kMaxRunners + 1> refunded_{};
};
