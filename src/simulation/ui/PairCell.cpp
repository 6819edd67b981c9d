#include "simulation/ui/PairCell.h"

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

QLabel* makeBox(QWidget* parent, const QString& objectName, const QColor& background,
                const QColor& text, bool sunken)
{
    auto* box = new QLabel(parent);
    box->setObjectName(objectName);
    box->setAlignment(Qt::AlignCenter);
    box->setAutoFillBackground(true);
    QPalette p = box->palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, text);
    box->setPalette(p);
    QFont f = box->font();
    f.setBold(true);
    box->setFont(f);
    if (sunken) {
        box->setFrameShape(QFrame::Panel);
        box->setFrameShadow(QFrame::Sunken);
        box->setLineWidth(1);
    }
    return box;
}
