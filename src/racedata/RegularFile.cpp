#include "racedata/RegularFile.h"

#include "racedata/SystemError.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavek::regularfile {

namespace {

class FileCloser {
public:
    explicit FileCloser(int fd) : fd_(fd) {}
    ~FileCloser() { ::close(fd_); }
    FileCloser(const FileCloser&) = delete;
    FileCloser& operator=(const FileCloser&) = delete;

private:
    int fd_;
};

Contents failed(Status status)
{
    Contents c;
    c.status = status;
    c.reason = syserror::reason();
    return c;
}

}  // namespace

Contents read(const QByteArray& native, qint64 maxBytes, Links links)
{
    int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    if (links == Links::Refuse)
        flags |= O_NOFOLLOW;
    const int fd = ::open(native.constData(), flags);
    Contents c;
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return c;
        if (errno == ELOOP && links == Links::Refuse) {
            c.status = Status::Link;
            return c;
        }
        return failed(Status::OpenFailed);
    }
    const FileCloser closer(fd);
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return failed(Status::ReadFailed);
    c.size = st.st_size;
    if (!S_ISREG(st.st_mode)) {
        c.status = Status::NotRegular;
        return c;
    }
    if (st.st_size > maxBytes) {
        c.status = Status::TooLarge;
        return c;
    }
    c.bytes.resize(qsizetype(st.st_size));
    qsizetype done = 0;
    while (done < c.bytes.size()) {
        const ssize_t n = ::read(fd, c.bytes.data() + done, size_t(c.bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return failed(Status::ReadFailed);
        if (n == 0)
            break;  // shortened meanwhile
        done += n;
    }
    c.bytes.truncate(done);
    c.status = Status::Read;
    return c;
}

}  // namespace tavek::regularfile
