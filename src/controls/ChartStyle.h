#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QAbstractAxis;
class QChart;
class QChartView;

// The look the program's charts share: its Japanese fonts in pixel sizes,
// a plain white plot, the legend below, and a few line colours that stay
// apart on screen and in print.
namespace tavek::chartstyle {

// The proportional window font, "ＭＳ Ｐゴシック", at `pixels`.
QFont font(int pixels, bool bold = false);

// Line colours in the order a chart uses them.
QColor lineColour(int index);

// A chart in the program's look, its legend below the plot, in a view that
// draws it antialiased.
QChartView* makeChartView(QChart* chart, QWidget* parent, const QString& objectName);

// An axis with its title, in the program's fonts.
void styleAxis(QAbstractAxis* axis, const QString& title);

}  // namespace tavek::chartstyle
