#include "controls/MessageBox.h"

#include "controls/FixedDialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <algorithm>
#include <exception>
#include <utility>

namespace tavek {

namespace {

MessageBox::Hook& hook()
{
    static MessageBox::Hook h;
    return h;
}

QString title(MessageBox::Kind kind)
{
    switch (kind) {
    case MessageBox::Kind::Information:
        return QStringLiteral("情報");
    case MessageBox::Kind::Error:
        return QStringLiteral("エラー");
    case MessageBox::Kind::Question:
        return QStringLiteral("確認");
    case MessageBox::Kind::Plain:
    case MessageBox::Kind::Unexpected:
        // Both report a failure; the program's name would tell the user nothing.
        break;
    }
    return QStringLiteral("エラー");
}

// A window that goes away by itself (the splash, on its first loss of
// activation) would take a box it parents with it while the box runs.
QWidget* owner(QWidget* parent)
{
    return parent && parent->window()->windowType() != Qt::SplashScreen ? parent : nullptr;
}

bool asciiOnly(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

QMessageBox::Icon icon(MessageBox::Kind kind)
{
    switch (kind) {
    case MessageBox::Kind::Information:
        return QMessageBox::Information;
    case MessageBox::Kind::Question:
        return QMessageBox::Question;
    case MessageBox::Kind::Error:
    case MessageBox::Kind::Unexpected:
        return QMessageBox::Critical;
    case MessageBox::Kind::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void MessageBox::information(QWidget* parent, const QString& text, Sound sound)
{
    show(parent, Kind::Information, text, sound);
}

void MessageBox::plain(QWidget* parent, const QString& text)
{
    show(parent, Kind::Plain, text, Sound::Silent);
}

void MessageBox::error(const QString& text)
{
    // Without a parent the box is centred on the screen, not on the dialog.
    show(nullptr, Kind::Error, text, Sound::Beep);
}

bool MessageBox::question(QWidget* parent, const QString& text)
{
    return show(parent, Kind::Question, text, Sound::Silent) == Answer::Yes;
}

void MessageBox::unexpected(QWidget* parent, const QString& text)
{
    show(parent, Kind::Unexpected, text, Sound::Beep);
}

bool MessageBox::guarded(QWidget* parent, const std::function<void()>& step)
{
    try {
        step();
        return true;
    } catch (...) {
        unexpected(parent, currentFailure());
    }
    return false;
}

QString MessageBox::currentFailure()
{
    try {
        throw;
    } catch (const std::exception& e) {
        // The program's own failures are Japanese sentences; a library's or
        // the system's reason (std::bad_alloc, ...) is kept as it comes,
        // after a Japanese lead.
        const QString what = QString::fromUtf8(e.what());
        if (!asciiOnly(what))
            return what;
        return QStringLiteral("予期しないエラーが発生しました。（%1）").arg(what);
    } catch (...) {
        return QStringLiteral("予期しないエラーが発生しました。");
    }
}

MessageBox::Hook MessageBox::setHook(Hook h)
{
    return std::exchange(hook(), std::move(h));
}

MessageBox::Answer MessageBox::show(QWidget* parent, Kind kind, const QString& text, Sound sound)
{
    if (hook())
        return hook()({kind, title(kind), text});
    if (sound == Sound::Beep)
        QApplication::beep();
    const bool yesNo = kind == Kind::Question;
    // On the heap and watched: should its parent still be deleted while it
    // runs, exec() returns instead of the box being freed twice.
    QPointer<QMessageBox> box = new QMessageBox(
        icon(kind), title(kind), text, yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, owner(parent));
    dialog::makeFixed(box);
    box->setObjectName(kind == Kind::Error ? QStringLiteral("MsgDlg1") : QStringLiteral("MessageBox"));
    if (kind == Kind::Error)
        box->setWindowModality(Qt::ApplicationModal);
    const int pressed = box->exec();
    delete box.data();
    if (yesNo)
        return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
    return Answer::Ok;
}

}  // namespace tavek
