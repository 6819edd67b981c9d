#include "app/ResultBoard.h"

#include "controls/PixelFont.h"
#include "odds/ui/WinCellStyle.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <QtMath>

#include <algorithm>

using tavek::results::PayoutRow;

namespace {

constexpr int kRowHeight = 15;
constexpr int kPadding = 6;            // of a text from its cell's sides
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

const QStaticText& ResultBoard::laidOut(const QString& text, bool bold)
{
    // Each text is laid out once: the labels, the pools' names and most
    // payouts come back race after race, and shaping them anew at every
    // switch, to measure them and to draw them, was most of the board's
    // share of it.
    QHash<QString, QStaticText>& known = texts_[bold ? 1 : 0];
    auto it = known.find(text);
    if (it == known.end()) {
        QStaticText laid(text);
        laid.setTextFormat(Qt::PlainText);
        laid.prepare(QTransform(), headerFont(bold));
        it = known.insert(text, laid);
    }
    return *it;
}

void ResultBoard::layOut()
{
    const auto measured = [this](const QString& text, bool strong) {
        return qCeil(laidOut(text, strong).size().width());
    };
    painted_.clear();
    // Every text measured once: the layout places it, and the painting draws
    // it at its point, without laying it out again.
    const auto add = [&](const QRect& r, const QColor& background, const QString& text, bool strong,
                         const QColor& colour, Qt::Alignment align, const QColor& frame = kLine) {
        const QStaticText& laid = laidOut(text, strong);
        const int w = qCeil(laid.size().width());
        const QRect inner = r.adjusted(kPadding, 0, -kPadding, 0);
        const int x = align & Qt::AlignLeft    ? inner.left()
                      : align & Qt::AlignRight ? inner.right() + 1 - w
                                               : r.left() + (r.width() - w) / 2;
        const int y = r.top() + (r.height() - qCeil(laid.size().height())) / 2;
        painted_.push_back({r, background, frame, laid, strong, colour, QPoint(x, y)});
        return w;
    };

    // The places, each runner in its bracket's colours.
    int widestPlace = measured(QStringLiteral("着順"), true);
    for (const tavek::results::Placing& p : sheet_.placings)
        widestPlace = std::max(widestPlace, measured(tavek::results::placeText(p.place), false) + 4
                                                + int(p.runners.size()) * (kBoxWidth + 2));
    orderWidth_ = widestPlace + 2 * kPadding;
    add(QRect(0, 0, orderWidth_, kRowHeight), kHeading, QStringLiteral("着順"), true, Qt::black, Qt::AlignCenter);
    for (size_t i = 0; i < sheet_.placings.size(); ++i) {
        const tavek::results::Placing& p = sheet_.placings[i];
        const QRect r(0, int(i + 1) * kRowHeight, orderWidth_, kRowHeight);
        int x = r.left() + kPadding
                + add(r, Qt::white, tavek::results::placeText(p.place), false, Qt::black, Qt::AlignLeft) + 4;
        for (int h : p.runners) {
            const int bracket = h >= 1 && h <= tavek::pools::kMaxRunners ? sheet_.brackets[size_t(h)] : 0;
            add(QRect(x, r.top() + 1, kBoxWidth, kRowHeight - 1), bracketColor(bracket), QString::number(h), true,
                bracketTextColor(bracket), Qt::AlignCenter, bracket <= 1 ? kLine : bracketColor(bracket));
            x += kBoxWidth + 2;
        }
    }

    labelWidth_ = 0;
    for (int row = 0; row < kRows; ++row)
        labelWidth_ = std::max(labelWidth_, measured(rowLabel(Row(row)), row == PoolRow));
    labelWidth_ += 2 * kPadding;
    const int labelLeft = orderWidth_ + kOrderGap;
    for (int row = 0; row < kRows; ++row)
        add(QRect(labelLeft, row * kRowHeight, labelWidth_, kRowHeight), kHeading, rowLabel(Row(row)), row == PoolRow,
            Qt::black, Qt::AlignCenter);

    std::vector<int> widths;
    for (int c = 0; c < columns(); ++c) {
        int w = kLeastColumn;
        for (int row = BetRow; row < kRows; ++row)
            w = std::max(w, measured(cellText(Row(row), c), boldRow(row)) + 2 * kPadding);
        widths.push_back(w);
    }
    // A pool's name over all its columns: the last of them takes what the name needs beyond them.
    for (int c = 0; c < columns();) {
        int end = c;
        int sum = 0;
        while (end < columns() && sheet_.rows[size_t(end)].pool == sheet_.rows[size_t(c)].pool)
            sum += widths[size_t(end++)];
        const int name = measured(cellText(PoolRow, c), true) + 2 * kPadding;
        if (name > sum)
            widths[size_t(end - 1)] += name - sum;
        c = end;
    }
    lefts_.clear();
    int x = labelLeft + labelWidth_;
    for (int w : widths) {
        lefts_.push_back(x);
        x += w;
    }
    lefts_.push_back(x);
    for (int c = 0; c < columns();) {
        int end = c;
        while (end < columns() && sheet_.rows[size_t(end)].pool == sheet_.rows[size_t(c)].pool)
            ++end;
        add(QRect(lefts_[size_t(c)], 0, lefts_[size_t(end)] - lefts_[size_t(c)], kRowHeight), kHeading,
            cellText(PoolRow, c), true, Qt::black, Qt::AlignCenter);
        for (; c < end; ++c)
            for (int row = BetRow; row < kRows; ++row) {
                const bool red = row == ComputedRow && differs(c);
                add(QRect(lefts_[size_t(c)], row * kRowHeight, widths[size_t(c)], kRowHeight), Qt::white,
                    cellText(Row(row), c), boldRow(row) || red, red ? kDiffers : QColor(Qt::black),
                    row == BetRow ? Qt::AlignCenter : Qt::AlignRight);
            }
    }
    setFixedSize(x + 1, kRows * kRowHeight + 1);
}

void ResultBoard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFont plain = headerFont(false);
    const QFont bold = headerFont(true);
    for (const Painted& p : painted_) {
        painter.fillRect(p.rect, p.background);
        painter.setPen(p.frame);
        painter.drawRect(p.rect);
        if (p.text.text().isEmpty())
            continue;
        painter.setFont(p.bold ? bold : plain);
        painter.setPen(p.colour);
        painter.drawStaticText(p.at, p.text);
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
