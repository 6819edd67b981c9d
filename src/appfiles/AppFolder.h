#pragma once

#include <QString>

// The application folder: base of the data folder, the settings file and the
// error log. It is the executable's folder when that folder is writable (an
// installed copy keeps its files beside itself); otherwise the per-user data
// folder, with the same layout inside.
namespace tavek::appfolder {

// The executable's full path (works before and without a QCoreApplication).
QString executablePath();

// The application folder, absolute, without a trailing separator. Decided on
// the first call and kept; the per-user folder is created when it is used.
QString path();

// Fixes the folder instead of deciding it (tests, or a caller that already
// decided it).
void setPath(const QString& folder);

}  // namespace tavek::appfolder
