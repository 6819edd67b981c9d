#include "app/ResultBoard.h"

#include "controls/PixelFont.h"
#include "odds/ui/WinCellStyle.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

using tavek::results::PayoutRow;

namespace {

constexpr int kRowHeight = 15;
constexpr int kPadding = 5;            // of a text from its cell's sides
constexpr int kBoxWidth = 20;          // a runner's number in its bracket's colours
constexpr int kLeastColumn = 30;       // a payout column's narrowest
constexpr int kOrderGap = 6;           // between the places and the table
const QColor kHeading(255, 255, 192);  // as the boards' headings
const QColor kLine(150, 150, 150);
const QColor kDiffers(204, 0, 0);

QFont headerFont(bool bold)
{
    return pixelFont(QStringLiteral("ＭＳ Ｐゴシック"), 12, bold);
}

// The rows whose texts are bold: the pools and what they paid.
bool boldRow(int row)
{
    return row == ResultBoard::PoolRow || row == ResultBoard::YenRow;
}

}  // namespace

ResultBoard::ResultBoard(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ResultBoard"));
    setFont(headerFont(false));
    layOut();
}

void ResultBoard::showSheet(tavek::results::ResultSheet sheet, bool quickVotes)
{
    sheet_ = std::move(sheet);
    quickVotes_ = quickVotes;
    layOut();
    update();
}

QString ResultBoard::cellText(Row row, int column) const
{
    const PayoutRow& r = sheet_.rows[size_t(column)];
    switch (row) {
    case PoolRow:
        return tavek::results::poolText(r);
    case BetRow:
        return tavek::results::betText(r);
    case YenRow:
        return tavek::results::yenText(r);
    case PopularityRow:
        return tavek::results::popularityText(r);
    case ComputedRow:
        return tavek::results::computedText(r);
    case kRows:
        break;
    }
    return QString();
}

QString ResultBoard::rowLabel(Row row) const
{
    return tavek::results::rowLabels(quickVotes_).value(int(row));
}

QString ResultBoard::placeLine(int i) const
{
    if (i < 0 || size_t(i) >= sheet_.placings.size())
        return QString();
    const tavek::results::Placing& p = sheet_.placings[size_t(i)];
    return tavek::results::placeText(p.place) + u' ' + tavek::results::runnersText(p);
}

void ResultBoard::layOut()
{
    const QFontMetrics plain(headerFont(false));
    const QFontMetrics bold(headerFont(true));
    const QString placeHeading = QStringLiteral("着順");
    int widestPlace = bold.horizontalAdvance(placeHeading);
    for (const tavek::results::Placing& p : sheet_.placings)
        widestPlace = std::max(widestPlace, plain.horizontalAdvance(tavek::results::placeText(p.place)) + 4
                                                + int(p.runners.size()) * (kBoxWidth + 2));
    orderWidth_ = widestPlace + 2 * kPadding;
    labelWidth_ = 0;
    for (int row = 0; row < kRows; ++row)
        labelWidth_ = std::max(labelWidth_, plain.horizontalAdvance(rowLabel(Row(row))));
    labelWidth_ += 2 * kPadding;

    std::vector<int> widths;
    for (int c = 0; c < columns(); ++c) {
        int w = kLeastColumn;
        for (int row = BetRow; row < kRows; ++row)
            w = std::max(w, (boldRow(row) ? bold : plain).horizontalAdvance(cellText(Row(row), c)) + 2 * kPadding);
        widths.push_back(w);
    }
    // A pool's name over all its columns: the last of them takes what the name needs beyond them.
    for (int c = 0; c < columns();) {
        int end = c;
        int sum = 0;
        while (end < columns() && sheet_.rows[size_t(end)].pool == sheet_.rows[size_t(c)].pool)
            sum += widths[size_t(end++)];
        const int name = bold.horizontalAdvance(cellText(PoolRow, c)) + 2 * kPadding;
        if (name > sum)
            widths[size_t(end - 1)] += name - sum;
        c = end;
    }
    lefts_.clear();
    int x = orderWidth_ + kOrderGap + labelWidth_;
    for (int w : widths) {
        lefts_.push_back(x);
        x += w;
    }
    lefts_.push_back(x);
    setFixedSize(x + 1, kRows * kRowHeight + 1);
}

