#include "odds/ui/PoolMatrix.h"

#include "odds/ui/PairCell.h"
#include "odds/ui/PairSheet.h"
#include "odds/ui/SheetBox.h"

namespace {

constexpr int kHeadingWidth = 22;
constexpr int kHeadingHeight = 16;
constexpr int kLineHeight = 13;  // one odds line of the fixed-pitch font
constexpr int kGap = 2;

QFont cellFont()
{
    QFont f(QStringLiteral("ＭＳ ゴシック"));
    f.setStyleHint(QFont::Monospace);
    f.setPixelSize(11);
    return f;
}

}  // namespace

PoolMatrix::PoolMatrix(QWidget* parent)
    : CellBoard(2 * kRunners, kRunners, parent)
    , real_(size_t(kRunners * kRunners))
    , virtual_(size_t(kRunners * kRunners))
{
    setObjectName(QStringLiteral("PoolMatrix"));
    for (int i = 0; i < 2 * kRunners; ++i) {
        const int n = i % kRunners + 1;
        QLabel* heading = makeBox(this, QStringLiteral("%1%2").arg(i < kRunners ? "Column" : "Row").arg(n), {}, {},
                                  false);
        QPalette p = heading->palette();
        p.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xC0));
        p.setColor(QPalette::WindowText, Qt::black);
        heading->setPalette(p);
        heading->setText(QString::number(n));
        headings_.push_back(heading);
    }
    const QFont font = cellFont();
    for (int row = 1; row <= kRunners; ++row) {
        // Each row's cells in a strip of their own: for every cell it repaints
        // Qt looks through the cell's later siblings for one that covers it,
        // and among all 648 cells that search cost more than a stake's
        // simulation.
        auto* strip = new QWidget(this);
        strip->setObjectName(QStringLiteral("Strip%1").arg(row));
        rows_.push_back(strip);
        for (int column = 1; column <= kRunners; ++column)
            for (bool isReal : {true, false}) {
                auto* cell = new PairCell(int(index(row, column)), strip);
                cell->setFont(font);
                cell->setObjectName(QStringLiteral("%1%2_%3").arg(isReal ? "Real" : "Virtual").arg(row).arg(column));
                cell->setColours(isReal ? PairSheet::realColour() : PairSheet::virtualColour(),
                                 PairSheet::textColour());
                (isReal ? real_ : virtual_)[index(row, column)] = cell;
                addCell(cell, 2 * (row - 1) + (isReal ? 0 : 1), column - 1);
                connect(cell, &PairCell::clicked, this, [this, row, column, isReal] {
                    emit isReal ? realClicked(row, column) : virtualClicked(row, column);
                });
            }
    }
    place();
}

void PoolMatrix::fitCellsTo(const QString& widest)
{
    const int width = QFontMetrics(cellFont()).horizontalAdvance(widest) + 6;
    if (width == cellWidth_)
        return;
    cellWidth_ = width;
    place();
}

void PoolMatrix::showPlace(int row, int column, bool shown)
{
    real_[index(row, column)]->setVisible(shown);
    virtual_[index(row, column)]->setVisible(shown);
}

void PoolMatrix::place()
{
    const int pitchX = cellWidth_ + kGap;
    const int pitchY = 2 * kLineHeight + kGap;
    const int left = kHeadingWidth + kGap;
    const int top = kHeadingHeight + kGap;
    for (int n = 1; n <= kRunners; ++n) {
        headings_[size_t(n - 1)]->setGeometry(left + (n - 1) * pitchX, 0, cellWidth_, kHeadingHeight);
        headings_[size_t(kRunners + n - 1)]->setGeometry(0, top + (n - 1) * pitchY, kHeadingWidth, 2 * kLineHeight);
    }
    for (int row = 1; row <= kRunners; ++row) {
        rows_[size_t(row - 1)]->setGeometry(left, top + (row - 1) * pitchY, kRunners * pitchX, 2 * kLineHeight);
        for (int column = 1; column <= kRunners; ++column) {
            const int x = (column - 1) * pitchX;
            real_[index(row, column)]->setGeometry(x, 0, cellWidth_, kLineHeight);
            virtual_[index(row, column)]->setGeometry(x, kLineHeight, cellWidth_, kLineHeight);
        }
    }
    const QSize size(left + kRunners * pitchX, top + kRunners * pitchY);
    setMinimumSize(size);
    resize(size);
}
