#include "platform/SafeOpen.h"

#include "platform/SystemReason.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavek::platform {

SafeFile::SafeFile(const QByteArray& nativePath, Links links)
{
    // Non-blocking: opening a FIFO for reading would wait for a writer.
    int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    if (links == Links::Refuse)
        flags |= O_NOFOLLOW;
    fd_ = ::open(nativePath.constData(), flags);
    if (fd_ >= 0)
        opened_ = Opened::Yes;
    else if (errno == ENOENT || errno == ENOTDIR)
        opened_ = Opened::Missing;
    else if (errno == ELOOP && links == Links::Refuse)
        opened_ = Opened::Link;
    else
        reason_ = lastSystemReason();
}

SafeFile::~SafeFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::optional<SafeFile::Kind> SafeFile::kind()
{
    struct stat st;
    if (::fstat(fd_, &st) != 0) {
        reason_ = lastSystemReason();
        return std::nullopt;
    }
    return Kind{S_ISREG(st.st_mode), qint64(st.st_size)};
}

std::optional<QByteArray> SafeFile::read(qint64 bytes, QByteArray storage)
{
    QByteArray data = std::move(storage);
    if (data.isDetached() && data.capacity() >= bytes)
        data.resize(qsizetype(bytes));
    else
        data = QByteArray(qsizetype(bytes), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::read(fd_, data.data() + done, size_t(data.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            reason_ = lastSystemReason();
            return std::nullopt;
        }
        if (n == 0)
            break;
        done += n;
    }
    data.truncate(done);
    return data;
}

}  // namespace tavek::platform
