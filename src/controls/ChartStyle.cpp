#include "controls/ChartStyle.h"

#include "controls/PixelFont.h"

#include <QAbstractAxis>
#include <QChart>
#include <QChartView>
#include <QLegend>
#include <array>

namespace tavek::chartstyle {

QFont font(int pixels, bool bold)
{
    return pixelFont(QStringLiteral("ＭＳ Ｐゴシック"), pixels, bold);
}

QColor lineColour(int index)
{
    static const std::array<QColor, 6> colours = {QColor(0, 0, 255),   QColor(0, 128, 0),   QColor(128, 0, 0),
                                                  QColor(255, 128, 0), QColor(128, 0, 128), QColor(0, 128, 128)};
    return colours[size_t(index) % colours.size()];
}

QChartView* makeChartView(QChart* chart, QWidget* parent, const QString& objectName)
{
    chart->setTheme(QChart::ChartThemeLight);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setTitleFont(font(13, true));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(font(12));
    auto* view = new QChartView(chart, parent);
    view->setObjectName(objectName);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

void styleAxis(QAbstractAxis* axis, const QString& title)
{
    axis->setTitleText(title);
    axis->setTitleFont(font(12, true));
    axis->setLabelsFont(font(11));
}

}  // namespace tavek::chartstyle
