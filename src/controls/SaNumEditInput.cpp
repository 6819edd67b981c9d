// Keyboard, input method, mouse, focus and the context menu of the field.
#include "controls/SaNumEdit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace {

constexpr Qt::KeyboardModifiers kModifierMask = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier
                                                | Qt::MetaModifier;

Qt::KeyboardModifiers modifiersOf(const QKeyEvent* e)
{
    return e->modifiers() & kModifierMask;
}

bool isCtrl(const QKeyEvent* e, int key)
{
    return e->key() == key && modifiersOf(e) == Qt::ControlModifier;
}

}  // namespace

void TSaNumEdit::typeCharacter(QChar c)
{
    if (readOnly_)
        return;
    c = tavek::controls::NumEditText::asciiForm(c);
    if (c >= u'0' && c <= u'9')
        InputDigit(c);
    else if (c == u'.')
        InputPoint();
    else if (c == u'-')
        InputMinus();
    else
        refuse();
}

// Keys other than characters; true when the key was the field's.
bool TSaNumEdit::handleControlKey(QKeyEvent* e)
{
    const Qt::KeyboardModifiers mods = modifiersOf(e);
    const bool plain = mods == Qt::NoModifier;
    if (isCtrl(e, Qt::Key_A)) {
        SelectAll();
        return true;
    }
    if (isCtrl(e, Qt::Key_C)) {
        CopyToClipboard();
        return true;
    }
    if (isCtrl(e, Qt::Key_X)) {
        if (!readOnly_)
            CutToClipboard();
        return true;
    }
    if (isCtrl(e, Qt::Key_V)) {
        if (!readOnly_)
            PasteFromClipboard();
        return true;
    }
    switch (e->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        if (plain)
            DeleteLast();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (mods == Qt::ShiftModifier)
            SelectAll();
        else if (plain)
            ClearSelection();
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (plain)
            ClearSelection();
        return true;
    case Qt::Key_Up:
        if (plain) {
            ClearSelection();
            if (arrowFocusMove_ && (options_ & eoArrowUp))
                focusPreviousChild();
        }
        return true;
    case Qt::Key_Down:
        if (plain) {
            ClearSelection();
            if (arrowFocusMove_ && (options_ & eoArrowDown))
                focusNextChild();
        }
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Without EnterFocusMove, Enter belongs to the dialog's default button.
        if (!enterFocusMove_)
            return false;
        if (!readOnly_ && plain)
            focusNextChild();
        return true;
    default:
        return false;
    }
}

void TSaNumEdit::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    const bool dialogKey = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
    if (handleControlKey(e)) {
        e->accept();
        return;
    }
    const QString text = e->text();
    // Alt combinations are menu and button mnemonics; Enter without
    // EnterFocusMove goes to the dialog's default button, Escape always to its
    // cancel, so a dialog closes from the keyboard.
    if (text.isEmpty() || dialogKey || (modifiersOf(e) & (Qt::AltModifier | Qt::MetaModifier))) {
        e->ignore();
        return;
    }
    e->accept();
    if (modifiersOf(e) & Qt::ControlModifier) {
        if (!readOnly_)
            refuse();
        return;
    }
    for (const QChar c : text)
        typeCharacter(c);
}

bool TSaNumEdit::event(QEvent* e)
{
    // Keep the editing keys from application shortcuts while the field has the focus.
    if (e->type() == QEvent::ShortcutOverride) {
        auto* ke = static_cast<QKeyEvent*>(e);
        const bool editKey = isCtrl(ke, Qt::Key_A) || isCtrl(ke, Qt::Key_C) || isCtrl(ke, Qt::Key_X)
                             || isCtrl(ke, Qt::Key_V)
                             || (!ke->text().isEmpty() && ke->text().front().isPrint()
                                 && !(modifiersOf(ke) & ~Qt::ShiftModifier));
        if (editKey) {
            e->accept();
            return true;
        }
    }
    return QWidget::event(e);
}

