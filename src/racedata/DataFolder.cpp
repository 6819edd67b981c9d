#include "racedata/DataFolder.h"

#include <QDir>

namespace tavek::datafolder {

QString in(const QString& applicationFolder)
{
    return QDir(applicationFolder).filePath(QLatin1String(kDataFolderName));
}

}  // namespace tavek::datafolder
