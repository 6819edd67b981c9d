#include "racedata/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tavek::datafolder {

QString applicationFolder()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (QFileInfo(exeDir).isWritable())
        return exeDir;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString in(const QString& applicationFolder)
{
    return QDir(applicationFolder).filePath(QLatin1String(kDataFolderName));
}

QString defaultFolder()
{
    return in(applicationFolder());
}

}  // namespace tavek::datafolder
