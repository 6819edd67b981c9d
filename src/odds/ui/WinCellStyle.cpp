#include "odds/ui/WinCellStyle.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kAmountColumn(255, 191, 255);
const QColor kOddsColumn(208, 255, 255);

}  // namespace

QColor bracketColor(int bracket)
{
    static const std::array<QColor, 8> colors{
        QColor(255, 255, 255), QColor(0, 0, 0),   QColor(255, 0, 0),   QColor(0, 0, 255),
        QColor(255, 255, 0),   QColor(0, 255, 0), QColor(255, 128, 0), QColor(255, 0, 255),
    };
    return bracket >= 1 && bracket <= 8 ? colors[bracket - 1] : QColor(Qt::white);
}

QColor bracketTextColor(int bracket)
{
    // White, yellow and the bright green read only in black.
    const bool light = bracket == 1 || bracket == 5 || bracket == 6;
    return light ? QColor(Qt::black) : QColor(Qt::white);
}

WinCellStyle winCellStyle(int column, int bracket, bool won)
{
    if (won && column != 0 && column != 6 && column != 7) {
        WinCellStyle style = winCellStyle(column, bracket);
        style.background = wonColour();
        if (style.textColor != kRed)
            style.textColor = QColor(Qt::black);
        return style;
    }
    const QColor white(Qt::white);
    const QColor black(Qt::black);
    switch (column) {
    case 0:
        return {bracketColor(bracket), bracketTextColor(bracket), 10, true};
    case 1:
        return {QGuiApplication::palette().color(QPalette::ToolTipBase), black, 10, true};
    case 2:
    case 8:
        return {white, std::nullopt, 10, true};
    case 3:
    case 4:
    case 9:
    case 10:
        return {white, black, 9, true};
    case 5:
        return {white, kRed, std::nullopt, false};
    case 6:
        return {kAmountColumn, kBlue, std::nullopt, true};
    case 7:
        return {kOddsColumn, kBlue, std::nullopt, true};
    default:
        return {white, std::nullopt, std::nullopt, false};
    }
}

int winCellTextLeft(int column)
{
    return column == 0 ? 1 + 5 : 1 + 1;
}

int winCellTextTop(int column)
{
    return column == 6 ? 1 : 1 + 1;
}
