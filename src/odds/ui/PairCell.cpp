#include "odds/ui/PairCell.h"

#include <QMouseEvent>

PairCell::PairCell(int pair, QWidget* parent) : QLabel(parent), pair_(pair)
{
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
}

void PairCell::setColours(const QColor& background, const QColor& text)
{
    QPalette p = palette();
    if (p.color(QPalette::Window) == background && p.color(QPalette::WindowText) == text)
        return;
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, text);
    setPalette(p);
}

QColor PairCell::background() const
{
    return palette().color(QPalette::Window);
}

void PairCell::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(pair_);
}
