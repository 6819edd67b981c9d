#pragma once

// A lock that keeps two copies of the program from storing into the same
// folder at once, released by the system when its holder dies. On Linux it
// is an flock on the folder itself, so the folder needs no lock file.
//
// A Windows build cannot lock a folder: it opens a lock file beside it
// ("<folder>.lock", CreateFileW with FILE_FLAG_DELETE_ON_CLOSE) and locks that
// with LockFileEx (LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY).

#include <QByteArray>
#include <QString>

namespace tavek::platform {

class FolderLock {
public:
    // Opens the folder (the bytes of its path) for locking; see opened().
    explicit FolderLock(const QByteArray& nativeFolder);
    // Releases the lock.
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // False when the folder could not be opened (reason()).
    bool opened() const { return fd_ >= 0; }

    enum class Attempt {
        Locked,
        Busy,    // held by another holder, or the attempt was interrupted
        Failed,  // reason() says why
    };
    // One attempt to take the lock, without waiting.
    Attempt tryLock();

    // The system's words for the last failure.
    const QString& reason() const { return reason_; }

private:
    int fd_ = -1;
    QString reason_;
};

}  // namespace tavek::platform
