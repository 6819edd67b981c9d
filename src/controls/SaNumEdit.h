#pragma once

#include "controls/NumEditText.h"

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
//                   reaching the dialog's default button; Escape still
//                   reaches the dialog and closes it                  (default off)
//   ArrowFocusMove  Up/Down move the focus to the previous/next control,
//                   as enabled by eoArrowUp/eoArrowDown in Options    (default off)
//   Options         eoMinusOnly (a lone "-" survives focus-out), eoArrowUp,
//                   eoArrowDown, eoAutoWidthSize (see AdjustWidth),
//                   eoORInputStop (refuse input that would not fit)
//   Color, DisabledColor, PopupMenu (replaces the built-in context menu)
//
// Text() is the value text ("-12.5", "0.", ""), never grouped; setText()
// normalises foreign text (full-width digits, commas) and raises no OnChange.
// OnChange is raised after every change made by the user, OnRefuse after
// every keystroke refused (with or without its beep).
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
    using ValueParts = tavek::controls::NumEditText::Parts;

    explicit TSaNumEdit(QWidget* parent = nullptr);
    ~TSaNumEdit() override;

    virtual QString Text() const;
    virtual void setText(const QString& text);
    // The value as drawn: grouped, padded, with marks.
    QString DisplayText() const { return display_; }
    bool Selected() const { return selected_; }
    bool CanUndo() const { return undoAvailable_; }

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

    int IntegerLength() const { return rules_.integerLength(); }
    void setIntegerLength(int n);
    int DecimalLength() const { return rules_.decimalLength(); }
    void setDecimalLength(int n);
    bool Minus() const { return rules_.minus(); }
    void setMinus(bool on);
    bool Comma() const { return rules_.comma(); }
    void setComma(bool on);
    bool DecimalFixed() const { return rules_.decimalFixed(); }
    void setDecimalFixed(bool on);
    bool IntegerFixed() const { return rules_.integerFixed(); }
    void setIntegerFixed(bool on);
    QString LeftMark() const { return rules_.leftMark(); }
    void setLeftMark(const QString& mark);
    QString RightMark() const { return rules_.rightMark(); }
    void setRightMark(const QString& mark);
    TAlignment Alignment() const { return alignment_; }
    void setAlignment(TAlignment a);
    TVertAlignment VertAlignment() const { return vertAlignment_; }
    void setVertAlignment(TVertAlignment a);
    int LeftMargin() const { return leftMargin_; }
    void setLeftMargin(int px);
    int TopMargin() const { return topMargin_; }
    void setTopMargin(int px);
    int RightMargin() const { return rightMargin_; }
    void setRightMargin(int px);
    int BottomMargin() const { return bottomMargin_; }
    void setBottomMargin(int px);
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void setBorderStyle(TBorderStyle style);
    bool Ctl3D() const { return ctl3D_; }
    void setCtl3D(bool on);
    bool AutoSelect() const { return autoSelect_; }
    void setAutoSelect(bool on) { autoSelect_ = on; }
    bool HideSelection() const { return hideSelection_; }
    void setHideSelection(bool on) { hideSelection_ = on; }
    bool ReadOnly() const { return readOnly_; }
    void setReadOnly(bool on) { readOnly_ = on; }
    bool ErrorBeep() const { return errorBeep_; }
    void setErrorBeep(bool on) { errorBeep_ = on; }
    bool EnterFocusMove() const { return enterFocusMove_; }
    void setEnterFocusMove(bool on) { enterFocusMove_ = on; }
    bool ArrowFocusMove() const { return arrowFocusMove_; }
    void setArrowFocusMove(bool on) { arrowFocusMove_ = on; }
    bool ImageCopy() const { return imageCopy_; }
    void setImageCopy(bool on) { imageCopy_ = on; }
    QColor Color() const;
    void setColor(const QColor& c);
    QColor DisabledColor() const;
    void setDisabledColor(const QColor& c);
    TSaNumEditOptions Options() const { return options_; }
    void setOptions(TSaNumEditOptions options) { options_ = options; }
    QMenu* PopupMenu() const;
    void setPopupMenu(QMenu* menu);

    QSize sizeHint() const override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    void OnChange();
    void OnRefuse();

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
    // Foreign text as a value text under the current limits.
    QString normalized(const QString& text) const;
    void rebuildDisplay();
    void renormalize();
    void typeCharacter(QChar c);
    bool handleControlKey(QKeyEvent* e);
    QMenu* buildMenu();

    QString value_;
    QString display_;
    QString undoValue_;
    bool undoAvailable_ = false;
    bool selected_ = false;

    // The digit limits, the display flags and the marks.
    tavek::controls::NumEditText rules_;
    TAlignment alignment_ = taRightJustify;
    TVertAlignment vertAlignment_ = taVCenter;
    int leftMargin_ = 2, topMargin_ = 2, rightMargin_ = 2, bottomMargin_ = 2;
    bool autoSize_ = true;
    TBorderStyle borderStyle_ = bsSingle;
    bool ctl3D_ = true;
    bool autoSelect_ = true;
    bool hideSelection_ = true;
    bool readOnly_ = false;
    bool errorBeep_ = true;
    bool enterFocusMove_ = false;
    bool arrowFocusMove_ = false;
    bool imageCopy_ = false;
    QColor disabledColor_;
    TSaNumEditOptions options_ = TSaNumEditOptions(eoArrowUp) | eoArrowDown;

    QMenu* ownMenu_ = nullptr;
    QPointer<QMenu> popupMenu_;

    // The caret is drawn by paintEvent; the timer makes it blink.
    int caretWidth_ = 1;
    bool caretCreated_ = false;
    bool caretPhase_ = false;
    QBasicTimer caretBlink_;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TSaNumEdit::TSaNumEditOptions)
