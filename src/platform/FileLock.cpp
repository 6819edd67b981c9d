#include "platform/FileLock.h"

#include "platform/SystemReason.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tavek::platform {

FolderLock::FolderLock(const QByteArray& nativeFolder)
{
    fd_ = ::open(nativeFolder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0)
        reason_ = lastSystemReason();
}

FolderLock::~FolderLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

FolderLock::Attempt FolderLock::tryLock()
{
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0)
        return Attempt::Locked;
    if (errno == EWOULDBLOCK || errno == EINTR)
        return Attempt::Busy;
    reason_ = lastSystemReason();
    return Attempt::Failed;
}

}  // namespace tavek::platform
