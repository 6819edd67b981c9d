#pragma once

// Files reached by the bytes of their names. A day file copied from Windows
// may carry its name in CP932, which a QString cannot hold on Linux (Qt would
// turn it into replacement characters), so such names stay bytes.
//
// A Windows build holds every name in UTF-16: the bytes are its UTF-8
// (QFile::encodeName), and these calls become GetFileAttributesW,
// DeleteFileW and FindFirstFileW/FindNextFileW.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>

namespace tavek::platform {

// Whether anything is under the name, a broken link included.
bool existsOrIsLink(const QByteArray& nativePath);

// Whether the name leads to something, a link followed.
bool exists(const QByteArray& nativePath);

// Whether this user may write into the file or folder (errno, and so
// lastSystemReason(), says why not).
bool writable(const QByteArray& nativePath);

// Removes the file (a link itself, not what it leads to); false when it cannot.
bool removeFile(const QByteArray& nativePath);

struct FolderFiles {
    enum class State { Listed, Missing, Failed } state = State::Failed;
    QList<QByteArray> names;   // the raw names, in the folder's order
    QList<QByteArray> others;  // wanted names of anything else: a folder, a FIFO, a broken link
    QString reason;            // with Failed: the system's words
};

// The names of the regular files in a folder (a link counted by what it leads
// to) for which `wanted` holds, and apart the wanted names that are no
// regular file; only a wanted name is looked up.
FolderFiles regularFiles(const QByteArray& nativeFolder, const std::function<bool(QByteArrayView)>& wanted);

}  // namespace tavek::platform
