#pragma once

// Opening a file for reading so that nothing placed under its name can hang
// or mislead the program: a FIFO or device opens at once and shows as no
// regular file, a link is refused when asked, and the size is that of the
// file actually opened. The day files read this way; so may any file whose
// name someone else can put something under.
//
// A Windows build puts CreateFileW here (FILE_FLAG_OPEN_REPARSE_POINT, a
// reparse point refused by its attribute), GetFileType for "regular"
// (FILE_TYPE_DISK), GetFileSizeEx and ReadFile.

#include <QByteArray>
#include <QString>

#include <optional>

namespace tavek::platform {

// Whether a link under the name is followed.
enum class Links { Follow, Refuse };

// A file opened for reading by the bytes of its path (QFile::encodeName, or a
// CP932 name as a zip made on Windows leaves it).
class SafeFile {
public:
    enum class Opened {
        Yes,
        Missing,  // no such file, or a folder on the path missing
        Link,     // a link, opened with Links::Refuse
        Failed,   // reason() says why
    };

    struct Kind {
        bool regular = false;
        qint64 size = 0;
    };

    SafeFile(const QByteArray& nativePath, Links links);
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    Opened opened() const { return opened_; }

    // What the opened file is; nothing when the system cannot tell (reason()).
    std::optional<Kind> kind();

    // Up to `bytes` bytes from the current position, fewer when the file
    // ends sooner (it was shortened meanwhile); nothing on a failure (reason()).
    // They go into the memory of `storage` when it is large enough and not
    // shared: a reader of the same file again allocates nothing.
    std::optional<QByteArray> read(qint64 bytes, QByteArray storage = {});

    // The system's words for the last failure.
    const QString& reason() const { return reason_; }

private:
    int fd_ = -1;
    Opened opened_ = Opened::Failed;
    QString reason_;
};

}  // namespace tavek::platform
