#include "controls/SaNumEdit.h"

#include "racedata/Cp932.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>

TSaNumEdit::TSaNumEdit(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAttribute(Qt::WA_KeyCompression, false);
    setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    m_ownMenu = buildMenu();
    applyBorder();
    CreateEditCaret();
    AdjustHeight();
    rebuildDisplay();
}

TSaNumEdit::~TSaNumEdit() = default;

// ---- value ------------------------------------------------------------------

QString TSaNumEdit::Text() const
{
    return m_value;
}

void TSaNumEdit::setText(const QString& text)
{
    if (text == m_value)
        return;
    m_value = TrimZeros(NormalizeText(tavek::cp932::encode(text)));
    rebuildDisplay();
    update();
    ShowEditCaret();
}

void TSaNumEdit::rebuildDisplay()
{
    m_display = DisplayTextOf(m_value);
    if (m_display.isEmpty())
        m_selected = false;
}

// Limits changed: the value may no longer fit them.
void TSaNumEdit::renormalize()
{
    m_value = TrimZeros(NormalizeText(tavek::cp932::encode(m_value)));
    rebuildDisplay();
    update();
    ShowEditCaret();
}

void TSaNumEdit::accept(const QString& value)
{
    m_value = value;
    rebuildDisplay();
    update();
    ShowEditCaret();
    emit OnChange();
}

void TSaNumEdit::refuse()
{
    if (m_errorBeep)
        Beep();
}

void TSaNumEdit::Beep()
{
    QApplication::beep();
}

void TSaNumEdit::SaveUndo()
{
    m_undoValue = m_value;
    m_undoAvailable = true;
}

void TSaNumEdit::SwapUndo()
{
    std::swap(m_value, m_undoValue);
}

// ---- editing operations -----------------------------------------------------

void TSaNumEdit::ClearValue()
{
    SaveUndo();
    m_value.clear();
    rebuildDisplay();
    m_selected = false;
    update();
    ShowEditCaret();
}

void TSaNumEdit::InputDigit(QChar digit)
{
    if (m_readOnly)
        return;
    const bool cleared = m_selected;
    if (cleared)
        ClearValue();
    const ValueParts p = SplitValue(m_value);
    const bool fits = p.point.isEmpty() ? p.integer.size() < m_integerLength
                                        : p.decimals.size() < m_decimalLength;
    const QString candidate = TrimZeros(m_value + digit);
    if (!fits || ((m_options & eoORInputStop) && !FitsWidth(candidate))) {
        refuse();
        if (cleared)
            emit OnChange();
        return;
    }
    SaveUndo();
    accept(candidate);
}

void TSaNumEdit::InputPoint()
{
    if (m_readOnly)
        return;
    if (m_decimalLength == 0) {
        refuse();
        return;
    }
    const bool cleared = m_selected;
    if (cleared)
        ClearValue();
    QString candidate = m_value + u'.';
    if (m_value.contains(u'.') || ((m_options & eoORInputStop) && !FitsWidth(candidate))) {
        refuse();
        if (cleared)
            emit OnChange();
        return;
    }
    candidate = TrimZeros(candidate);
    SaveUndo();
    accept(candidate);
}

void TSaNumEdit::InputMinus()
{
    if (m_readOnly)
        return;
    if (!m_minus) {
        refuse();
        return;
    }
    const bool cleared = m_selected;
    if (cleared)
        ClearValue();
    if (m_value.startsWith(u'-')) {
        SaveUndo();
        accept(m_value.mid(1));
        return;
    }
    const QString candidate = u'-' + m_value;
    if ((m_options & eoORInputStop) && !FitsWidth(candidate)) {
        refuse();
        if (cleared)
            emit OnChange();
        return;
    }
    SaveUndo();
    accept(candidate);
}

void TSaNumEdit::DeleteLast()
{
    if (m_readOnly || m_value.isEmpty())
        return;
    if (m_selected) {
        ClearValue();
        emit OnChange();
        return;
    }
    QString candidate = m_value.chopped(1);
    if (candidate.endsWith(u'.'))
        candidate.chop(1);
    SaveUndo();
    accept(candidate);
}

