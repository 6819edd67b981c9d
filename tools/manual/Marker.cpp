#include "manual/Marker.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

namespace tavek::manual {

void drawMarker(QPainter& painter, QPointF centre, qreal diameter, int number)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal r = diameter / 2;
    // A thin dark edge outside the white ring: on a white background the ring
    // alone would vanish and the circle look smaller than on a dark one.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawEllipse(centre, r, r);
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, r - diameter * 0.04, r - diameter * 0.04);
    painter.setBrush(kMarkerColour);
    painter.drawEllipse(centre, r - diameter * 0.12, r - diameter * 0.12);

    // The digits as a path, centred on their own outline: text drawn by its
    // font metrics sits a little high or low depending on the font.
    QFont font(QStringLiteral("IPAPGothic"));
    font.setBold(true);
    const QString text = QString::number(number);
    font.setPixelSize(qMax(1, qRound(diameter * (text.size() > 1 ? 0.46 : 0.56))));
    QPainterPath digits;
    digits.addText(0, 0, font, text);
    const QRectF box = digits.boundingRect();
    painter.translate(centre - box.center());
    // The IPA fonts have no bold face, and outlines are never emboldened: a
    // white edge gives the digits the weight of bold text.
    painter.setPen(QPen(Qt::white, diameter * 0.035));
    painter.setBrush(Qt::white);
    painter.drawPath(digits);
    painter.restore();
}

}  // namespace tavek::manual
