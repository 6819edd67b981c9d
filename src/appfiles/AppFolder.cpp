#include "appfiles/AppFolder.h"

#include "appfiles/AppIdentity.h"
#include "platform/ExecutablePath.h"

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
    QDir().mkpath(folder);
    return folder;
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
