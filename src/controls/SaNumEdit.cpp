#include "controls/SaNumEdit.h"

#include "racedata/Cp932.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>

TSaNumEdit::TSaNumEdit(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAttribute(Qt::WA_KeyCompression, false);
    setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    ownMenu_ = buildMenu();
    applyBorder();
    CreateEditCaret();
    AdjustHeight();
    rebuildDisplay();
}

TSaNumEdit::~TSaNumEdit() = default;

// ---- value ------------------------------------------------------------------

QString TSaNumEdit::Text() const
{
    return value_;
}

void TSaNumEdit::setText(const QString& text)
{
    if (text == value_)
        return;
    value_ = normalized(text);
    rebuildDisplay();
    update();
    ShowEditCaret();
}

QString TSaNumEdit::normalized(const QString& text) const
{
    return TrimZeros(NormalizeText(tavek::cp932::encode(text)));
}

void TSaNumEdit::rebuildDisplay()
{
    display_ = DisplayTextOf(value_);
    if (display_.isEmpty())
        selected_ = false;
}

// Limits changed: the value may no longer fit them.
void TSaNumEdit::renormalize()
{
    value_ = normalized(value_);
    rebuildDisplay();
    update();
    ShowEditCaret();
}

void TSaNumEdit::accept(const QString& value)
{
    value_ = value;
    rebuildDisplay();
    update();
    ShowEditCaret();
    emit OnChange();
}

void TSaNumEdit::refuse()
{
    if (errorBeep_)
        Beep();
    emit OnRefuse();
}

void TSaNumEdit::Beep()
{
    QApplication::beep();
}

void TSaNumEdit::SaveUndo()
{
    undoValue_ = value_;
    undoAvailable_ = true;
}

void TSaNumEdit::SwapUndo()
{
    std::swap(value_, undoValue_);
}

// ---- editing operations -----------------------------------------------------

void TSaNumEdit::ClearValue()
{
    SaveUndo();
    value_.clear();
    rebuildDisplay();
    selected_ = false;
    update();
    ShowEditCaret();
}

void TSaNumEdit::InputDigit(QChar digit)
{
    if (readOnly_)
        return;
    const bool cleared = selected_;
    if (cleared)
        ClearValue();
    const ValueParts p = SplitValue(value_);
    const bool fits = p.point.isEmpty() ? p.integer.size() < rules_.integerLength()
                                        : p.decimals.size() < rules_.decimalLength();
    const QString candidate = TrimZeros(value_ + digit);
    if (!fits || ((options_ & eoORInputStop) && !FitsWidth(candidate))) {
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
    if (readOnly_)
        return;
    if (rules_.decimalLength() == 0) {
        refuse();
        return;
    }
    const bool cleared = selected_;
    if (cleared)
        ClearValue();
    QString candidate = value_ + u'.';
    if (value_.contains(u'.') || ((options_ & eoORInputStop) && !FitsWidth(candidate))) {
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
    if (readOnly_)
        return;
    if (!rules_.minus()) {
        refuse();
        return;
    }
    const bool cleared = selected_;
    if (cleared)
        ClearValue();
    if (value_.startsWith(u'-')) {
        SaveUndo();
        accept(value_.mid(1));
        return;
    }
    const QString candidate = u'-' + value_;
    if ((options_ & eoORInputStop) && !FitsWidth(candidate)) {
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
    if (readOnly_ || value_.isEmpty())
        return;
    if (selected_) {
        ClearValue();
        emit OnChange();
        return;
    }
    QString candidate = value_.chopped(1);
    if (candidate.endsWith(u'.'))
        candidate.chop(1);
    SaveUndo();
    accept(candidate);
}

void TSaNumEdit::CopyToClipboard()
{
    if (!selected_)
        return;
    QGuiApplication::clipboard()->setText(imageCopy_ ? display_ : value_);
}

void TSaNumEdit::CutToClipboard()
{
    if (!selected_)
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
    const QString candidate = selected_ ? pasted : value_ + pasted;
    selected_ = false;
    accept(normalized(candidate));
}

void TSaNumEdit::Undo()
{
    if (!undoAvailable_)
        return;
    SwapUndo();
    rebuildDisplay();
    selected_ = !display_.isEmpty();
    update();
    ShowEditCaret();
    emit OnChange();
}

void TSaNumEdit::SelectAll()
{
    selected_ = !display_.isEmpty();
    update();
}

void TSaNumEdit::ClearSelection()
{
    selected_ = false;
    update();
}

// ---- properties -------------------------------------------------------------

void TSaNumEdit::setIntegerLength(int n)
{
    rules_.setIntegerLength(n);
    renormalize();
}

void TSaNumEdit::setDecimalLength(int n)
{
    rules_.setDecimalLength(n);
    renormalize();
}

void TSaNumEdit::setMinus(bool on)
{
    rules_.setMinus(on);
    renormalize();
}

void TSaNumEdit::setComma(bool on)
{
    rules_.setComma(on);
    rebuildDisplay();
    update();
    ShowEditCaret();
}

void TSaNumEdit::setDecimalFixed(bool on)
{
    rules_.setDecimalFixed(on);
    rebuildDisplay();
    update();
    ShowEditCaret();
}

void TSaNumEdit::setIntegerFixed(bool on)
{
    rules_.setIntegerFixed(on);
    rebuildDisplay();
    update();
    ShowEditCaret();
}

void TSaNumEdit::setLeftMark(const QString& mark)
{
    rules_.setLeftMark(mark);
    rebuildDisplay();
    update();
    ShowEditCaret();
}

void TSaNumEdit::setRightMark(const QString& mark)
{
    rules_.setRightMark(mark);
    rebuildDisplay();
    update();
    ShowEditCaret();
}

void TSaNumEdit::setAlignment(TAlignment a)
{
    alignment_ = a;
    update();
    ShowEditCaret();
}

void TSaNumEdit::setVertAlignment(TVertAlignment a)
{
    vertAlignment_ = a;
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

void TSaNumEdit::setLeftMargin(int px)
{
    setMargin(leftMargin_, px, false);
}
void TSaNumEdit::setTopMargin(int px)
{
    setMargin(topMargin_, px, true);
}
void TSaNumEdit::setRightMargin(int px)
{
    setMargin(rightMargin_, px, false);
}
void TSaNumEdit::setBottomMargin(int px)
{
    setMargin(bottomMargin_, px, true);
}

void TSaNumEdit::setAutoSize(bool on)
{
    autoSize_ = on;
    AdjustHeight();
}

void TSaNumEdit::setBorderStyle(TBorderStyle style)
{
    borderStyle_ = style;
    applyBorder();
}

void TSaNumEdit::setCtl3D(bool on)
{
    ctl3D_ = on;
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
    return disabledColor_.isValid() ? disabledColor_ : palette().color(QPalette::Disabled, QPalette::Text);
}

void TSaNumEdit::setDisabledColor(const QColor& c)
{
    disabledColor_ = c;
    update();
}
