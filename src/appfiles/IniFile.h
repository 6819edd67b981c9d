#pragma once

#include <QString>

// A small INI-file layer with the semantics of the Windows profile functions
// (GetPrivateProfileString / WritePrivateProfileString): sections and keys are
// found without regard to case, values are trimmed and cut at 2047 bytes, a
// write changes only its own line (or adds it) and keeps every other line
// byte for byte. File text is CP932 with CR LF line ends.
namespace tavek::ini {

constexpr int kMaxValueBytes = 2047;

// The value of `key` in `section`; `fallback` when the file, the section or
// the key is missing (an empty value is a value, not a missing key).
QString readString(const QString& path, const QString& section, const QString& key, const QString& fallback);

// Writes "key=value" into `section`, creating the file and the section when
// needed. Throws std::runtime_error "<path> に書き込めません" when the file
// cannot be written; the old file is then left as it was.
void writeString(const QString& path, const QString& section, const QString& key, const QString& value);

}  // namespace tavek::ini
