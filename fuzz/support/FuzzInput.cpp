#include "support/FuzzInput.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace tavek::fuzz {

Input::Input(const uint8_t* data, size_t size, int fixed)
{
    const QByteArrayView all(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype n = std::min<qsizetype>(fixed, all.size());
    controls_ = all.first(n);
    QByteArrayView rest = all.sliced(n);
    const QByteArrayView separator(kSeparator, 3);
    for (;;) {
        const qsizetype at = rest.indexOf(separator);
        if (at < 0)
            break;
        parts_.append(rest.first(at));
        rest = rest.sliced(at + separator.size());
    }
    parts_.append(rest);
}

uint8_t Input::control(int i) const
{
    return i < controls_.size() ? uint8_t(controls_[i]) : 0;
}

QByteArrayView Input::part(int i) const
{
    return i < parts_.size() ? parts_[i] : QByteArrayView();
}

QByteArray join(QByteArrayView controls, const QList<QByteArray>& parts)
{
    QByteArray out = controls.toByteArray();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out += QByteArrayView(kSeparator, 3);
        out += parts[i];
    }
    return out;
}

QString scratchFolder()
{
    // Removed when the run ends (a crash leaves it for the replay to look at).
    static const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm")
                                                                          : QDir::tempPath();
    static const QTemporaryDir dir(base + QStringLiteral("/tavek-fuzz-XXXXXX"));
    if (!dir.isValid())
        fail("cannot create the scratch folder", base);
    return dir.path();
}

void clean(const QString& folder)
{
    QDir dir(folder);
    for (const QFileInfo& entry :
         dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
        if (entry.isDir() && !entry.isSymLink())
            QDir(entry.filePath()).removeRecursively();
        else
            QFile::remove(entry.filePath());
    }
}

void writeFile(const QString& path, QByteArrayView bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes.data(), bytes.size()) != bytes.size())
        fail("cannot write a scratch file", path);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        fail("cannot read back a file", path);
    return f.readAll();
}

void fail(const char* what, const QString& detail)
{
    std::fprintf(stderr, "fuzz invariant broken: %s %s\n", what, detail.toLocal8Bit().constData());
    std::abort();
}

}  // namespace tavek::fuzz
