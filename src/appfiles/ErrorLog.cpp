#include "appfiles/ErrorLog.h"

#include "appfiles/AppFolder.h"
#include "appfiles/AppIdentity.h"
#include "platform/RegularFile.h"
#include "platform/SystemReason.h"
#include "racedata/AtomicFile.h"
#include "racedata/Clock.h"
#include "racedata/Cp932.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

#include <cstdio>

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

QString ErrorLog::setAsideIfUnusable()
{
    readOrSetAside();
    return notice_;
}

std::optional<QByteArray> ErrorLog::readOrSetAside()
{
    notice_.clear();
    regularfile::Contents file = regularfile::read(QFile::encodeName(path_), kMaxBytes, regularfile::Links::Follow);
    switch (file.status) {
    case regularfile::Status::Read:
        return std::move(file.bytes);
    case regularfile::Status::Missing:
        return std::nullopt;
    case regularfile::Status::NotRegular:
        if (QFileInfo(path_).isDir())
            break;
        setAside(QStringLiteral("通常のファイルではない"));
        return std::nullopt;
    case regularfile::Status::TooLarge:
        setAside(QStringLiteral("%1 バイトあり、大きすぎる（上限 %2 バイト）").arg(file.size).arg(kMaxBytes));
        return std::nullopt;
    case regularfile::Status::Link:
    case regularfile::Status::OpenFailed:
    case regularfile::Status::ReadFailed:
        break;
    }
    fail(QStringLiteral("ファイル %1 は開けません"), path_);
}

void ErrorLog::setAside(const QString& why)
{
    QString kept = path_ + QStringLiteral(".old");
    for (int n = 2; QFileInfo::exists(kept) || QFileInfo(kept).isSymLink(); ++n)
        kept = path_ + QStringLiteral(".old") + QString::number(n);
    // Not QFile::rename: where the system cannot rename, it copies, and
    // copying from a FIFO would wait for a writer.
    if (std::rename(QFile::encodeName(path_).constData(), QFile::encodeName(kept).constData()) != 0) {
        const QString reason = platform::lastSystemReason();
        throw std::runtime_error(QStringLiteral("エラーログ %1 は%2ため使えず、%3 に名前を変えることもできません：%4")
                                     .arg(path_, why, kept, reason)
                                     .toStdString());
    }
    notice_ =
        QStringLiteral("エラーログ %1 は%2ため、%3 に名前を変えて残し、新しいログを始めました。").arg(path_, why, kept);
    lines_ = QStringList{errorStamp() + notice_};
    save();
}

void ErrorLog::load()
{
    lines_.clear();
    const std::optional<QByteArray> bytes = readOrSetAside();
    if (!bytes) {
        if (notice_.isEmpty())
            fail(QStringLiteral("ファイル %1 は開けません"), path_);
        return;
    }
    QString text = cp932::decode(*bytes);
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
