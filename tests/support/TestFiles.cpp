#include "support/TestFiles.h"

#include "appfiles/AppIdentity.h"
#include "racedata/Cp932.h"

#include <QFile>
#include <stdexcept>

#include <fcntl.h>
#include <unistd.h>

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

QByteArray writeFileNamedInCp932(const QString& folder, const QString& name, const QByteArray& bytes)
{
    // Qt would spell the name in UTF-8: the system's own calls take the bytes.
    const QByteArray path = QFile::encodeName(folder) + '/' + cp932::encode(name);
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool written = fd >= 0 && ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    if (fd >= 0)
        ::close(fd);
    if (!written)
        throw std::runtime_error("cannot write " + folder.toStdString() + "/" + name.toStdString() + " in CP932");
    return path;
}

}  // namespace tavek::test