void ResultBoard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFont plain = headerFont(false);
    const QFont bold = headerFont(true);
    const auto cell = [&](const QRect& r, const QColor& background, const QString& text, const QFont& font,
                          const QColor& colour, Qt::Alignment align) {
        painter.fillRect(r, background);
        painter.setPen(kLine);
        painter.drawRect(r);
        if (text.isEmpty())
            return;
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(r.adjusted(kPadding, 0, -kPadding, 0), int(align | Qt::AlignVCenter), text);
    };

    // The places, each runner in its bracket's colours.
    cell(QRect(0, 0, orderWidth_, kRowHeight), kHeading, QStringLiteral("着順"), bold, Qt::black, Qt::AlignCenter);
    for (size_t i = 0; i < sheet_.placings.size(); ++i) {
        const QRect r(0, int(i + 1) * kRowHeight, orderWidth_, kRowHeight);
        painter.fillRect(r, Qt::white);
        painter.setPen(kLine);
        painter.drawRect(r);
        const tavek::results::Placing& p = sheet_.placings[i];
        painter.setFont(plain);
        painter.setPen(Qt::black);
        const QString place = tavek::results::placeText(p.place);
        painter.drawText(r.adjusted(kPadding, 0, 0, 0), int(Qt::AlignLeft | Qt::AlignVCenter), place);
        int x = r.left() + kPadding + QFontMetrics(plain).horizontalAdvance(place) + 4;
        for (int h : p.runners) {
            const int bracket = h >= 1 && h <= tavek::pools::kMaxRunners ? sheet_.brackets[size_t(h)] : 0;
            const QRect box(x, r.top() + 1, kBoxWidth, kRowHeight - 1);
            painter.fillRect(box, bracketColor(bracket));
            painter.setPen(bracket == 1 || bracket == 0 ? kLine : bracketColor(bracket));
            painter.drawRect(box.adjusted(0, 0, -1, -1));
            painter.setFont(bold);
            painter.setPen(bracketTextColor(bracket));
            painter.drawText(box, int(Qt::AlignCenter), QString::number(h));
            x += kBoxWidth + 2;
        }
    }

    const int labelLeft = orderWidth_ + kOrderGap;
    for (int row = 0; row < kRows; ++row)
        cell(QRect(labelLeft, row * kRowHeight, labelWidth_, kRowHeight), kHeading, rowLabel(Row(row)),
             row == PoolRow ? bold : plain, Qt::black, Qt::AlignCenter);
    for (int c = 0; c < columns();) {
        // The pool's name over its columns.
        int end = c;
        while (end < columns() && sheet_.rows[size_t(end)].pool == sheet_.rows[size_t(c)].pool)
            ++end;
        cell(QRect(lefts_[size_t(c)], 0, lefts_[size_t(end)] - lefts_[size_t(c)], kRowHeight), kHeading,
             cellText(PoolRow, c), bold, Qt::black, Qt::AlignCenter);
        for (; c < end; ++c) {
            const int width = lefts_[size_t(c) + 1] - lefts_[size_t(c)];
            for (int row = BetRow; row < kRows; ++row) {
                const bool red = row == ComputedRow && differs(c);
                cell(QRect(lefts_[size_t(c)], row * kRowHeight, width, kRowHeight), Qt::white, cellText(Row(row), c),
                     boldRow(row) || red ? bold : plain, red ? kDiffers : QColor(Qt::black),
                     row == BetRow ? Qt::AlignCenter : Qt::AlignRight);
            }
        }
    }
}

int ResultBoard::columnAt(int x) const
{
    for (int c = 0; c < columns(); ++c)
        if (x >= lefts_[size_t(c)] && x < lefts_[size_t(c) + 1])
            return c;
    return -1;
}

QString ResultBoard::columnTip(int column) const
{
    return tavek::results::payoutSentence(sheet_.rows[size_t(column)], quickVotes_);
}

bool ResultBoard::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int column = columnAt(help->pos().x());
        if (column >= 0)
            QToolTip::showText(help->globalPos(), columnTip(column), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}
