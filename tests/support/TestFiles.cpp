#include "support/TestFiles.h"

#include "appfiles/AppIdentity.h"

#include <QFile>
#include <stdexcept>

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

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

}  // namespace tavek::test
