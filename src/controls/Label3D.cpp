#include "controls/Label3D.h"

#include "controls/DesktopShell.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

Label3D::Label3D(const QString& text, QWidget* parent) : QLabel(text, parent)
{
}

void Label3D::setStyle3D(Style style)
{
    style_ = style;
    update();
}

void Label3D::setShadowColor(const QColor& color)
{
    shadow_ = color;
    update();
}

void Label3D::setWebAddress(const QUrl& address)
{
    address_ = address;
    setCursor(address_.isEmpty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
    update();
}

void Label3D::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    drawFrame(&p);

    QFont f = font();
    if (hovered_ && !address_.isEmpty())
        f.setUnderline(true);
    p.setFont(f);

    const QRect r = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const int flags = int(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
    const QPalette& pal = palette();
    const QColor light = pal.color(QPalette::Light);
    const QColor dark = pal.color(QPalette::Dark);

    // Highlight and shade one pixel apart give the engraved or embossed look.
    auto drawAt = [&](int dx, int dy, const QColor& c) {
        p.setPen(c);
        p.drawText(r.translated(dx, dy), flags, text());
    };
    switch (style_) {
    case Style::Raised:
        drawAt(-1, -1, light);
        drawAt(1, 1, dark);
        break;
    case Style::Recessed:
        drawAt(1, 1, light);
        drawAt(-1, -1, dark);
        break;
    case Style::Shadowed:
        drawAt(2, 2, shadow_);
        break;
    case Style::Flat:
        break;
    }
    drawAt(0, 0, pal.color(QPalette::WindowText));
}

void Label3D::enterEvent(QEnterEvent* event)
{
    hovered_ = true;
    update();
    QLabel::enterEvent(event);
}

void Label3D::leaveEvent(QEvent* event)
{
    hovered_ = false;
    update();
    QLabel::leaveEvent(event);
}

void Label3D::mouseReleaseEvent(QMouseEvent* event)
{
    if (!address_.isEmpty() && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        tavek::desktop::open(address_);
        QGuiApplication::restoreOverrideCursor();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}
