#pragma once

#include "appfiles/IniGT.h"

#include <QByteArray>
#include <QString>

// The program's files in a test's own folder.
namespace tavek::test {

// The settings file of an application folder `folder` (TavekJ.ini in it).
TIniGT settingsIn(const QString& folder);

// The whole file's bytes; empty when it is missing or cannot be read.
QByteArray readFile(const QString& path);

// Creates or replaces the file with `bytes`; throws std::runtime_error (which
// fails the test) when it cannot be written. No GoogleTest here: the fuzz seed
// writer uses the record builders too.
void writeFile(const QString& path, const QByteArray& bytes);

// The same for the file `name` in `folder`, its name spelt in CP932 as a zip
// made on Windows leaves it; returns the path's bytes.
QByteArray writeFileNamedInCp932(const QString& folder, const QString& name, const QByteArray& bytes);

}  // namespace tavek::test
