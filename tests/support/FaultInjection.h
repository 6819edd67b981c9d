#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <sys/resource.h>

// Faults of the file system for the fault tests: a full disk, a folder the
// process may not write to or read, and child processes that work on the same
// files.
namespace tavek::test {

// While it lives, no file of this process can grow beyond `bytes`: writes
// past it fail (EFBIG) as on a full disk, instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*savedHandler_)(int) = nullptr;
};

// Runs `step` in a child process that may write to none of `paths` (files
// and folders made read-only; as root the child runs as the user "nobody",
// for whom they are read-only). They get their rights back afterwards.
// Returns the child's exit code: `step`'s result, or 100 + the signal that
// ended it.
int withoutWriteRights(const QStringList& paths, const std::function<int()>& step);
// The same with `paths` that the child may neither read nor enter.
int withoutReadRights(const QStringList& paths, const std::function<int()>& step);

// What a user can leave under the name of a file the programs read: a FIFO
// (opening it to read waits for a writer), a file of a gigabyte (sparse,
// so nothing is written), a folder, and a link to /dev/zero (bytes without
// end). Throws std::runtime_error when it cannot be made.
enum class Unusable { Fifo, Huge, Folder, ZeroLink };
inline constexpr Unusable kUnusableKinds[] = {Unusable::Fifo, Unusable::Huge};
inline constexpr qint64 kHugeFileBytes = qint64(1) << 30;
void makeUnusable(const QString& path, Unusable kind);
const char* unusableName(Unusable kind);

// Runs `work` on a thread of its own; false when it had not ended after ten
// seconds. Such work waits on the FIFO at `path`, if one is there: a writer
// that comes and goes ends that wait, so the test fails instead of hanging.
bool endsWithoutWaitingOn(const QString& path, const std::function<void()>& work);

// Starts `work` in a forked child (which ends when `work` returns) and
// returns its process id.
int forkChild(const std::function<void()>& work);

// Waits for a child; its exit code, or 100 + the signal that ended it.
int waitChild(int pid);

}  // namespace tavek::test
