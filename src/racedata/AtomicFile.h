#pragma once

#include <QByteArrayView>
#include <QString>

// Replacing a file as a whole, so that a crash or a full disk leaves either
// the old file or the new one.
namespace tavek::atomicfile {

// Writes `bytes` to a temporary file beside `path` and renames it over the
// file. False, with the old file untouched and the temporary file removed,
// when any byte cannot be written; `reason` then says why. QSaveFile alone is
// not enough: a short write (a full disk) is no error to it, and it would
// commit the part that fit. `directWriteFallback` writes into the file itself
// when no temporary file can be created beside it (a read-only folder); only
// then can a failure leave a part of the new file.
bool replace(const QString& path, QByteArrayView bytes, QString* reason = nullptr, bool directWriteFallback = false);

}  // namespace tavek::atomicfile