void TSaNumEdit::inputMethodEvent(QInputMethodEvent* e)
{
    for (const QChar c : e->commitString())
        typeCharacter(c);
    e->accept();
}

// ---- mouse ------------------------------------------------------------------

void TSaNumEdit::mousePressEvent(QMouseEvent* e)
{
    setFocus(Qt::MouseFocusReason);
    if (e->button() == Qt::LeftButton)
        ClearSelection();
}

void TSaNumEdit::mouseDoubleClickEvent(QMouseEvent* e)
{
    setFocus(Qt::MouseFocusReason);
    if (e->button() == Qt::LeftButton)
        SelectAll();
}

void TSaNumEdit::mouseMoveEvent(QMouseEvent* e)
{
    if (!(e->buttons() & Qt::LeftButton))
        return;
    const QRect number = TextRect();
    const int x = e->position().toPoint().x();
    if (x >= number.left() && x <= number.right())
        SelectAll();
}

// ---- focus ------------------------------------------------------------------

void TSaNumEdit::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    if (e->reason() == Qt::PopupFocusReason)
        return;  // back from the context menu: keep the selection as it was
    CreateEditCaret();
    ShowEditCaret();
    if (autoSelect_)
        SelectAll();
}

void TSaNumEdit::focusOutEvent(QFocusEvent* e)
{
    QWidget::focusOutEvent(e);
    if (e->reason() == Qt::PopupFocusReason)
        return;  // the context menu does not take the field's focus away
    DestroyEditCaret();
    if (value_ == u"-" && !(options_ & eoMinusOnly)) {
        value_.clear();
        rebuildDisplay();
    }
    if (hideSelection_)
        selected_ = false;
    update();
}

// ---- context menu -----------------------------------------------------------

QMenu* TSaNumEdit::buildMenu()
{
    auto* menu = new QMenu(this);
    const char16_t* captions[] = {u"元に戻す(&U)", nullptr,     u"切り取り(&T)", u"コピー(&C)",
                                  u"貼り付け(&P)", u"削除(&D)", nullptr,         u"すべて選択(&A)"};
    for (int i = 0; i < 8; ++i) {
        if (!captions[i]) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromUtf16(captions[i]));
        connect(action, &QAction::triggered, this, [this, i] { PopupItemClick(i); });
    }
    return menu;
}

void TSaNumEdit::PopupOpening(QMenu* menu)
{
    const QList<QAction*> items = menu->actions();
    if (items.size() != 8)
        return;
    const bool hasText = QGuiApplication::clipboard()->mimeData()
                         && QGuiApplication::clipboard()->mimeData()->hasText();
    items[0]->setEnabled(undoAvailable_ && !readOnly_);
    items[2]->setEnabled(selected_ && !readOnly_);
    items[3]->setEnabled(selected_);
    items[4]->setEnabled(hasText && !readOnly_);
    items[5]->setEnabled(selected_ && !readOnly_);
    items[7]->setEnabled(!selected_ && !value_.isEmpty());
}

void TSaNumEdit::PopupItemClick(int index)
{
    switch (index) {
    case 0:
        Undo();
        break;
    case 2:
        CutToClipboard();
        break;
    case 3:
        CopyToClipboard();
        break;
    case 4:
        PasteFromClipboard();
        break;
    case 5:
        if (selected_) {
            ClearValue();
            emit OnChange();
        }
        break;
    case 7:
        SelectAll();
        break;
    default:
        break;
    }
}

QMenu* TSaNumEdit::PopupMenu() const
{
    return popupMenu_;
}

void TSaNumEdit::setPopupMenu(QMenu* menu)
{
    popupMenu_ = menu;
}

void TSaNumEdit::contextMenuEvent(QContextMenuEvent* e)
{
    setFocus(Qt::MouseFocusReason);
    if (popupMenu_) {
        popupMenu_->exec(e->globalPos());
        return;
    }
    PopupOpening(ownMenu_);
    ownMenu_->exec(e->globalPos());
}
