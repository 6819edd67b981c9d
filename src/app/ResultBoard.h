#pragma once

#include "results/ResultSheet.h"

#include <QColor>
#include <QHash>
#include <QRect>
#include <QStaticText>
#include <QWidget>

#include <array>
#include <vector>

// The race header's result, once the race has one: the first three places,
// each runner in its bracket's colours, then one column per payout in JRA's
// board order, under its pool: the bet, what it paid per 100 yen, its
// popularity and, below, what the program's payout rules pay on it from the
// race's votes, in red where the two differ. Painted as one board: it is
// refilled at every race switch. A column's tool tip says it in a sentence.
class ResultBoard : public QWidget {
    Q_OBJECT
public:
    enum Row { PoolRow, BetRow, YenRow, PopularityRow, ComputedRow, kRows };

    explicit ResultBoard(QWidget* parent = nullptr);

    // Shows `sheet`; `quickVotes` says the votes it was computed from are a
    // quick report's, not the final ones.
    void showSheet(tavek::results::ResultSheet sheet, bool quickVotes);
    const tavek::results::ResultSheet& sheet() const { return sheet_; }

    // The payout columns and what each row of one shows; the row labels
    // ("組番", "払戻金", ...) and the places ("1着 7") as they stand.
    int columns() const { return int(sheet_.rows.size()); }
    QString cellText(Row row, int column) const;
    QString rowLabel(Row row) const;
    QString placeLine(int i) const;  // i = 0..2; empty beyond the places
    // Whether the program's figure of a column differs from what was paid.
    bool differs(int column) const { return tavek::results::differs(sheet_.rows[size_t(column)]); }

    QSize sizeHint() const override { return minimumSize(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    void layOut();
    const QStaticText& laidOut(const QString& text, bool bold);
    int columnAt(int x) const;
    QString columnTip(int column) const;

    // A box of the board as it is painted: its text at a point worked out
    // once, when the sheet is shown.
    struct Painted {
        QRect rect;
        QColor background;
        QColor frame;
        QStaticText text;
        bool bold;
        QColor colour;
        QPoint at;  // the text's top left
    };

    tavek::results::ResultSheet sheet_;
    bool quickVotes_ = false;
    std::vector<Painted> painted_;
    std::array<QHash<QString, QStaticText>, 2> texts_;  // each text laid out, plain and bold
    int orderWidth_ = 0;
    int labelWidth_ = 0;
    std::vector<int> lefts_;  // each payout column's left edge, then the board's right edge
};
