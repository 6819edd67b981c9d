#include "odds/ui/PairCell.h"
#include "odds/ui/PoolMatrix.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

QImage drawn(const QFont& font, const QString& text)
{
    QImage image(120, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::green);
    painter.drawText(image.rect(), Qt::AlignCenter, text);
    return image;
}

}  // namespace

// The board's cells draw their texts unshaped, which saves most of the text's
// cost at a stake; every text a cell shows looks as shaped text does.
TEST(PoolMatrix, CellTextsLookAsShapedTextDoes)
{
    const PoolMatrix matrix;
    const QFont font = matrix.realCell(1, 2)->font();
    ASSERT_TRUE(font.styleStrategy() & QFont::PreferNoShaping);
    QFont shaped = font;
    shaped.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() & ~QFont::PreferNoShaping));
    for (const char* text : {"1.0", "99999.9", "999999.9", "12.3-45.6", "9999.9-9999.9", "発売なし", "返還"}) {
        const QImage unshaped = drawn(font, QString::fromUtf8(text));
        EXPECT_NE(unshaped, drawn(font, QString())) << text;
        EXPECT_EQ(unshaped, drawn(shaped, QString::fromUtf8(text))) << text;
    }
}
