#include "support/FaultInjection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <future>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tavek::test {

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    savedHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        throw std::runtime_error("cannot limit the file size");
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, savedHandler_);
}

void makeUnusable(const QString& path, Unusable kind)
{
    switch (kind) {
    case Unusable::Fifo:
        if (::mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
            throw std::runtime_error("cannot make a FIFO at " + path.toStdString());
        return;
    case Unusable::Huge:
        break;
    case Unusable::Folder:
        if (!QDir().mkdir(path))
            throw std::runtime_error("cannot make a folder at " + path.toStdString());
        return;
    case Unusable::ZeroLink:
        if (!QFile::link(QStringLiteral("/dev/zero"), path))
            throw std::runtime_error("cannot link /dev/zero at " + path.toStdString());
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(kHugeFileBytes))
        throw std::runtime_error("cannot make a sparse file at " + path.toStdString());
}

const char* unusableName(Unusable kind)
{
    constexpr const char* kNames[] = {"a FIFO", "a file of a gigabyte", "a folder", "a link to /dev/zero"};
    return kNames[static_cast<int>(kind)];
}

bool endsWithoutWaitingOn(const QString& path, const std::function<void()>& work)
{
    auto done = std::async(std::launch::async, work);
    if (done.wait_for(std::chrono::seconds(10)) == std::future_status::ready)
        return true;
    ::close(::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK));
    done.wait();
    return false;
}

int forkChild(const std::function<void()>& work)
{
    const pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        work();
        _exit(0);
    }
    return int(pid);
}

int waitChild(int pid)
{
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

namespace {

int withRights(const QStringList& paths, QFileDevice::Permissions files, QFileDevice::Permissions folders,
               const std::function<int()>& step)
{
    QList<QFileDevice::Permissions> saved;
    for (const QString& p : paths) {
        saved.append(QFile::permissions(p));
        QFile::setPermissions(p, QFileInfo(p).isDir() ? folders : files);
    }
    const bool root = geteuid() == 0;
    const int pid = forkChild([&] {
        // As "nobody" the paths are someone else's; the folders above them
        // must let everyone pass.
        if (root && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(99);
        _exit(step());
    });
    const int code = waitChild(pid);
    for (qsizetype i = 0; i < paths.size(); ++i)
        QFile::setPermissions(paths[i], saved[i]);
    return code;
}

}  // namespace

int withoutWriteRights(const QStringList& paths, const std::function<int()>& step)
{
    constexpr auto readable = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    constexpr auto enterable = QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    return withRights(paths, readable, readable | enterable, step);
}

int withoutReadRights(const QStringList& paths, const std::function<int()>& step)
{
    return withRights(paths, {}, {}, step);
}

}  // namespace tavek::test
