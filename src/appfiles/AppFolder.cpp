#include "appfiles/AppFolder.h"

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

QString decide()
{
    const QString exeDir = QFileInfo(executablePath()).absolutePath();
    if (QFileInfo(exeDir).isWritable())
        return QDir::cleanPath(exeDir);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return QDir::cleanPath(data);
}
}  // namespace

QString executablePath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    // Without an application object (command-line tools, unit tests).
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

QString path()
{
    std::lock_guard lock(guard());
    if (fixedFolder().isEmpty())
        fixedFolder() = decide();
    return fixedFolder();
}

void setPath(const QString& folder)
{
    std::lock_guard lock(guard());
    fixedFolder() = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

}  // namespace tavek::appfolder
