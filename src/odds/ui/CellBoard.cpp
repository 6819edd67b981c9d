#include "odds/ui/CellBoard.h"

#include "odds/ui/PairCell.h"

#include <QKeyEvent>
#include <QScrollArea>

CellBoard::CellBoard(int rows, int columns, QWidget* parent)
    : QWidget(parent), rows_(rows), columns_(columns), cells_(size_t(rows * columns), nullptr)
{
    setFocusPolicy(Qt::StrongFocus);
}

bool CellBoard::opensCell(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter || event.key() == Qt::Key_Space;
}

void CellBoard::addCell(PairCell* cell, int row, int column)
{
    cells_[size_t(row * columns_ + column)] = cell;
    // Connected before the owner's own handler, so the frame has moved before
    // the click's dialog opens.
    connect(cell, &PairCell::clicked, this, [this, row, column] {
        setCurrent(row, column);
        setFocus(Qt::MouseFocusReason);
    });
}

PairCell* CellBoard::current() const
{
    return row_ < 0 ? nullptr : cells_[size_t(row_ * columns_ + column_)];
}

PairCell* CellBoard::shownAt(int row, int column) const
{
    if (row < 0 || row >= rows_ || column < 0 || column >= columns_)
        return nullptr;
    PairCell* cell = cells_[size_t(row * columns_ + column)];
    return cell && cell->isVisibleTo(this) ? cell : nullptr;
}

void CellBoard::setCurrent(int row, int column)
{
    mark(false);
    row_ = row;
    column_ = column;
    mark(hasFocus());
    // Inside a scroll area the cell may lie outside the view.
    if (auto* area = parentWidget() ? qobject_cast<QScrollArea*>(parentWidget()->parentWidget()) : nullptr)
        area->ensureWidgetVisible(current(), clearX_, clearY_);
}

void CellBoard::move(int rowStep, int columnStep)
{
    for (int r = row_ + rowStep, c = column_ + columnStep; r >= 0 && r < rows_ && c >= 0 && c < columns_;
         r += rowStep, c += columnStep)
        if (shownAt(r, c)) {
            setCurrent(r, c);
            return;
        }
}

void CellBoard::mark(bool on)
{
    if (PairCell* cell = current())
        cell->setCurrent(on);
}

void CellBoard::keyPressEvent(QKeyEvent* event)
{
    if (opensCell(*event)) {
        // A cell the board no longer shows (the pivot's row) opens nothing.
        if (PairCell* cell = shownAt(row_, column_))
            cell->click();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
        move(-1, 0);
        break;
    case Qt::Key_Down:
        move(1, 0);
        break;
    case Qt::Key_Left:
        move(0, -1);
        break;
    case Qt::Key_Right:
        move(0, 1);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void CellBoard::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    // The first time, or when the current cell has left the board (another
    // pool, pivot or field), the keys start on the first cell shown.
    if (!shownAt(row_, column_)) {
        for (int i = 0; i < rows_ * columns_; ++i)
            if (shownAt(i / columns_, i % columns_)) {
                setCurrent(i / columns_, i % columns_);
                return;
            }
    }
    mark(true);
}

void CellBoard::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    mark(false);
}
