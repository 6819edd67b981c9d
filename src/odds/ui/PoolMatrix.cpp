#include "odds/ui/PoolMatrix.h"

#include "odds/ui/PairCell.h"
#include "odds/ui/PairSheet.h"
#include "odds/ui/SheetBox.h"

#include <algorithm>

namespace {

constexpr int kHeadingWidth = 34;
constexpr int kHeadingHeight = 34;
constexpr int kLineHeight = 16;  // one odds line of the fixed-pitch font
constexpr int kGap = 2;
constexpr int kMargin = 5;  // of a cell's text from both its edges

QFont cellFont()
{
    QFont f(QStringLiteral("ＭＳ ゴシック"));
    f.setStyleHint(QFont::Monospace, QFont::PreferNoShaping);
    f.setPixelSize(13);
    return f;
}

void paintHeading(QLabel* heading)
{
    QPalette p = heading->palette();
    p.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xC0));
    p.setColor(QPalette::WindowText, Qt::black);
    heading->setPalette(p);
}

}  // namespace

PoolMatrix::PoolMatrix(QWidget* parent)
    : CellBoard(2 * kRunners, kRunners, parent)
    , real_(size_t(kRunners * kRunners))
    , virtual_(size_t(kRunners * kRunners))
{
    setObjectName(QStringLiteral("PoolMatrix"));
    // The headings stay over the cells' top and left.
    keepClear(kHeadingWidth + kGap + 8, kHeadingHeight + kGap + 8);
    for (int i = 0; i < 2 * kRunners; ++i) {
        const int n = i % kRunners + 1;
        QLabel* heading = makeBox(this, QStringLiteral("%1%2").arg(i < kRunners ? "Column" : "Row").arg(n), {}, {},
                                  false);
        paintHeading(heading);
        heading->setText(QString::number(n));
        headings_.push_back(heading);
    }
    corner_ = makeBox(this, QStringLiteral("Corner"), {}, {}, false);
    paintHeading(corner_);
    QFont small = corner_->font();
    small.setPixelSize(11);
    corner_->setFont(small);
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
    fittedWidth_ = QFontMetrics(cellFont()).horizontalAdvance(widest) + 2 * kMargin;
    growTo(viewWidth_);
}

void PoolMatrix::growTo(int width)
{
    viewWidth_ = width;
    const int room = (width - kHeadingWidth - kGap) / runners_ - kGap;
    const int cellWidth = std::max(fittedWidth_, room);
    if (cellWidth == cellWidth_)
        return;
    cellWidth_ = cellWidth;
    place();
}

void PoolMatrix::setRunners(int runners)
{
    runners = std::clamp(runners, 1, kRunners);
    if (runners == runners_)
        return;
    runners_ = runners;
    for (int n = 1; n <= kRunners; ++n) {
        const bool shown = n <= runners;
        headings_[size_t(n - 1)]->setVisible(shown);
        headings_[size_t(kRunners + n - 1)]->setVisible(shown);
        rows_[size_t(n - 1)]->setVisible(shown);
        // The cells of a larger field the tab no longer looks at.
        for (int m = runners + 1; m <= kRunners; ++m)
            showPlace(n, m, false);
    }
    const int width = viewWidth_;
    viewWidth_ = -1;
    cellWidth_ = -1;
    growTo(width);
}

void PoolMatrix::setAxes(const QString& rows, const QString& columns)
{
    corner_->setText(rows.isEmpty() ? QString() : QStringLiteral("%1→\n%2↓").arg(columns, rows));
}

void PoolMatrix::pinHeadings(int x, int y)
{
    if (x == pinX_ && y == pinY_)
        return;
    pinX_ = x;
    pinY_ = y;
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
    // The headings where the view shows them, over the cells scrolled under.
    for (int n = 1; n <= kRunners; ++n) {
        QLabel* column = headings_[size_t(n - 1)];
        QLabel* row = headings_[size_t(kRunners + n - 1)];
        column->setGeometry(left + (n - 1) * pitchX, pinY_, cellWidth_, kHeadingHeight);
        row->setGeometry(pinX_, top + (n - 1) * pitchY, kHeadingWidth, 2 * kLineHeight);
        column->raise();
        row->raise();
    }
    corner_->setGeometry(pinX_, pinY_, kHeadingWidth, kHeadingHeight);
    corner_->raise();
    // Of a fixed size, a cell's new text asks for no layout: a stake gives a
    // few hundred cells new texts.
    const auto fix = [this](PairCell* cell, int x, int y) {
        cell->setFixedSize(cellWidth_, kLineHeight);
        cell->move(x, y);
    };
    for (int row = 1; row <= kRunners; ++row) {
        rows_[size_t(row - 1)]->setGeometry(left, top + (row - 1) * pitchY, kRunners * pitchX, 2 * kLineHeight);
        for (int column = 1; column <= kRunners; ++column) {
            const int x = (column - 1) * pitchX;
            fix(real_[index(row, column)], x, 0);
            fix(virtual_[index(row, column)], x, kLineHeight);
        }
    }
    const QSize size(left + runners_ * pitchX, top + runners_ * pitchY);
    setMinimumSize(size);
    resize(size);
}
