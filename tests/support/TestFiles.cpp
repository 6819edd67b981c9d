#include "support/TestFiles.h"

#include "appfiles/AppIdentity.h"

#include <QFile>

namespace tavek::test {

TIniGT settingsIn(const QString& folder)
{
    TIniGT settings;
    settings.FileName = identity::settingsFileIn(folder);
    return settings;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace tavek::test
