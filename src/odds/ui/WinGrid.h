#pragma once

#include <QTableWidget>
#include <functional>

// The win grid StringGrid1: one row per registered runner under a fixed
// header, eleven columns, every data cell painted by StringGrid1DrawCell from
// the texts its source gives (the model's, input columns included). Rows are
// numbered as on screen: row 0 is the header, row h is horse number h.
// The grid is one stop of the Tab key: the arrows move its framed current
// cell, and Enter or Space opens the current input cell as a double-click does.
class WinGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 11;
    static constexpr int kAmountColumn = 6;
    static constexpr int kOddsColumn = 7;

    explicit WinGrid(const QStringList& headers, QWidget* parent = nullptr);

    // What the cells show. Without a source (no race list) the data cells
    // stay as the table view paints them: empty. A runner who `won` (none
    // without the function) has its row in the winners' colour.
    struct Source {
        std::function<QString(int horse, int column)> text;
        std::function<int(int horse)> bracket;
        std::function<bool(int horse)> won;
    };
    void setSource(Source source);
    bool hasSource() const { return bool(source_.text); }

    // Data rows for `runners` runners (one empty row at least).
    void setRunnerRows(int runners);
    int runnerRows() const { return rowCount(); }

    // The text StringGrid1DrawCell paints in a data cell (" " for nothing).
    QString cellText(int horse, int column) const;

    // Paints cell (column, row) into `rect` on top of the grid's own
    // painting: background, text and the black line along the bottom edge.
    void StringGrid1DrawCell(QPainter& painter, int column, int row, const QRect& rect) const;

signals:
    // A double-click, or Enter or Space, on a data row of column 6 or 7.
    void amountRequested(int horse);
    void oddsRequested(int horse);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void StringGrid1MouseMove(const QPoint& pos);
    void StringGrid1MouseUp();
    void StringGrid1DblClick(const QPoint& pos);
    void openCell(const QModelIndex& at);

    Source source_;
};
