#include "odds/ui/PairSheet.h"

#include "controls/WhenShown.h"
#include "odds/ui/CellBoard.h"
#include "odds/ui/PairCell.h"
#include "odds/ui/SheetBox.h"
#include "odds/ui/WinCellStyle.h"
#include "pools/Payout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>
#include <stdexcept>

using tavek::pools::PairKind;
using tavek::sim::SimResult;

namespace {

constexpr int kCellGap = 2;

}  // namespace

PairSheet::PairSheet(PairKind kind, const QString& stripName, const QString& betName, bool scrolls, QWidget* parent)
    : QWidget(parent)
    , board_(kind)
    , real_(size_t(tavek::pools::pairCount(kind) + 1), nullptr)
    , virtual_(size_t(tavek::pools::pairCount(kind) + 1), nullptr)
    , whenShown_(new tavek::controls::WhenShown(this))
{
    auto* strip = new QFrame(this);
    strip->setObjectName(stripName);
    strip->setFrameShape(QFrame::StyledPanel);
    strip->setFrameShadow(QFrame::Raised);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(8, 5, 8, 5);
    row->setSpacing(4);
    const TotalBoxes boxes = makeTotalBoxes(strip);
    realTotal_ = boxes.real;
    virtualTotal_ = boxes.virtualTotal;
    excess_ = boxes.excess;
    row->addWidget(caption(strip, betName + QStringLiteral("合計票数：")));
    row->addWidget(realTotal_);
    row->addSpacing(12);
    row->addWidget(caption(strip, betName + QStringLiteral("合計票数(仮想)：")));
    row->addWidget(virtualTotal_);
    row->addSpacing(12);
    row->addWidget(caption(strip, QStringLiteral("過剰投票金額(仮想)：")));
    row->addWidget(excess_);
    row->addStretch(1);

    // The keys follow the numbers, not the bands of the screen: a column holds
    // the pairs (a, b) downwards, each pair's real cell left of its virtual
    // one, and column a + 1 stands to the right.
    const int numbers = tavek::pools::pairNumbers(kind, tavek::pools::pairCount(kind)).second;
    matrix_ = new CellBoard(numbers, 2 * numbers);
    matrix_->setObjectName(QStringLiteral("Matrix"));
    matrix_->setToolTip(tavek::pools::oddsRulesNote());
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(strip);
    if (scrolls) {
        auto* area = new QScrollArea(this);
        area->setObjectName(QStringLiteral("ScrollBox1"));
        area->setWidget(matrix_);
        area->setFrameShape(QFrame::NoFrame);
        area->setFocusPolicy(Qt::NoFocus);  // Tab goes on to the matrix inside
        outer->addWidget(area, 1);
    } else {
        matrix_->setParent(this);
        outer->addWidget(matrix_, 1);
    }
}

void PairSheet::buildMatrix(const PairMatrixGeometry& g)
{
    const int blockWidth = 2 * g.cell.width() + kCellGap;
    int right = 0;
    int bottom = 0;
    for (size_t c = 0; c < g.columns.size(); ++c) {
        const auto& col = g.columns[c];
        const int a = int(c) + 1;
        QLabel* heading = makeBox(matrix_, QStringLiteral("Heading%1").arg(a), {}, {}, false);
        styleNumberBox(heading, a);
        heading->setText(QString::number(a));
        heading->setGeometry(col.left, col.headingTop, blockWidth, col.firstTop - col.headingTop);
        right = std::max(right, col.left + blockWidth);
    }
    for (int k = 1; k <= board_.size(); ++k) {
        const auto [a, b] = tavek::pools::pairNumbers(kind(), k);
        const auto& col = g.columns[size_t(a - 1)];
        const int firstB = kind() == PairKind::Bracket ? a : a + 1;
        const int top = col.firstTop + (b - firstB) * g.rowPitch;
        QLabel* number = makeBox(matrix_, QStringLiteral("Row%1").arg(k), {}, {}, false);
        styleNumberBox(number, b);
        number->setText(QString::number(b));
        number->setGeometry(col.left - g.rowBoxWidth - kCellGap, top, g.rowBoxWidth, g.cell.height());
        for (bool isReal : {true, false}) {
            auto* cell = new PairCell(k, matrix_);
            cell->setFont(g.cellFont);
            cell->setObjectName(QStringLiteral("%1%2").arg(isReal ? "Real" : "Virtual").arg(k));
            cell->setGeometry(col.left + (isReal ? 0 : g.cell.width() + kCellGap), top, g.cell.width(),
                              g.cell.height());
            cell->setColours(isReal ? realColour() : virtualColour(), textColour());
            (isReal ? real_ : virtual_)[size_t(k)] = cell;
            matrix_->addCell(cell, b - 1, 2 * (a - 1) + (isReal ? 0 : 1));
            connect(cell, &PairCell::clicked, this, isReal ? &PairSheet::realCellClick : &PairSheet::virtualCellClick);
        }
        bottom = std::max(bottom, top + g.cell.height());
    }
    auto* note = new QLabel(QStringLiteral("※左側のマスが実際のオッズ、右側が仮想オッズを意味します。"), matrix_);
    note->setObjectName(QStringLiteral("Note"));
    note->adjustSize();
    note->move(g.columns.front().left - g.rowBoxWidth - kCellGap, bottom + 10);
    matrix_->setMinimumSize(std::max(right, note->geometry().right()) + 20, note->geometry().bottom() + 12);
    matrix_->resize(matrix_->minimumSize());
}

