#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QAbstractAxis;
class QChart;
class QChartView;

// The look the program's charts share: its Japanese fonts in pixel sizes,
// a plain white plot, the legend below (beside a chart of many lines), and a
// few line colours that stay apart on screen and in print.
namespace tavek::chartstyle {

// The proportional window font, "ＭＳ Ｐゴシック", at `pixels`.
QFont font(int pixels, bool bold = false);

// Line colours in the order a chart uses them.
QColor lineColour(int index);

// Where a chart's legend stands: below the plot, or beside it in a smaller
// font, where a line of each of eighteen runners has to fit.
enum class Legend { Below, Beside };

// A chart in the program's look, in a view that draws it antialiased.
QChartView* makeChartView(QChart* chart, QWidget* parent, const QString& objectName, Legend legend = Legend::Below);

// An axis with its title, in the program's fonts.
void styleAxis(QAbstractAxis* axis, const QString& title);

}  // namespace tavek::chartstyle
