#include "odds/ui/PoolTab.h"

#include "controls/WhenShown.h"
#include "odds/model/PoolListing.h"
#include "odds/model/ReferenceSheet.h"
#include "odds/ui/PairCell.h"
#include "odds/ui/PairSheet.h"
#include "odds/ui/PlaceRows.h"
#include "odds/ui/PoolInputDialog.h"
#include "odds/ui/PoolMatrix.h"
#include "odds/ui/SheetBox.h"
#include "odds/ui/WinCellStyle.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStatusTipEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

using tavek::pools::Pool;
using tavek::sim::PoolBoard;
using tavek::sim::SimResult;

namespace {

constexpr Pool kPools[] = {Pool::Place, Pool::Wide, Pool::Exacta, Pool::Trio, Pool::Trifecta};
constexpr int kLastPool = int(std::size(kPools)) - 1;

// The trifecta record of a race without one: blank, so the pool is not sold.
QByteArrayView blankTrifecta()
{
    static const QByteArray blank(tavek::pools::kTrifectaVotes.length, ' ');
    return blank;
}

QScrollArea* scrolled(QWidget* board)
{
    auto* area = new QScrollArea;
    area->setWidget(board);
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus);  // Tab goes on to the board inside
    return area;
}

}  // namespace

PoolTab::PoolTab(QWidget* parent)
    : QWidget(parent)
    , boards_{PoolBoard(Pool::Place), PoolBoard(Pool::Wide), PoolBoard(Pool::Exacta), PoolBoard(Pool::Trio),
              PoolBoard(Pool::Trifecta)}
{
    whenShown_ = new tavek::controls::WhenShown(this);
    runners_ = PoolMatrix::kRunners;
    setObjectName(QStringLiteral("PoolTab"));
    auto* strip = new QFrame(this);
    strip->setObjectName(QStringLiteral("Panel7"));
    strip->setFrameShape(QFrame::StyledPanel);
    strip->setFrameShadow(QFrame::Raised);

    PoolCombo = new QComboBox(strip);
    PoolCombo->setObjectName(QStringLiteral("PoolCombo"));
    for (Pool p : kPools)
        PoolCombo->addItem(tavek::pools::pool(p).caption());
    pivotCaption_ = caption(strip, QStringLiteral("軸："));
    // Before the pivot, as on screen: the Tab key goes from one to the other.
    AxisCombo = new QComboBox(strip);
    AxisCombo->setObjectName(QStringLiteral("AxisCombo"));
    AxisCombo->addItems({QStringLiteral("1着軸"), QStringLiteral("2着軸")});
    PivotCombo = new QComboBox(strip);
    PivotCombo->setObjectName(QStringLiteral("PivotCombo"));
    for (int h = 1; h <= PoolMatrix::kRunners; ++h)
        PivotCombo->addItem(QString::number(h));
    PoolNote = new QLabel(strip);
    PoolNote->setObjectName(QStringLiteral("PoolNote"));
    PoolNote->setWordWrap(true);

    const TotalBoxes boxes = makeTotalBoxes(strip);
    RealTotalBox = boxes.real;
    VirtualTotalBox = boxes.virtualTotal;
    ExcessBox = boxes.excess;
    TotalCaption = caption(strip, QString());

    auto* choice = new QHBoxLayout;
    choice->addWidget(caption(strip, QStringLiteral("賭式：")));
    choice->addWidget(PoolCombo);
    choice->addSpacing(8);
    choice->addWidget(pivotCaption_);
    choice->addWidget(AxisCombo);
    choice->addWidget(PivotCombo);
    choice->addSpacing(8);
    choice->addWidget(PoolNote, 1);
    auto* totals = new QHBoxLayout;
    totals->addWidget(TotalCaption);
    totals->addWidget(RealTotalBox);
    totals->addSpacing(12);
    totals->addWidget(caption(strip, QStringLiteral("(仮想)：")));
    totals->addWidget(VirtualTotalBox);
    totals->addSpacing(12);
    totals->addWidget(caption(strip, QStringLiteral("過剰投票金額(仮想)：")));
    totals->addWidget(ExcessBox);
    totals->addStretch(1);
    auto* stripColumn = new QVBoxLayout(strip);
    stripColumn->setContentsMargins(8, 4, 8, 4);
    stripColumn->setSpacing(4);
    stripColumn->addLayout(choice);
    stripColumn->addLayout(totals);

    placeRows = new PlaceRows;
    poolMatrix = new PoolMatrix;
    boardsView_ = new QStackedWidget(this);
    boardsView_->addWidget(scrolled(placeRows));
    matrixArea_ = scrolled(poolMatrix);
    boardsView_->addWidget(matrixArea_);
    // The headings stay in view; the cells widen into the view.
    const auto pin = [this] {
        poolMatrix->pinHeadings(matrixArea_->horizontalScrollBar()->value(), matrixArea_->verticalScrollBar()->value());
    };
    connect(matrixArea_->horizontalScrollBar(), &QScrollBar::valueChanged, this, pin);
    connect(matrixArea_->verticalScrollBar(), &QScrollBar::valueChanged, this, pin);
    matrixArea_->viewport()->installEventFilter(this);

    listPanel_ = new QWidget(this);
    TrioList = new QListWidget(listPanel_);
    TrioList->setObjectName(QStringLiteral("TrioList"));
    TrioList->setUniformItemSizes(true);
    QFont fixed(QStringLiteral("ＭＳ ゴシック"));
    fixed.setStyleHint(QFont::Monospace);
    fixed.setPixelSize(12);
    TrioList->setFont(fixed);
    TrioList->setFixedWidth(QFontMetrics(fixed).horizontalAdvance(QString(32, u'0')) + 24);
    for (int i = 0; i < kListed; ++i)
        TrioList->addItem(QString());
    auto* listColumn = new QVBoxLayout(listPanel_);
    listColumn->setContentsMargins(4, 4, 4, 4);
    listColumn->addWidget(caption(listPanel_, QStringLiteral("票数上位%1組").arg(kListed)));
    // The headings over the columns of tavek::sim::rankedLine (a kanji two
    // columns of the fixed-pitch font wide).
    listHeading_ = new QLabel(QStringLiteral("順 組番           票数 オッズ"), listPanel_);
    listHeading_->setObjectName(QStringLiteral("ListHeading"));
    listHeading_->setFont(fixed);
    listHeading_->setIndent(4);
    listColumn->addWidget(listHeading_);
    listColumn->addWidget(TrioList, 1);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->addWidget(boardsView_, 1);
    body->addWidget(listPanel_);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(strip);
    outer->addLayout(body, 1);

    connect(PoolCombo, &QComboBox::currentIndexChanged, this, &PoolTab::chooseBoard);
    connect(PivotCombo, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(AxisCombo, &QComboBox::currentIndexChanged, this, &PoolTab::chooseBoard);
    connect(placeRows, &PlaceRows::clicked, this, [this](int n) { cellClicked(n, true); });
    connect(poolMatrix, &PoolMatrix::realClicked, this, [this](int r, int c) { cellClicked(entryAt(r, c), true); });
    connect(poolMatrix, &PoolMatrix::virtualClicked, this, [this](int r, int c) { cellClicked(entryAt(r, c), false); });
    connect(TrioList, &QListWidget::itemClicked, this, &PoolTab::openListed);
    TrioList->installEventFilter(this);
    chooseBoard();
}

Pool PoolTab::pool() const
{
    return kPools[std::clamp(PoolCombo->currentIndex(), 0, kLastPool)];
}

const PoolBoard& PoolTab::board(Pool p) const
{
    if (p == Pool::Trifecta)
        readTrifecta();
    return boards_[size_t(std::find(std::begin(kPools), std::end(kPools), p) - std::begin(kPools))];
}

PoolBoard& PoolTab::current()
{
    if (pool() == Pool::Trifecta)
        readTrifecta();
    return boards_[size_t(std::clamp(PoolCombo->currentIndex(), 0, kLastPool))];
}

int PoolTab::pivot() const
{
    return PivotCombo->currentIndex() + 1;
}

PoolTab::Axis PoolTab::axis() const
{
    return AxisCombo->currentIndex() == 1 ? Axis::Second : Axis::First;
}

void PoolTab::poolSection(QByteArrayView voteRecord, QByteArrayView trifectaRecord)
{
    poolSection(voteRecord, [record = trifectaRecord.toByteArray()] { return record; });
}

void PoolTab::poolSection(QByteArrayView voteRecord, TrifectaSource trifecta)
{
    for (PoolBoard& b : boards_)
        if (b.pool() != Pool::Trifecta)
            b.calculate(voteRecord);
    trifectaSource_ = trifecta ? std::move(trifecta) : [] { return QByteArray(); };
    followField(boards_[0].registered());
    // The boards are current at once (CSV出力 reads them); their cells are
    // painted when the tab is in view.
    whenShown_->run([this] { refresh(); });
}

void PoolTab::readTrifecta() const
{
    if (!trifectaSource_)
        return;
    const QByteArray record = std::exchange(trifectaSource_, nullptr)();
    boards_.back().calculate(record.isEmpty() ? blankTrifecta() : QByteArrayView(record));  // the trifecta, last
}

// The selectors and the board offer the race's registered runners; a record
// without runners keeps the full field.
void PoolTab::followField(int registered)
{
    const int runners = registered > 0 ? std::min(registered, PoolMatrix::kRunners) : PoolMatrix::kRunners;
    if (runners == runners_)
        return;
    runners_ = runners;
    const QSignalBlocker blocker(PivotCombo);
    const int pivot = std::min(PivotCombo->currentIndex(), runners - 1);
    PivotCombo->clear();
    for (int h = 1; h <= runners; ++h)
        PivotCombo->addItem(QString::number(h));
    PivotCombo->setCurrentIndex(std::max(pivot, 0));
    poolMatrix->setRunners(runners);
}

// The entry at a place of the board, 0 where the board has none.
int PoolTab::entryAt(int row, int column) const
{
    switch (pool()) {
    case Pool::Wide:
        return row < column ? tavek::pools::entryOf(Pool::Wide, row, column) : 0;
    case Pool::Exacta:
        return tavek::pools::entryOf(Pool::Exacta, row, column);
    case Pool::Trio: {
        const int p = pivot();
        if (row >= column || row == p || column == p)
            return 0;
        int r[] = {p, row, column};
        std::sort(std::begin(r), std::end(r));
        return tavek::pools::entryOf(Pool::Trio, r[0], r[1], r[2]);
    }
    case Pool::Trifecta: {
        const int p = pivot();
        if (row == column || row == p || column == p)
            return 0;
        return axis() == Axis::First ? tavek::pools::entryOf(Pool::Trifecta, p, row, column)
                                     : tavek::pools::entryOf(Pool::Trifecta, row, p, column);
    }
    default:
        return 0;
    }
}

PairCell* PoolTab::cellOf(int n, bool isReal) const
{
    const PoolBoard& b = board();
    if (n < 1 || n > b.size() || !b.inField(n))
        return nullptr;
    if (pool() == Pool::Place)
        return placeRows->cell(n, isReal ? PlaceRows::Odds : PlaceRows::VirtualOdds);
    tavek::pools::EntryRunners r = tavek::pools::entryRunners(pool(), n);
    if (pool() == Pool::Trio) {
        auto* end = std::remove(r.begin(), r.end(), pivot());
        if (end == r.end())
            return nullptr;
    }
    if (pool() == Pool::Trifecta) {
        // The pivot in its place; the row is the other of first and second.
        const bool first = axis() == Axis::First;
        if (r[first ? 0 : 1] != pivot())
            return nullptr;
        r = {first ? r[1] : r[0], r[2], 0};
    }
    return isReal ? poolMatrix->realCell(r[0], r[1]) : poolMatrix->virtualCell(r[0], r[1]);
}

PairCell* PoolTab::realCell(int n) const
{
    return cellOf(n, true);
}

PairCell* PoolTab::virtualCell(int n) const
{
    return cellOf(n, false);
}

SimResult PoolTab::simulateStake(int n, long long yen)
{
    const SimResult result = current().simulateStake(n, yen);
    refresh(Figures::Virtual);
    return result;
}

SimResult PoolTab::simulateOdds(int n, long double odds)
{
    const SimResult result = current().simulateOdds(n, odds);
    refresh(Figures::Virtual);
    return result;
}

void PoolTab::chooseBoard()
{
    const Pool p = pool();
    const bool trio = p == Pool::Trio;
    const bool trifecta = p == Pool::Trifecta;
    pivotCaption_->setVisible(trio);
    AxisCombo->setVisible(trifecta);
    PivotCombo->setVisible(trio || trifecta);
    listPanel_->setVisible(trio || trifecta);
    TotalCaption->setText(tavek::sim::totalLabel(p));
    boardsView_->setCurrentIndex(p == Pool::Place ? 0 : 1);
    poolMatrix->fitCellsTo(p == Pool::Wide       ? QStringLiteral("9999.9-9999.9")
                           : p == Pool::Trifecta ? QStringLiteral("999999.9")
                                                 : QStringLiteral("99999.9"));
    // Which place the rows and the columns stand for, where the order counts.
    const bool second = axis() == Axis::Second;
    poolMatrix->setAxes(p == Pool::Exacta ? QStringLiteral("1着")
                        : trifecta        ? (second ? QStringLiteral("1着") : QStringLiteral("2着"))
                                          : QString(),
                        p == Pool::Exacta ? QStringLiteral("2着")
                        : trifecta        ? QStringLiteral("3着")
                                          : QString());
    refresh();
}

QString PoolTab::noteText() const
{
    const PoolBoard& b = board();
    if (pool() == Pool::Trifecta && b.registered() == 0)
        return QStringLiteral("※このレースの3連単の票数はありません（発売なし、または未取得）。");
    if (b.hasOddsSimulation())
        return QStringLiteral("※上段が実際のオッズ、下段が仮想オッズ。上段をクリックで金額、"
                              "下段をクリックでオッズのシミュレーションを行います。");
    if (pool() == Pool::Place || pool() == Pool::Wide)
        return QStringLiteral("※%1のオッズは的中の組み合わせで変わる幅（最低-最高）のため、"
                              "オッズのシミュレーションはありません。クリックで金額のシミュレーション。")
            .arg(tavek::pools::pool(pool()).caption());
    return QStringLiteral("※上段が実際のオッズ、下段が仮想オッズ。クリックで金額のシミュレーションを行います。");
}

void PoolTab::cellClicked(int n, bool isReal)
{
    const PoolBoard& b = board();
    // A refunded entry opens nothing either, but the status line says why.
    if (n >= 1 && n <= b.size() && b.refunded(n)) {
        QStatusTipEvent why(b.refusalMessage(n, SimResult::Refunded));
        QApplication::sendEvent(this, &why);
        return;
    }
    // As on the pair tabs, an entry without real odds opens no dialog.
    if (n < 1 || n > b.size() || !b.odds(n).has())
        return;
    const InputKind kind = !isReal && b.hasOddsSimulation() ? InputKind::Odds : InputKind::Stake;
    TInputPoolForm dialog(*this, n, kind, this);
    dialog.exec();
}

void PoolTab::openListed(QListWidgetItem* item)
{
    cellClicked(item->data(Qt::UserRole).toInt(), true);
}

bool PoolTab::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == matrixArea_->viewport() && event->type() == QEvent::Resize)
        poolMatrix->growTo(static_cast<QResizeEvent*>(event)->size().width());
    // The list opens its current line by key as the boards open their cells.
    if (watched == TrioList && event->type() == QEvent::KeyPress
        && CellBoard::opensCell(*static_cast<QKeyEvent*>(event))) {
        if (QListWidgetItem* item = TrioList->currentItem())
            openListed(item);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void PoolTab::refresh(Figures figures)
{
    // Only the board in view is painted, and of it only the cells whose text
    // changes (QLabel repaints on a new text only).
    const PoolBoard& b = board();
    RealTotalBox->setText(b.totalText());
    VirtualTotalBox->setText(b.virtualTotalText());
    ExcessBox->setText(b.excessText());
    if (figures == Figures::All)
        PoolNote->setText(noteText());
    if (pool() == Pool::Place)
        refreshPlace(figures);
    else
        refreshMatrix(figures);
    // The list ranks the real votes.
    if ((pool() == Pool::Trio || pool() == Pool::Trifecta) && figures == Figures::All)
        refreshList();
}

void PoolTab::refreshPlace(Figures figures)
{
    const PoolBoard& b = board();
    placeRows->setRunners(std::min(b.registered(), PlaceRows::kRows));
    for (int n = 1; n <= std::min(b.registered(), PlaceRows::kRows); ++n) {
        if (figures == Figures::All) {
            placeRows->setBracket(n, tavek::sim::placeBracket(b, n));
            placeRows->setWon(n, winners_.won(Pool::Place, n));
            placeRows->cell(n, PlaceRows::Votes)->setText(b.votesText(n).trimmed());
            placeRows->cell(n, PlaceRows::Share)->setText(tavek::sim::shareText(b, n).trimmed());
            placeRows->cell(n, PlaceRows::Odds)->setText(b.oddsText(n));
        }
        placeRows->cell(n, PlaceRows::VirtualVotes)->setText(b.virtualVotesText(n).trimmed());
        placeRows->cell(n, PlaceRows::VirtualOdds)->setText(b.virtualOddsText(n));
    }
}

void PoolTab::refreshMatrix(Figures figures)
{
    const PoolBoard& b = board();
    // A simulation changes neither the places shown nor their entries, nor
    // which of them won.
    if (figures == Figures::All) {
        shownVirtual_.clear();
        for (int row = 1; row <= runners_; ++row)
            for (int column = 1; column <= runners_; ++column) {
                const int n = entryAt(row, column);
                const bool shown = n > 0 && b.inField(n);
                poolMatrix->showPlace(row, column, shown);
                if (!shown)
                    continue;
                PairCell* real = poolMatrix->realCell(row, column);
                PairCell* virtualCell = poolMatrix->virtualCell(row, column);
                real->setText(b.oddsText(n).trimmed());
                const bool won = winners_.won(pool(), n);
                real->setColours(won ? wonColour() : PairSheet::realColour(),
                                 won ? QColor(Qt::black) : PairSheet::textColour());
                virtualCell->setColours(won ? wonColour() : PairSheet::virtualColour(),
                                        won ? QColor(Qt::black) : PairSheet::textColour());
                shownVirtual_.push_back({virtualCell, n});
            }
    }
    for (const auto& [cell, n] : shownVirtual_)
        cell->setText(b.virtualOddsText(n).trimmed());
}

void PoolTab::refreshList()
{
    const PoolBoard& b = board();
    const std::vector<int> entries = tavek::sim::mostBacked(b, kListed);
    for (int i = 0; i < kListed; ++i) {
        QListWidgetItem* item = TrioList->item(i);
        const bool listed = size_t(i) < entries.size();
        const QString text = listed ? tavek::sim::rankedLine(b, i + 1, entries[size_t(i)]) : QString();
        if (item->text() != text)
            item->setText(text);
        item->setData(Qt::UserRole, listed ? entries[size_t(i)] : 0);
        const bool won = listed && winners_.won(pool(), entries[size_t(i)]);
        item->setBackground(won ? QBrush(wonColour()) : QBrush());
    }
}
