#include "odds/ui/WinGrid.h"

#include "odds/ui/CellBoard.h"
#include "odds/ui/WinCellStyle.h"

#include "racedata/DayData.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <array>

namespace {

constexpr std::array<int, WinGrid::kColumns> kWidths{20, 20, 80, 80, 80, 30, 80, 80, 80, 80, 80};
constexpr int kRowHeight = 20;
constexpr int kHeaderHeight = 17;

// The header row is the grid's fixed row 0: painted by the header view, then
// given its black bottom line like every other row.
class HeaderRow : public QHeaderView {
public:
    explicit HeaderRow(WinGrid* grid) : QHeaderView(Qt::Horizontal, grid), grid_(grid) {}

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override
    {
        painter->save();
        QHeaderView::paintSection(painter, rect, logicalIndex);
        painter->restore();
        grid_->StringGrid1DrawCell(*painter, logicalIndex, 0, rect);
    }

private:
    WinGrid* grid_;
};

class CellPainter : public QStyledItemDelegate {
public:
    explicit CellPainter(WinGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        // The grid's own cell fills the whole cell, so the standard item
        // (nothing but an empty panel here) is drawn only when there is none.
        if (grid_->hasSource()) {
            grid_->StringGrid1DrawCell(*painter, index.column(), index.row() + 1, option.rect);
            // The keyboard's current cell, in a colour none of the cells has.
            if (option.state & QStyle::State_HasFocus) {
                painter->save();
                painter->setPen(QPen(QColor(0, 0, 128), 2));
                painter->drawRect(option.rect.adjusted(1, 1, -1, -2));
                painter->restore();
            }
            return;
        }
        // A row is never shown selected or focused.
        QStyleOptionViewItem plain = option;
        plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        QStyledItemDelegate::paint(painter, plain, index);
    }

private:
    WinGrid* grid_;
};

}  // namespace

WinGrid::WinGrid(const QStringList& headers, QWidget* parent) : QTableWidget(1, kColumns, parent)
{
    setObjectName(QStringLiteral("StringGrid1"));
    QFont f(QStringLiteral("ＭＳ ゴシック"));
    f.setPixelSize(12);
    setFont(f);

    setHorizontalHeader(new HeaderRow(this));
    setHorizontalHeaderLabels(headers);
    horizontalHeader()->setFixedHeight(kHeaderHeight);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    for (int c = 0; c < kColumns; ++c)
        setColumnWidth(c, kWidths[c]);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(kRowHeight);

    setItemDelegate(new CellPainter(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFocusPolicy(Qt::StrongFocus);
    setTabKeyNavigation(false);  // Tab leaves the grid for the next control
    setWordWrap(false);
    viewport()->setMouseTracking(true);
}

void WinGrid::setSource(Source source)
{
    source_ = std::move(source);
    viewport()->update();
}

void WinGrid::setRunnerRows(int runners)
{
    setRowCount(qMax(runners, 1));
}

QString WinGrid::cellText(int horse, int column) const
{
    return source_.text ? source_.text(horse, column) : QStringLiteral(" ");
}

void WinGrid::StringGrid1DrawCell(QPainter& painter, int column, int row, const QRect& rect) const
{
    if (!hasSource())
        return;
    painter.save();
    if (row >= 1) {
        const WinCellStyle style = winCellStyle(column, source_.bracket ? source_.bracket(row) : 0,
                                                source_.won && source_.won(row));
        painter.fillRect(rect, style.background);
        const QString text = cellText(row, column);
        // A blank cell (the input columns, most refund marks) has nothing to
        // lay out and draw.
        if (!text.trimmed().isEmpty()) {
            QFont f = font();
            if (style.pointSize)
                f.setPointSize(*style.pointSize);
            f.setBold(style.bold);
            painter.setFont(f);
            painter.setPen(style.textColor.value_or(palette().color(QPalette::Text)));
            painter.drawText(rect.adjusted(winCellTextLeft(column), winCellTextTop(column), 0, 0),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
        }
    }
    painter.setPen(Qt::black);
    painter.drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
    painter.restore();
}

void WinGrid::mouseMoveEvent(QMouseEvent* event)
{
    StringGrid1MouseMove(event->position().toPoint());
    QTableWidget::mouseMoveEvent(event);
}

void WinGrid::mouseReleaseEvent(QMouseEvent* event)
{
    QTableWidget::mouseReleaseEvent(event);
    StringGrid1MouseUp();
}

void WinGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableWidget::mouseDoubleClickEvent(event);
    StringGrid1DblClick(event->position().toPoint());
}

void WinGrid::StringGrid1MouseMove(const QPoint& pos)
{
    const QModelIndex at = indexAt(pos);
    const bool input = at.isValid() && at.row() + 1 <= tavek::kWinFigures
                       && (at.column() == kAmountColumn || at.column() == kOddsColumn);
    const Qt::CursorShape shape = input ? Qt::PointingHandCursor : Qt::ArrowCursor;
    if (viewport()->cursor().shape() != shape)
        viewport()->setCursor(shape);
}

void WinGrid::keyPressEvent(QKeyEvent* event)
{
    if (CellBoard::opensCell(*event)) {
        openCell(currentIndex());
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void WinGrid::focusInEvent(QFocusEvent* event)
{
    // Reached by Tab, the grid starts on the first runner's amount cell.
    if (!currentIndex().isValid() && event->reason() != Qt::MouseFocusReason)
        setCurrentIndex(model()->index(0, kAmountColumn));
    QTableWidget::focusInEvent(event);
}

void WinGrid::StringGrid1MouseUp()
{
    clearSelection();
}

void WinGrid::StringGrid1DblClick(const QPoint& pos)
{
    openCell(indexAt(pos));
}

void WinGrid::openCell(const QModelIndex& at)
{
    if (!at.isValid() || !hasSource())
        return;
    const int horse = at.row() + 1;
    // Only the first 18 runners carry virtual figures, so only they can be
    // simulated; rows beyond them open nothing.
    if (horse > tavek::kWinFigures)
        return;
    if (at.column() == kAmountColumn)
        emit amountRequested(horse);
    else if (at.column() == kOddsColumn)
        emit oddsRequested(horse);
}
