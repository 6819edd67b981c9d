#include "odds/ui/PairCell.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

PairCell::PairCell(int pair, QWidget* parent) : QLabel(parent), pair_(pair)
{
    setAlignment(Qt::AlignCenter);
    // The cell fills its background itself, with the painter of its text.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The colours of setColours, named here: unnamed, each painting would
    // look for them through every widget up to the window.
    setBackgroundRole(QPalette::Window);
    setForegroundRole(QPalette::WindowText);
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

void PairCell::setCurrent(bool current)
{
    if (current_ == current)
        return;
    current_ = current;
    update();
}

void PairCell::paintEvent(QPaintEvent*)
{
    // The background and the text as the label would draw them, without the
    // label's style option and empty frame and with one painter: a board
    // repaints up to 306 cells at a race switch, and those took a tenth of it.
    QPainter painter(this);
    painter.fillRect(rect(), palette().brush(backgroundRole()));
    QRect r = contentsRect();
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    if (indent() > 0) {
        if (align & Qt::AlignLeft)
            r.setLeft(r.left() + indent());
        if (align & Qt::AlignRight)
            r.setRight(r.right() - indent());
        if (align & Qt::AlignTop)
            r.setTop(r.top() + indent());
        if (align & Qt::AlignBottom)
            r.setBottom(r.bottom() - indent());
    }
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(r, int(align) | Qt::TextHideMnemonic, text());
    if (!current_)
        return;
    // White on the dark cells (black, dark blue, dark red) and apart from the
    // green digits; on the light cells of the place rows the win grid's navy.
    painter.setPen(background().lightness() > 127 ? QColor(0, 0, 128) : QColor(Qt::white));
    // One pixel, clear of the digits of the 13-pixel cells.
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
