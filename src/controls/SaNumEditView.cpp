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
    if (m_borderStyle == bsNone)
        return 0;
    return m_ctl3D ? 2 : 1;
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
    return contentsRect().width() - m_leftMargin - m_rightMargin - 2 * edgeWidth();
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
    ValueParts typed = SplitValue(m_value);
    if (m_comma)
        typed.integer = GroupThousands(typed.integer);
    return TextWidthOf(JoinValue(typed));
}

TSaNumEdit::Layout TSaNumEdit::computeLayout() const
{
    const QRect client = contentsRect();
    const int cw = client.width();
    const int ch = client.height();
    const int th = textHeight();
    const bool marksCount = !m_value.isEmpty() || m_integerFixed || m_decimalFixed;
    const int lw = marksCount ? TextWidthOf(m_leftMark) : 0;
    const int rw = marksCount ? TextWidthOf(m_rightMark) : 0;
    const int tw = TemplateWidth();

    int boxLeft = 0;
    switch (m_alignment) {
    case taRightJustify:
        boxLeft = cw - m_rightMargin - 1 - rw - tw;
        break;
    case taLeftJustify:
        boxLeft = m_leftMargin + lw;
        break;
    case taCenter:
        boxLeft = m_leftMargin + (cw - m_leftMargin - m_rightMargin - (lw + tw + rw)) / 2 + lw;
        break;
    }
    int top = 0;
    switch (m_vertAlignment) {
    case taTopJustify:
        top = m_topMargin;
        break;
    case taBottomJustify:
        top = ch - m_bottomMargin - th;
        break;
    case taVCenter:
        top = m_topMargin + (ch - m_topMargin - m_bottomMargin - th) / 2;
        break;
    }
    const int nw = TextWidthOf(FormatValue(m_value));
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
    return {TextWidthOf(m_leftMark + FullTemplateText() + m_rightMark) + m_leftMargin + m_rightMargin + 4 * e + 1,
            textHeight() + m_topMargin + m_bottomMargin + 2 * e};
}

void TSaNumEdit::AdjustHeight()
{
    if (m_autoSize) {
        setFixedHeight(textHeight() + m_topMargin + m_bottomMargin + 2 * edgeWidth());
    } else {
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
    }
}

void TSaNumEdit::AdjustWidth()
{
    if (m_options & eoAutoWidthSize)
        resize(sizeHint().width(), height());
}

void TSaNumEdit::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // Disabled or not, the field keeps its own colour; only the text greys.
    p.fillRect(rect(), Color());
    if (m_borderStyle == bsSingle) {
        if (m_ctl3D)
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
    } else if (m_selected) {
        background = palette().color(QPalette::Highlight);
        foreground = palette().color(QPalette::HighlightedText);
    }
    const QString number = FormatValue(m_value);
    const bool marks = !number.isEmpty();
    QRect area = marks ? l.leftMark.united(l.number).united(l.rightMark) : l.number;
    p.fillRect(area, background);
    p.setPen(foreground);
    const int baseline = l.number.top() + QFontMetrics(font()).ascent();
    if (marks)
        p.drawText(l.leftMark.left(), baseline, m_leftMark);
    p.drawText(l.number.left(), baseline, number);
    if (marks)
        p.drawText(l.rightMark.left(), baseline, m_rightMark);

    if (m_caretCreated && m_caretPhase && hasFocus()) {
        const QPoint at = CaretPoint();
        p.fillRect(QRect(at, QSize(m_caretWidth, textHeight())), palette().color(QPalette::Text));
    }
}

// ---- caret ------------------------------------------------------------------

void TSaNumEdit::CreateEditCaret()
{
    m_caretWidth = font().bold() ? 2 : 1;
}

void TSaNumEdit::ShowEditCaret()
{
    if (!hasFocus())
        return;
    m_caretCreated = true;
    m_caretPhase = true;
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (flash > 0)
        m_caretBlink.start(flash / 2, this);
    update();
    QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

void TSaNumEdit::DestroyEditCaret()
{
    m_caretBlink.stop();
    m_caretCreated = false;
    m_caretPhase = false;
    update();
}

void TSaNumEdit::timerEvent(QTimerEvent* e)
{
    if (e->timerId() != m_caretBlink.timerId()) {
        QWidget::timerEvent(e);
        return;
    }
    m_caretPhase = !m_caretPhase;
    update(QRect(CaretPoint(), QSize(m_caretWidth, textHeight())));
}

QVariant TSaNumEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled:
        return !m_readOnly;
    case Qt::ImCursorRectangle:
        return QRect(CaretPoint(), QSize(m_caretWidth, textHeight()));
    case Qt::ImSurroundingText:
        return m_value;
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition:
        return int(m_value.size());
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
