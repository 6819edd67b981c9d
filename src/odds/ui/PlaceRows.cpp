#include "odds/ui/PlaceRows.h"

#include "odds/ui/PairCell.h"
#include "odds/ui/SheetBox.h"
#include "odds/ui/WinCellStyle.h"

namespace {

constexpr int kRowHeight = 18;
constexpr int kGap = 1;
// 枠, 馬番, then the figure columns in the order of PlaceRows::Column.
constexpr int kWidths[] = {30, 36, 100, 64, 96, 100, 96};
const char* const kHeadings[] = {"枠", "馬番", "票数", "得票率", "オッズ", "仮想票数", "仮想オッズ"};

QColor figureBackground(int column)
{
    return column >= PlaceRows::VirtualVotes ? QColor(0xE0, 0xFF, 0xFF) : QColor(Qt::white);
}

}  // namespace

PlaceRows::PlaceRows(QWidget* parent) : CellBoard(kRows, kFigureColumns, parent), rows_(kRows)
{
    setObjectName(QStringLiteral("PlaceRows"));
    QFont figures(QStringLiteral("ＭＳ ゴシック"));
    figures.setStyleHint(QFont::Monospace);
    figures.setPixelSize(12);
    int x = 0;
    std::array<int, std::size(kWidths)> lefts{};
    for (size_t c = 0; c < std::size(kWidths); ++c) {
        lefts[c] = x;
        QLabel* heading = makeBox(this, QStringLiteral("Heading%1").arg(c), QColor(0xFF, 0xFF, 0xC0), Qt::black, false);
        heading->setText(QString::fromUtf8(kHeadings[c]));
        heading->setGeometry(x, 0, kWidths[c], kRowHeight);
        x += kWidths[c] + kGap;
    }
    for (int n = 1; n <= kRows; ++n) {
        Row& row = rows_[size_t(n - 1)];
        const int y = n * (kRowHeight + kGap);
        row.bracket = makeBox(this, QStringLiteral("Bracket%1").arg(n), Qt::white, Qt::black, false);
        row.bracket->setGeometry(lefts[0], y, kWidths[0], kRowHeight);
        row.number = makeBox(this, QStringLiteral("Number%1").arg(n), Qt::white, Qt::black, false);
        row.number->setText(QString::number(n));
        row.number->setGeometry(lefts[1], y, kWidths[1], kRowHeight);
        for (int c = 0; c < kFigureColumns; ++c) {
            auto* cell = new PairCell(n, this);
            cell->setObjectName(QStringLiteral("Cell%1_%2").arg(n).arg(c));
            cell->setFont(figures);
            cell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            cell->setIndent(4);
            cell->setColours(figureBackground(c), Qt::black);
            cell->setGeometry(lefts[size_t(c + 2)], y, kWidths[c + 2], kRowHeight);
            row.cells[size_t(c)] = cell;
            addCell(cell, n - 1, c);
            connect(cell, &PairCell::clicked, this, &PlaceRows::clicked);
        }
    }
    const QSize size(x, (kRows + 1) * (kRowHeight + kGap));
    setMinimumSize(size);
    resize(size);
}

void PlaceRows::setRunners(int runners)
{
    if (runners == runners_)
        return;
    runners_ = runners;
    for (int n = 1; n <= kRows; ++n) {
        const Row& row = rows_[size_t(n - 1)];
        const bool shown = n <= runners;
        row.bracket->setVisible(shown);
        row.number->setVisible(shown);
        for (PairCell* cell : row.cells)
            cell->setVisible(shown);
    }
    setMinimumHeight((std::max(runners, 0) + 1) * (kRowHeight + kGap));
    resize(width(), minimumHeight());
}

void PlaceRows::setWon(int n, bool won)
{
    const Row& row = rows_[size_t(n - 1)];
    for (int c = 0; c < kFigureColumns; ++c)
        row.cells[size_t(c)]->setColours(won ? wonColour() : figureBackground(c), Qt::black);
    const QColor number = won ? wonColour() : QColor(Qt::white);
    if (row.number->palette().color(QPalette::Window) != number) {
        QPalette p = row.number->palette();
        p.setColor(QPalette::Window, number);
        row.number->setPalette(p);
    }
}

void PlaceRows::setBracket(int n, int bracket)
{
    QLabel* box = rows_[size_t(n - 1)].bracket;
    box->setText(bracket > 0 ? QString::number(bracket) : QString());
    // The win grid's colours, so a runner's bracket looks the same on both boards.
    const WinCellStyle style = winCellStyle(0, bracket);
    QPalette p = box->palette();
    const QColor text = style.textColor.value_or(Qt::black);
    if (p.color(QPalette::Window) == style.background && p.color(QPalette::WindowText) == text)
        return;
    p.setColor(QPalette::Window, style.background);
    p.setColor(QPalette::WindowText, text);
    box->setPalette(p);
}