tavek::sim::PairSlot PairSheet::slot(int race) const
{
    if (!source_)
        throw std::logic_error("pair tab has no day data");
    return source_(race);
}

void PairSheet::clearFigures()
{
    board_.clear();
    refresh();
}

void PairSheet::calculate(int race)
{
    race_ = race;
    const tavek::sim::PairSlot s = slot(race);
    board_.calculate(s.record, s.figures);
    refresh();
}

SimResult PairSheet::simulateStake(QStringView label, long long yen)
{
    const tavek::sim::PairSlot s = slot(race_);
    const SimResult result = board_.simulateStake(s.record, s.figures, label, yen);
    refresh();
    return result;
}

SimResult PairSheet::simulateOdds(QStringView label, long double odds)
{
    const tavek::sim::PairSlot s = slot(race_);
    const SimResult result = board_.simulateOdds(s.record, s.figures, label, odds);
    refresh();
    return result;
}

void PairSheet::realCellClick(int k)
{
    const int chosen = board_.clickReal(k);
    refresh();
    if (chosen > 0)
        openStakeDialog(tavek::pools::pairLabel(kind(), chosen));
}

void PairSheet::virtualCellClick(int k)
{
    const int chosen = board_.clickVirtual(k);
    refresh();
    if (chosen > 0)
        openOddsDialog(tavek::pools::pairLabel(kind(), chosen));
}

void PairSheet::refresh()
{
    // The board is current at once (CSV出力 and the quick report's notes read
    // it); its cells are filled when the tab is in view.
    whenShown_->run([this] { showFigures(); });
}

void PairSheet::showFigures()
{
    // Nothing is painted before the handler that changes the cells ends, so
    // the matrix never shows half an update; only the cells that change are
    // repainted, not its headings and row numbers as well.
    // A winning pair's cells in gold, black digits; chosen for a simulation,
    // they keep the chosen colour with gold digits.
    const auto colour = [](PairCell* cell, bool selected, bool won, const QColor& plain) {
        cell->setColours(selected ? selectedColour()
                         : won    ? wonColour()
                                  : plain,
                         !won       ? textColour()
                         : selected ? wonColour()
                                    : QColor(Qt::black));
    };
    const tavek::pools::Pool pool = tavek::pools::pairPool(kind());
    for (int k = 1; k <= board_.size(); ++k) {
        const auto& r = board_.real(k);
        const auto& v = board_.virtualCell(k);
        const bool won = winners_.won(pool, k);
        real_[size_t(k)]->setText(r.text);
        colour(real_[size_t(k)], r.selected, won, realColour());
        virtual_[size_t(k)]->setText(v.text);
        colour(virtual_[size_t(k)], v.selected, won, virtualColour());
    }
    realTotal_->setText(board_.realTotal());
    virtualTotal_->setText(board_.virtualTotal());
    excess_->setText(board_.excess());
}
