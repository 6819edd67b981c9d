#include "appfiles/ErrorLog.h"

#include "appfiles/AppFolder.h"
#include "appfiles/AppIdentity.h"
#include "racedata/AtomicFile.h"
#include "racedata/Clock.h"
#include "racedata/Cp932.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace tavek {

namespace {
std::function<void()>& beepHook()
{
    static std::function<void()> hook;
    return hook;
}

QString errorStamp()
{
    return QStringLiteral("【エラー】") + clock::now().toString(QStringLiteral("HH:mm:ss")) + QStringLiteral("：");
}

[[noreturn]] void fail(const QString& format, const QString& path)
{
    throw std::runtime_error(format.arg(path).toStdString());
}
}  // namespace

ErrorLog::ErrorLog(QString path) : path_(std::move(path))
{
}

QString ErrorLog::defaultPath()
{
    return identity::errorLogIn(appfolder::path());
}

void ErrorLog::setBeep(std::function<void()> beep)
{
    beepHook() = std::move(beep);
}

void ErrorLog::writeStartupEntry(const QString& applicationFolder)
{
    loadIfPresent();
    if (lines_.size() > kKeptLines)
        lines_.erase(lines_.begin(), lines_.end() - kKeptLines);
    lines_.append(QStringLiteral("ソフト起動：") + clock::now().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
    lines_.append(applicationFolder);
    save();
}

void ErrorLog::writeErrorEntry()
{
    if (const auto& beep = beepHook())
        beep();
    load();
    lines_.append(errorStamp());
    save();
}

void ErrorLog::writeFailure(const QString& message)
{
    loadIfPresent();
    QString oneLine = message;
    oneLine.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\r', u' ').replace(u'\n', u' ');
    lines_.append(errorStamp() + oneLine);
    save();
}

void ErrorLog::tryWriteErrorEntry() noexcept
{
    try {
        writeErrorEntry();
    } catch (...) {
    }
}

void ErrorLog::tryWriteFailure(const QString& message) noexcept
{
    try {
        writeFailure(message);
    } catch (...) {
    }
}

void ErrorLog::load()
{
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("ファイル %1 は開けません"), path_);
    QString text = cp932::decode(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    lines_ = text.split(u'\n');
    if (!lines_.isEmpty() && lines_.back().isEmpty())
        lines_.removeLast();
}

void ErrorLog::loadIfPresent()
{
    lines_.clear();
    if (QFileInfo::exists(path_))
        load();
}

void ErrorLog::save() const
{
    QByteArray bytes;
    for (const QString& line : lines_)
        bytes += cp932::encode(line) + "\r\n";
    // A read-only log must not be replaced behind the user's back.
    const QFileInfo info(path_);
    if ((info.exists() && !info.isWritable()) || !atomicfile::replace(path_, bytes, nullptr, true))
        fail(QStringLiteral("ファイル %1 を作成できません"), path_);
}

}  // namespace tavek
