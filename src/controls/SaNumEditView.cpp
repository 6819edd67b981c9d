// Layout, painting and the caret of the field.
#include "controls/SaNumEdit.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputMethod>
#include <QPainter>
#include <QStyleHints>
#include <qdrawutil.h>

int TSaNumEdit::textHeight() const
{
    return QFontMetrics(font()).height();
}

int TSaNumEdit::edgeWidth() const
{
    if (borderStyle_ == bsNone)
        return 0;
    return ctl3D_ ? 2 : 1;
}

void TSaNumEdit::applyBorder()
{
    const int e = edgeWidth();
    setContentsMargins(e, e, e, e);
    AdjustHeight();
    update();
    ShowEditCaret();
}

int TSaNumEdit::TextWidthOf(const QString& text) const
{
    return text.isEmpty() ? 0 : QFontMetrics(font()).horizontalAdvance(text);
}

int TSaNumEdit::DisplayWidthOf(const QString& value) const
{
    return TextWidthOf(DisplayTextOf(value));
}

int TSaNumEdit::AvailableWidth() const
{
    return contentsRect().width() - leftMargin_ - rightMargin_ - 2 * edgeWidth();
}

bool TSaNumEdit::FitsWidth(const QString& value) const
{
    return DisplayWidthOf(value) <= AvailableWidth();
}

int TSaNumEdit::TemplateWidth() const
{
    return TextWidthOf(TemplateText());
}

int TSaNumEdit::CaretOffset() const
{
    return TextWidthOf(rules_.typed(value_));
}

TSaNumEdit::Layout TSaNumEdit::computeLayout() const
{
    const QRect client = contentsRect();
    const int cw = client.width();
    const int ch = client.height();
    const int th = textHeight();
    const bool marksCount = !value_.isEmpty() || rules_.integerFixed() || rules_.decimalFixed();
    const int lw = marksCount ? TextWidthOf(rules_.leftMark()) : 0;
    const int rw = marksCount ? TextWidthOf(rules_.rightMark()) : 0;
    const int tw = TemplateWidth();

    int boxLeft = 0;
    switch (alignment_) {
    case taRightJustify:
        boxLeft = cw - rightMargin_ - 1 - rw - tw;
        break;
    case taLeftJustify:
        boxLeft = leftMargin_ + lw;
        break;
    case taCenter:
        boxLeft = leftMargin_ + (cw - leftMargin_ - rightMargin_ - (lw + tw + rw)) / 2 + lw;
        break;
    }
    int top = 0;
    switch (vertAlignment_) {
    case taTopJustify:
        top = topMargin_;
        break;
    case taBottomJustify:
        top = ch - bottomMargin_ - th;
        break;
    case taVCenter:
        top = topMargin_ + (ch - topMargin_ - bottomMargin_ - th) / 2;
        break;
    }
    const int nw = TextWidthOf(FormatValue(value_));
    const QPoint origin = client.topLeft();
    Layout l;
    l.box = QRect(boxLeft, top, tw, th).translated(origin);
    l.number = QRect(boxLeft + tw - nw, top, nw, th).translated(origin);
    l.leftMark = QRect(boxLeft - lw, top, lw, th).translated(origin);
    l.rightMark = QRect(boxLeft + tw, top, rw, th).translated(origin);
    return l;
}

QRect TSaNumEdit::LeftMarkRect() const
{
    return computeLayout().leftMark;
}

QRect TSaNumEdit::TemplateRect() const
{
    return computeLayout().box;
}

QRect TSaNumEdit::TextRect() const
{
    return computeLayout().number;
}

QRect TSaNumEdit::RightMarkRect() const
{
    return computeLayout().rightMark;
}

QPoint TSaNumEdit::CaretPoint() const
{
    const QRect number = TextRect();
    return {number.left() + CaretOffset() - 1, number.top()};
}

QSize TSaNumEdit::sizeHint() const
{
    const int e = edgeWidth();
    return {TextWidthOf(rules_.leftMark() + FullTemplateText() + rules_.rightMark()) + leftMargin_ + rightMargin_
                + 4 * e + 1,
            textHeight() + topMargin_ + bottomMargin_ + 2 * e};
}

void TSaNumEdit::AdjustHeight()
{
    if (autoSize_) {
        setFixedHeight(textHeight() + topMargin_ + bottomMargin_ + 2 * edgeWidth());
    } else {
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
    }
}

void TSaNumEdit::AdjustWidth()
{
    if (options_ & eoAutoWidthSize)
        resize(sizeHint().width(), height());
}

void TSaNumEdit::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // Disabled or not, the field keeps its own colour; only the text greys.
    p.fillRect(rect(), Color());
    if (borderStyle_ == bsSingle) {
        if (ctl3D_)
            qDrawWinPanel(&p, rect(), palette(), true);
        else {
            p.setPen(palette().color(QPalette::WindowText));
            p.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }
    p.setClipRect(contentsRect());

    const Layout l = computeLayout();
    QColor background = Color();
    QColor foreground = palette().color(QPalette::Text);
    if (!isEnabled()) {
        foreground = DisabledColor();
    } else if (selected_) {
        background = palette().color(QPalette::Highlight);
        foreground = palette().color(QPalette::HighlightedText);
    }
    const QString number = FormatValue(value_);
    const bool marks = !number.isEmpty();
    QRect area = marks ? l.leftMark.united(l.number).united(l.rightMark) : l.number;
    p.fillRect(area, background);
    p.setPen(foreground);
    const int baseline = l.number.top() + QFontMetrics(font()).ascent();
    if (marks)
        p.drawText(l.leftMark.left(), baseline, rules_.leftMark());
    p.drawText(l.number.left(), baseline, number);
    if (marks)
        p.drawText(l.rightMark.left(), baseline, rules_.rightMark());

    if (caretCreated_ && caretPhase_ && hasFocus()) {
        const QPoint at = CaretPoint();
        p.fillRect(QRect(at, QSize(caretWidth_, textHeight())), palette().color(QPalette::Text));
    }
}

// ---- caret ------------------------------------------------------------------

void TSaNumEdit::CreateEditCaret()
{
    caretWidth_ = font().bold() ? 2 : 1;
}

void TSaNumEdit::ShowEditCaret()
{
    if (!hasFocus())
        return;
    caretCreated_ = true;
    caretPhase_ = true;
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (flash > 0)
        caretBlink_.start(flash / 2, this);
    update();
    QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

void TSaNumEdit::DestroyEditCaret()
{
    caretBlink_.stop();
    caretCreated_ = false;
    caretPhase_ = false;
    update();
}

void TSaNumEdit::timerEvent(QTimerEvent* e)
{
    if (e->timerId() != caretBlink_.timerId()) {
        QWidget::timerEvent(e);
        return;
    }
    caretPhase_ = !caretPhase_;
    update(QRect(CaretPoint(), QSize(caretWidth_, textHeight())));
}

QVariant TSaNumEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled:
        return !readOnly_;
    case Qt::ImCursorRectangle:
        return QRect(CaretPoint(), QSize(caretWidth_, textHeight()));
    case Qt::ImSurroundingText:
        return value_;
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition:
        return int(value_.size());
    default:
        return QWidget::inputMethodQuery(query);
    }
}

void TSaNumEdit::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::FontChange) {
        CreateEditCaret();
        AdjustHeight();
        ShowEditCaret();
    } else if (e->type() == QEvent::EnabledChange || e->type() == QEvent::PaletteChange) {
        update();
    }
    QWidget::changeEvent(e);
}

void TSaNumEdit::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    update();
    ShowEditCaret();
}
