#pragma once

#include "platform/SafeOpen.h"

#include <QByteArray>
#include <QString>

// Reading a file that a user may have left as anything: a FIFO, a device, a
// folder, a link, a file of a gigabyte. The day files, the settings files and
// the error log are all read through here, so none of them can block the
// program or exhaust its memory; each reader words its own message.
namespace tavek::regularfile {

using Links = platform::Links;

enum class Status {
    Read,        // `bytes` holds the whole file
    Missing,     // no such file, or no folder for it
    Link,        // a symbolic link, with Links::Refuse
    NotRegular,  // a FIFO, device, socket or folder: never waited on, never read
    TooLarge,    // more than the limit; `size` says how much
    OpenFailed,  // `reason` says why
    ReadFailed,  // `reason` says why
};

struct Contents {
    Status status = Status::Missing;
    QByteArray bytes;
    qint64 size = 0;
    QString reason;  // the system's own words
};

// The file at the system path `native`, read only when it is a regular file
// of at most `maxBytes`. Opened without blocking: opening a FIFO for reading
// would wait for a writer. A Windows build needs nothing here: the file is
// read through platform::SafeFile. The bytes go into the memory of `storage`
// when it can take them (SafeFile::read).
Contents read(const QByteArray& native, qint64 maxBytes, Links links, QByteArray storage = {});

// What read() would make of the file, without reading it: Status::Read when
// it would be read whole, `bytes` then empty. For a lister that offers files
// to be read later, each through read(), which checks them again.
Contents examine(const QByteArray& native, qint64 maxBytes, Links links);

}  // namespace tavek::regularfile
