#pragma once

#include <QColor>
#include <QPointF>

class QPainter;

// The numbered marker of a callout: manual-shots draws it on a widget in a
// picture, make-manual in front of the item that explains the widget, so the
// reader matches the two by their look as well as their number.
namespace tavek::manual {

inline const QColor kMarkerColour(0xD9, 0x2D, 0x20);

// A filled circle of `diameter` centred on `centre`, with a white ring that
// keeps it apart from dark and coloured backgrounds and `number` in white.
void drawMarker(QPainter& painter, QPointF centre, qreal diameter, int number);

}  // namespace tavek::manual
