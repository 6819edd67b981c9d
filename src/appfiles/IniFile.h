#pragma once

#include <QString>

// A small INI-file layer with the semantics of the Windows profile functions
// (GetPrivateProfileString / WritePrivateProfileString): sections and keys are
// found without regard to case, values are trimmed and cut at 2047 bytes, a
// write changes only its own line (or adds it) and keeps every other line
// byte for byte. File text is CP932 with CR LF line ends.
namespace tavek::ini {

constexpr int kMaxValueBytes = 2047;
// A settings file holds a few dozen lines; one larger than this is no
// settings file and is never read whole.
constexpr qint64 kMaxFileBytes = 1 << 20;

// Why the file at `path` is not read, for the user: it is no regular file (a
// FIFO would block every read), larger than kMaxFileBytes or cannot be opened.
// Every read of it then gives its fallback, so the program runs on its
// defaults, and every write is refused, so the file stays as it is. Empty when
// the file is read or missing.
QString problem(const QString& path);

// The value of `key` in `section`; `fallback` when the file, the section or
// the key is missing (an empty value is a value, not a missing key).
QString readString(const QString& path, const QString& section, const QString& key, const QString& fallback);

// Writes "key=value" into `section`, creating the file and the section when
// needed. Throws std::runtime_error "<path> に書き込めません" (with the reason
// when the file is not read) when the file cannot be written; the old file is
// then left as it was.
void writeString(const QString& path, const QString& section, const QString& key, const QString& value);

}  // namespace tavek::ini
