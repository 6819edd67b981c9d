#pragma once

#include <QBasicTimer>
#include <QByteArrayView>
#include <QColor>
#include <QPointer>
#include <QString>
#include <QWidget>

class QMenu;

// A self-drawn single-line field for decimal numbers, typed calculator style:
// input only ever goes to the end of the number, keystrokes that would break
// the digit limits are refused (with a beep), and the number is drawn with
// thousands separators. The whole text is either selected or not at all.
//
// Configuration (every property has a setter of the same name with "set"):
//   IntegerLength   most integer digits, sign not counted            (default 9)
//   DecimalLength   most decimals; 0 refuses the point                (default 3)
//   Minus           a leading "-" may be typed; "-" toggles the sign  (default on)
//   Comma           group the integer part with ","                   (default on)
//   DecimalFixed    show decimals padded to DecimalLength             (default off)
//   IntegerFixed    show an empty integer part as "0" and reserve room
//                   for IntegerLength digits                          (default off)
//   LeftMark/RightMark  texts drawn around a non-empty number         (default empty)
//   Alignment, VertAlignment, Left/Top/Right/BottomMargin (2 px each)
//   AutoSize        height follows the font                           (default on)
//   BorderStyle, Ctl3D  sunken 2 px edge / flat 1 px border / none
//   AutoSelect      select all on focus-in                            (default on)
//   HideSelection   drop the selection on focus-out                   (default on)
//   ReadOnly, ErrorBeep (default on), ImageCopy (copy the display text)
//   EnterFocusMove  Enter moves the focus to the next control instead of
//                   reaching the dialog's default button; Escape is then
//                   kept from the cancel button too                   (default off)
//   ArrowFocusMove  Up/Down move the focus to the previous/next control,
//                   as enabled by eoArrowUp/eoArrowDown in Options    (default off)
//   Options         eoMinusOnly (a lone "-" survives focus-out), eoArrowUp,
//                   eoArrowDown, eoAutoWidthSize (see AdjustWidth),
//                   eoORInputStop (refuse input that would not fit)
//   Color, DisabledColor, PopupMenu (replaces the built-in context menu)
//
// Text() is the value text ("-12.5", "0.", ""), never grouped; setText()
// normalises foreign text (full-width digits, commas) and raises no OnChange.
// OnChange is raised after every change made by the user.
//
// A typical amount field of a dialog:
//     field->setIntegerLength(7); field->setDecimalLength(0); field->setMinus(false);
//     field->setEnterFocusMove(true); field->setArrowFocusMove(true);
//     field->setAutoSize(false);
class TSaNumEdit : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(int IntegerLength READ IntegerLength WRITE setIntegerLength)
    Q_PROPERTY(int DecimalLength READ DecimalLength WRITE setDecimalLength)
    Q_PROPERTY(bool Minus READ Minus WRITE setMinus)
    Q_PROPERTY(bool Comma READ Comma WRITE setComma)
    Q_PROPERTY(bool DecimalFixed READ DecimalFixed WRITE setDecimalFixed)
    Q_PROPERTY(bool IntegerFixed READ IntegerFixed WRITE setIntegerFixed)
    Q_PROPERTY(QString LeftMark READ LeftMark WRITE setLeftMark)
    Q_PROPERTY(QString RightMark READ RightMark WRITE setRightMark)
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(TVertAlignment VertAlignment READ VertAlignment WRITE setVertAlignment)
    Q_PROPERTY(int LeftMargin READ LeftMargin WRITE setLeftMargin)
    Q_PROPERTY(int TopMargin READ TopMargin WRITE setTopMargin)
    Q_PROPERTY(int RightMargin READ RightMargin WRITE setRightMargin)
    Q_PROPERTY(int BottomMargin READ BottomMargin WRITE setBottomMargin)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
    Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE setCtl3D)
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE setAutoSelect)
    Q_PROPERTY(bool HideSelection READ HideSelection WRITE setHideSelection)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE setReadOnly)
    Q_PROPERTY(bool ErrorBeep READ ErrorBeep WRITE setErrorBeep)
    Q_PROPERTY(bool EnterFocusMove READ EnterFocusMove WRITE setEnterFocusMove)
    Q_PROPERTY(bool ArrowFocusMove READ ArrowFocusMove WRITE setArrowFocusMove)
    Q_PROPERTY(bool ImageCopy READ ImageCopy WRITE setImageCopy)
    Q_PROPERTY(QColor Color READ Color WRITE setColor)
    Q_PROPERTY(QColor DisabledColor READ DisabledColor WRITE setDisabledColor)
    Q_PROPERTY(TSaNumEditOptions Options READ Options WRITE setOptions)

