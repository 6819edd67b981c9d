#include "odds/ui/PairMatrix.h"

#include "odds/ui/PairCell.h"

#include <QKeyEvent>
#include <QScrollArea>

using tavek::sim::pairIndexOf;
using tavek::sim::pairNumbers;

PairMatrix::PairMatrix(tavek::sim::PairKind kind, CellOf cellOf) : kind_(kind), cellOf_(std::move(cellOf))
{
    setFocusPolicy(Qt::StrongFocus);
}

void PairMatrix::setCurrent(int k, bool real)
{
    mark(false);
    pair_ = k;
    real_ = real;
    mark(hasFocus());
    // Inside the quinella tab's scroll area the cell may lie outside the view.
    if (auto* area = parentWidget() ? qobject_cast<QScrollArea*>(parentWidget()->parentWidget()) : nullptr)
        area->ensureWidgetVisible(cellOf_(pair_, real_), 8, 8);
}

void PairMatrix::mark(bool on)
{
    if (PairCell* cell = cellOf_(pair_, real_))
        cell->setCurrent(on);
}

void PairMatrix::keyPressEvent(QKeyEvent* event)
{
    const auto [a, b] = pairNumbers(kind_, pair_);
    // A column holds the pairs (a, b) downwards; each pair shows its real
    // cell left of its virtual one, and column a + 1 stands to the right.
    int k = 0;
    bool real = real_;
    switch (event->key()) {
    case Qt::Key_Up:
        k = pairIndexOf(kind_, a, b - 1);
        break;
    case Qt::Key_Down:
        k = pairIndexOf(kind_, a, b + 1);
        break;
    case Qt::Key_Left:
        k = real_ ? pairIndexOf(kind_, a - 1, b) : pair_;
        real = !real_;
        break;
    case Qt::Key_Right:
        k = real_ ? pair_ : pairIndexOf(kind_, a + 1, b);
        real = !real_;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit opened(pair_, real_);
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (k > 0)
        setCurrent(k, real);
}

void PairMatrix::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    mark(true);
}

void PairMatrix::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    mark(false);
}