void TSaNumEdit::CopyToClipboard()
{
    if (!m_selected)
        return;
    QGuiApplication::clipboard()->setText(m_imageCopy ? m_display : m_value);
}

void TSaNumEdit::CutToClipboard()
{
    if (!m_selected)
        return;
    CopyToClipboard();
    ClearValue();
    emit OnChange();
}

void TSaNumEdit::PasteFromClipboard()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return;
    SaveUndo();
    const QString pasted = data->text();
    const QString candidate = m_selected ? pasted : m_value + pasted;
    m_selected = false;
    accept(TrimZeros(NormalizeText(tavek::cp932::encode(candidate))));
}

void TSaNumEdit::Undo()
{
    if (!m_undoAvailable)
        return;
    SwapUndo();
    rebuildDisplay();
    m_selected = !m_display.isEmpty();
    update();
    ShowEditCaret();
    emit OnChange();
}

void TSaNumEdit::SelectAll()
{
    m_selected = !m_display.isEmpty();
    update();
}

void TSaNumEdit::ClearSelection()
{
    m_selected = false;
    update();
}

// ---- properties -------------------------------------------------------------

void TSaNumEdit::setIntegerLength(int n)
{
    m_integerLength = std::max(0, n);
    renormalize();
}

void TSaNumEdit::setDecimalLength(int n)
{
    m_decimalLength = std::max(0, n);
    renormalize();
}

void TSaNumEdit::setMinus(bool on)
{
    m_minus = on;
    renormalize();
}

void TSaNumEdit::setComma(bool on)
{
    m_comma = on;
    rebuildDisplay();
    update();
    ShowEditCaret();
}

void TSaNumEdit::setDecimalFixed(bool on)
{
    m_decimalFixed = on;
    rebuildDisplay();
    update();
    ShowEditCaret();
}

void TSaNumEdit::setIntegerFixed(bool on)
{
    m_integerFixed = on;
    rebuildDisplay();
    update();
    ShowEditCaret();
}

void TSaNumEdit::setLeftMark(const QString& mark)
{
    m_leftMark = mark;
    rebuildDisplay();
    update();
    ShowEditCaret();
}

void TSaNumEdit::setRightMark(const QString& mark)
{
    m_rightMark = mark;
    rebuildDisplay();
    update();
    ShowEditCaret();
}

void TSaNumEdit::setAlignment(TAlignment a)
{
    m_alignment = a;
    update();
    ShowEditCaret();
}

void TSaNumEdit::setVertAlignment(TVertAlignment a)
{
    m_vertAlignment = a;
    update();
    ShowEditCaret();
}

// Negative margins are ignored, not clamped. The top and bottom margins take
// part in the height, the left and right ones only in the layout.
void TSaNumEdit::setMargin(int& margin, int px, bool affectsHeight)
{
    if (px < 0)
        return;
    margin = px;
    if (affectsHeight)
        AdjustHeight();
    update();
    ShowEditCaret();
}

void TSaNumEdit::setLeftMargin(int px) { setMargin(m_leftMargin, px, false); }
void TSaNumEdit::setTopMargin(int px) { setMargin(m_topMargin, px, true); }
void TSaNumEdit::setRightMargin(int px) { setMargin(m_rightMargin, px, false); }
void TSaNumEdit::setBottomMargin(int px) { setMargin(m_bottomMargin, px, true); }

void TSaNumEdit::setAutoSize(bool on)
{
    m_autoSize = on;
    AdjustHeight();
}

void TSaNumEdit::setBorderStyle(TBorderStyle style)
{
    m_borderStyle = style;
    applyBorder();
}

void TSaNumEdit::setCtl3D(bool on)
{
    m_ctl3D = on;
    applyBorder();
}

QColor TSaNumEdit::Color() const
{
    return palette().color(QPalette::Active, QPalette::Base);
}

void TSaNumEdit::setColor(const QColor& c)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Base, c);
    setPalette(pal);
}

QColor TSaNumEdit::DisabledColor() const
{
    return m_disabledColor.isValid() ? m_disabledColor : palette().color(QPalette::Disabled, QPalette::Text);
}

void TSaNumEdit::setDisabledColor(const QColor& c)
{
    m_disabledColor = c;
    update();
}
