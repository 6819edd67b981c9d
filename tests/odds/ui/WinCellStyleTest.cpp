#include "odds/ui/WinCellStyle.h"

#include <gtest/gtest.h>

TEST(WinCellStyle, BracketColoursAndTheirFigures)
{
    const QColor orange(255, 128, 0), magenta(255, 0, 255);
    EXPECT_EQ(winCellStyle(0, 7).background, orange);
    EXPECT_EQ(winCellStyle(0, 8).background, magenta);
    EXPECT_EQ(winCellStyle(0, 4).background, QColor(0, 0, 255));
    EXPECT_EQ(winCellStyle(0, 2).background, QColor(0, 0, 0));
    for (int b = 1; b <= 8; ++b) {
        const WinCellStyle s = winCellStyle(0, b);
        // Light text on the dark brackets (black, red, blue, orange, magenta), as on JRA's boards.
        const bool lightBracket = b == 1 || b == 5 || b == 6;
        EXPECT_EQ(*s.textColor, lightBracket ? QColor(Qt::black) : QColor(Qt::white)) << b;
        EXPECT_EQ(bracketTextColor(b), *s.textColor) << b;
        EXPECT_TRUE(s.bold);
        EXPECT_EQ(*s.pointSize, 10);
    }
    EXPECT_EQ(winCellStyle(6, 1).background, QColor(255, 191, 255));
    EXPECT_EQ(winCellStyle(7, 1).background, QColor(208, 255, 255));
    EXPECT_EQ(*winCellStyle(6, 1).textColor, QColor(0, 0, 255));
    const WinCellStyle refund = winCellStyle(5, 1);
    EXPECT_EQ(*refund.textColor, QColor(255, 0, 0));
    EXPECT_FALSE(refund.bold);
    EXPECT_FALSE(refund.pointSize);
    EXPECT_FALSE(winCellStyle(2, 1).textColor);  // the grid's own colour
    EXPECT_EQ(*winCellStyle(9, 1).pointSize, 9);
}
