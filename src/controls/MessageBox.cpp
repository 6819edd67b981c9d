#include "controls/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
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
        break;
    }
    return QApplication::applicationName();
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
        return QString::fromUtf8(e.what());
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
    QMessageBox box(icon(kind), title(kind), text, yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    parent);
    if (kind == Kind::Error) {
        box.setObjectName(QStringLiteral("MsgDlg1"));
        box.setWindowModality(Qt::ApplicationModal);
    }
    const int pressed = box.exec();
    if (yesNo)
        return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
    return Answer::Ok;
}

}  // namespace tavek
