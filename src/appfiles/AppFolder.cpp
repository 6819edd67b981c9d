#include "appfiles/AppFolder.h"

#include "appfiles/AppIdentity.h"
#include "platform/ExecutablePath.h"
#include "platform/RawNames.h"
#include "platform/SystemReason.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <mutex>

namespace tavek::appfolder {

namespace {
std::mutex& guard()
{
    static std::mutex m;
    return m;
}
QString& fixedFolder()
{
    static QString folder;
    return folder;
}

QString executableFolder()
{
    return QFileInfo(executablePath()).absolutePath();
}

#ifdef TAVEK_SYSTEM_INSTALL
constexpr bool kBesideExecutable = false;
#else
constexpr bool kBesideExecutable = true;
#endif
}  // namespace

QString executablePath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    // Without an application object (command-line tools, unit tests).
    return platform::runningExecutable();
}

QString path()
{
    std::lock_guard lock(guard());
    if (fixedFolder().isEmpty())
        fixedFolder() = choose(executableFolder(), kBesideExecutable);
    return fixedFolder();
}

void setPath(const QString& folder)
{
    std::lock_guard lock(guard());
    fixedFolder() = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

QString choose(const QString& executableFolder, bool besideExecutable)
{
    if (besideExecutable && QFileInfo(executableFolder).isWritable())
        return QDir::cleanPath(QFileInfo(executableFolder).absoluteFilePath());
    const QString folder = perUserPath();
    // A folder that cannot be made is named by whatever then fails to write into it.
    makeWritableFolder(folder);
    return folder;
}

QString makeWritableFolder(const QString& folder)
{
    const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    const auto writable = [](const QString& f) { return platform::writable(QFile::encodeName(f)); };
    QString text;
    if (QDir().mkpath(path)) {
        if (writable(path))
            return {};
        text = QStringLiteral("フォルダ %1 に書き込めません：%2").arg(path, platform::lastSystemReason());
    } else {
        // A file under its name, or the nearest folder above it, is what stops it.
        QString stop = path;
        while (!QFileInfo::exists(stop) && stop != QDir::rootPath())
            stop = QFileInfo(stop).absolutePath();
        if (!QFileInfo(stop).isDir())
            text = QStringLiteral("フォルダ %1 を作成できません（%2 はフォルダではありません）").arg(path, stop);
        else if (!writable(stop))
            text = QStringLiteral("フォルダ %1 を作成できません（%2 に書き込めません：%3）")
                       .arg(path, stop, platform::lastSystemReason());
        else
            text = QStringLiteral("フォルダ %1 を作成できません").arg(path);
    }
    const QString perUser = perUserPath();
    if (qEnvironmentVariableIsEmpty("HOME") && qEnvironmentVariableIsEmpty("XDG_DATA_HOME")
        && (path == perUser || path.startsWith(perUser + u'/')))
        text += QStringLiteral(
                    "。環境変数 HOME が設定されていないため、ユーザーごとのフォルダ %1 がルートの下にあります")
                    .arg(perUser);
    return text + u'。';
}

QString perUserPath()
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir::cleanPath(QDir(dataHome).filePath(QLatin1String(identity::kProgramName)));
}

QString manualPath(const QString& applicationFolder)
{
    return manualPathFor(executableFolder(), applicationFolder);
}

QString manualPathFor(const QString& executableFolder, const QString& applicationFolder)
{
    const QString installed = QDir(executableFolder)
                                  .filePath(QStringLiteral(TAVEK_INSTALLED_DATA_DIR "/")
                                            + QLatin1String(identity::kManualFileName));
    if (QFileInfo::exists(installed))
        return QDir::cleanPath(installed);
    return identity::manualIn(applicationFolder);
}

}  // namespace tavek::appfolder
