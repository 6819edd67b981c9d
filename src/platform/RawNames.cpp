#include "platform/RawNames.h"

#include "platform/SystemReason.h"

#include <cerrno>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavek::platform {

namespace {

class DirCloser {
public:
    explicit DirCloser(DIR* dir) : dir_(dir) {}
    ~DirCloser() { ::closedir(dir_); }
    DirCloser(const DirCloser&) = delete;
    DirCloser& operator=(const DirCloser&) = delete;

private:
    DIR* dir_;
};

}  // namespace

bool existsOrIsLink(const QByteArray& nativePath)
{
    struct stat st;
    return ::lstat(nativePath.constData(), &st) == 0;
}

bool exists(const QByteArray& nativePath)
{
    return ::access(nativePath.constData(), F_OK) == 0;
}

bool writable(const QByteArray& nativePath)
{
    return ::access(nativePath.constData(), W_OK) == 0;
}

bool removeFile(const QByteArray& nativePath)
{
    return ::unlink(nativePath.constData()) == 0;
}

FolderFiles regularFiles(const QByteArray& nativeFolder, const std::function<bool(QByteArrayView)>& wanted)
{
    FolderFiles files;
    DIR* dir = ::opendir(nativeFolder.constData());
    if (!dir) {
        files.state = errno == ENOENT ? FolderFiles::State::Missing : FolderFiles::State::Failed;
        files.reason = lastSystemReason();
        return files;
    }
    const DirCloser closer(dir);
    files.state = FolderFiles::State::Listed;
    const int fd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArrayView name(entry->d_name);
        if (!wanted(name))
            continue;
        struct stat st;
        if (::fstatat(fd, entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode))
            files.names.append(name.toByteArray());
        else
            files.others.append(name.toByteArray());
    }
    return files;
}

}  // namespace tavek::platform