public:
    enum TAlignment { taLeftJustify, taRightJustify, taCenter };
    Q_ENUM(TAlignment)
    enum TVertAlignment { taTopJustify, taBottomJustify, taVCenter };
    Q_ENUM(TVertAlignment)
    enum TBorderStyle { bsNone, bsSingle };
    Q_ENUM(TBorderStyle)
    enum TSaNumEditOption {
        eoMinusOnly = 0x01,
        eoArrowUp = 0x02,
        eoArrowDown = 0x04,
        eoAutoWidthSize = 0x08,
        eoORInputStop = 0x10,
    };
    Q_DECLARE_FLAGS(TSaNumEditOptions, TSaNumEditOption)
    Q_FLAG(TSaNumEditOptions)

    // A value text cut into its parts; point is "." or empty.
    struct ValueParts {
        QString sign, integer, point, decimals;
    };

    explicit TSaNumEdit(QWidget* parent = nullptr);
    ~TSaNumEdit() override;

    virtual QString Text() const;
    virtual void setText(const QString& text);
    // The value as drawn: grouped, padded, with marks.
    QString DisplayText() const { return m_display; }
    bool Selected() const { return m_selected; }
    bool CanUndo() const { return m_undoAvailable; }

    void ClearValue();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void SelectAll();
    void ClearSelection();
    void Undo();
    // Layout aid: with eoAutoWidthSize, widen the field to its widest possible
    // value. Nothing calls it on its own; a form may call it once after setup.
    virtual void AdjustWidth();

    int IntegerLength() const { return m_integerLength; }
    void setIntegerLength(int n);
    int DecimalLength() const { return m_decimalLength; }
    void setDecimalLength(int n);
    bool Minus() const { return m_minus; }
    void setMinus(bool on);
    bool Comma() const { return m_comma; }
    void setComma(bool on);
    bool DecimalFixed() const { return m_decimalFixed; }
    void setDecimalFixed(bool on);
    bool IntegerFixed() const { return m_integerFixed; }
    void setIntegerFixed(bool on);
    QString LeftMark() const { return m_leftMark; }
    void setLeftMark(const QString& mark);
    QString RightMark() const { return m_rightMark; }
    void setRightMark(const QString& mark);
    TAlignment Alignment() const { return m_alignment; }
    void setAlignment(TAlignment a);
    TVertAlignment VertAlignment() const { return m_vertAlignment; }
    void setVertAlignment(TVertAlignment a);
    int LeftMargin() const { return m_leftMargin; }
    void setLeftMargin(int px);
    int TopMargin() const { return m_topMargin; }
    void setTopMargin(int px);
    int RightMargin() const { return m_rightMargin; }
    void setRightMargin(int px);
    int BottomMargin() const { return m_bottomMargin; }
    void setBottomMargin(int px);
    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool on);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(TBorderStyle style);
    bool Ctl3D() const { return m_ctl3D; }
    void setCtl3D(bool on);
    bool AutoSelect() const { return m_autoSelect; }
    void setAutoSelect(bool on) { m_autoSelect = on; }
    bool HideSelection() const { return m_hideSelection; }
    void setHideSelection(bool on) { m_hideSelection = on; }
    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool on) { m_readOnly = on; }
    bool ErrorBeep() const { return m_errorBeep; }
    void setErrorBeep(bool on) { m_errorBeep = on; }
    bool EnterFocusMove() const { return m_enterFocusMove; }
    void setEnterFocusMove(bool on) { m_enterFocusMove = on; }
    bool ArrowFocusMove() const { return m_arrowFocusMove; }
    void setArrowFocusMove(bool on) { m_arrowFocusMove = on; }
    bool ImageCopy() const { return m_imageCopy; }
    void setImageCopy(bool on) { m_imageCopy = on; }
    QColor Color() const;
    void setColor(const QColor& c);
    QColor DisabledColor() const;
    void setDisabledColor(const QColor& c);
    TSaNumEditOptions Options() const { return m_options; }
    void setOptions(TSaNumEditOptions options) { m_options = options; }
    QMenu* PopupMenu() const;
    void setPopupMenu(QMenu* menu);

    QSize sizeHint() const override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    void OnChange();

