#include "racedata/AtomicFile.h"

#include <QSaveFile>

#include <algorithm>

namespace tavek::atomicfile {

bool replace(const QString& path, QByteArrayView bytes, QString* reason, bool directWriteFallback)
{
    const auto failed = [reason](const QString& why) {
        if (reason)
            *reason = why;
        return false;
    };
    QSaveFile file(path);
    file.setDirectWriteFallback(directWriteFallback);
    // Unbuffered, the write reports how much really reached the file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(file.errorString());
    const qint64 written = file.write(bytes.data(), bytes.size());
    if (written != bytes.size() || file.size() != bytes.size()) {
        const QString why =
            written < 0
                ? file.errorString()
                : QStringLiteral("%2 バイトのうち %1 バイトしか書き込めませんでした（ディスクが一杯ではありませんか）")
                      .arg(std::max<qint64>(written, 0))
                      .arg(bytes.size());
        file.cancelWriting();
        return failed(why);
    }
    if (!file.commit())
        return failed(file.errorString());
    return true;
}

}  // namespace tavek::atomicfile
