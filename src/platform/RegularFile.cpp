#include "platform/RegularFile.h"

namespace tavek::regularfile {

namespace {

Contents failed(Status status, const platform::SafeFile& file)
{
    Contents c;
    c.status = status;
    c.reason = file.reason();
    return c;
}

// The checks of read() on an opened file: Status::Read when it may be read.
Contents check(platform::SafeFile& file, qint64 maxBytes)
{
    Contents c;
    switch (file.opened()) {
    case platform::SafeFile::Opened::Yes:
        break;
    case platform::SafeFile::Opened::Missing:  // no file, or no folder for it
        return c;
    case platform::SafeFile::Opened::Link:
        c.status = Status::Link;
        return c;
    case platform::SafeFile::Opened::Failed:
        return failed(Status::OpenFailed, file);
    }
    const std::optional<platform::SafeFile::Kind> kind = file.kind();
    if (!kind)
        return failed(Status::ReadFailed, file);
    c.size = kind->size;
    if (!kind->regular)
        c.status = Status::NotRegular;
    else if (kind->size > maxBytes)
        c.status = Status::TooLarge;
    else
        c.status = Status::Read;
    return c;
}

}  // namespace

Contents read(const QByteArray& native, qint64 maxBytes, Links links, QByteArray storage)
{
    platform::SafeFile file(native, links);
    Contents c = check(file, maxBytes);
    if (c.status != Status::Read)
        return c;
    std::optional<QByteArray> bytes = file.read(c.size, std::move(storage));  // shorter when shortened meanwhile
    if (!bytes)
        return failed(Status::ReadFailed, file);
    c.bytes = std::move(*bytes);
    return c;
}

Contents examine(const QByteArray& native, qint64 maxBytes, Links links)
{
    platform::SafeFile file(native, links);
    return check(file, maxBytes);
}

}  // namespace tavek::regularfile