protected:
    // The field's editing and layout steps; a descendant may replace any of them.
    virtual void CreateEditCaret();
    virtual void ShowEditCaret();
    virtual void DestroyEditCaret();
    virtual void AdjustHeight();
    virtual void DeleteLast();
    virtual void InputDigit(QChar digit);
    virtual void InputPoint();
    virtual void InputMinus();
    virtual bool FitsWidth(const QString& value) const;
    virtual int DisplayWidthOf(const QString& value) const;
    virtual int CaretOffset() const;
    virtual QString DisplayTextOf(const QString& value) const;
    virtual QString FormatValue(const QString& value) const;
    virtual int AvailableWidth() const;
    virtual void SwapUndo();
    virtual void SaveUndo();
    // Shift-JIS (CP932) text to a value text under the current limits.
    virtual QString NormalizeText(QByteArrayView cp932) const;
    virtual QString TrimZeros(const QString& value) const;
    virtual ValueParts SplitValue(const QString& value) const;
    virtual QString JoinValue(const ValueParts& parts) const;
    virtual QString GroupThousands(const QString& digits) const;
    virtual int TemplateWidth() const;
    virtual QString TemplateText() const;
    virtual QString FullTemplateText() const;
    virtual int TextWidthOf(const QString& text) const;
    virtual QRect LeftMarkRect() const;
    virtual QRect TemplateRect() const;
    virtual QRect TextRect() const;
    virtual QRect RightMarkRect() const;
    virtual QPoint CaretPoint() const;
    virtual void PopupOpening(QMenu* menu);
    virtual void PopupItemClick(int index);
    // The sound of a refused keystroke.
    virtual void Beep();

    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void timerEvent(QTimerEvent* e) override;

private:
    void setMargin(int& margin, int px, bool affectsHeight);
    struct Layout {
        QRect leftMark, box, number, rightMark;
    };
    Layout computeLayout() const;
    int textHeight() const;
    int edgeWidth() const;
    void applyBorder();
    void refuse();
    void accept(const QString& value);
    void rebuildDisplay();
    void renormalize();
    void typeCharacter(QChar c);
    bool handleControlKey(QKeyEvent* e);
    QMenu* buildMenu();

    QString m_value;
    QString m_display;
    QString m_undoValue;
    bool m_undoAvailable = false;
    bool m_selected = false;

    int m_integerLength = 9;
    int m_decimalLength = 3;
    bool m_minus = true;
    bool m_comma = true;
    bool m_decimalFixed = false;
    bool m_integerFixed = false;
    QString m_leftMark, m_rightMark;
    TAlignment m_alignment = taRightJustify;
    TVertAlignment m_vertAlignment = taVCenter;
    int m_leftMargin = 2, m_topMargin = 2, m_rightMargin = 2, m_bottomMargin = 2;
    bool m_autoSize = true;
    TBorderStyle m_borderStyle = bsSingle;
    bool m_ctl3D = true;
    bool m_autoSelect = true;
    bool m_hideSelection = true;
    bool m_readOnly = false;
    bool m_errorBeep = true;
    bool m_enterFocusMove = false;
    bool m_arrowFocusMove = false;
    bool m_imageCopy = false;
    QColor m_disabledColor;
    TSaNumEditOptions m_options = TSaNumEditOptions(eoArrowUp) | eoArrowDown;

    QMenu* m_ownMenu = nullptr;
    QPointer<QMenu> m_popupMenu;

    // The caret is drawn by paintEvent; the timer makes it blink.
    int m_caretWidth = 1;
    bool m_caretCreated = false;
    bool m_caretPhase = false;
    QBasicTimer m_caretBlink;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TSaNumEdit::TSaNumEditOptions)
