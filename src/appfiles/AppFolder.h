#pragma once

#include <QString>

// The application folder: base of the data folder, the settings files, the
// error log and the emulated service's storage. It is the executable's folder
// when that folder is writable (a portable copy keeps its files beside
// itself); otherwise the per-user data folder, with the same layout inside. A
// packaged build always takes the per-user folder, so that not even root
// writes into /usr/bin.
namespace tavek::appfolder {

// The executable's full path (works before and without a QCoreApplication).
QString executablePath();

// The application folder, absolute, without a trailing separator. Decided on
// the first call and kept; the per-user folder is created when it is used.
QString path();

// Fixes the folder instead of deciding it (tests, or a caller that already
// decided it).
void setPath(const QString& folder);

// The rule behind path(): executableFolder itself when besideExecutable is set
// and the folder is writable, otherwise perUserPath() (created).
QString choose(const QString& executableFolder, bool besideExecutable);

// Creates `folder`, one of the program's own (the application folder, the
// emulated service's storage), when it is missing. Empty when the program may
// then write into it; otherwise why not, for the user: the folder, the one
// that stopped it and the system's reason, and when the per-user folder lies
// under "/" because HOME is not set, that too.
QString makeWritableFolder(const QString& folder);

// <XDG data home>/Tavek (~/.local/share/Tavek): named after the program, not
// after whatever name the running process gives itself, so that the window and
// tavek-cli always share it.
QString perUserPath();

// The user manual: the copy installed with the program (share/tavek under the
// install prefix, found from the executable's folder), else the one in the
// application folder (the build tree puts it there).
QString manualPath(const QString& applicationFolder);
QString manualPathFor(const QString& executableFolder, const QString& applicationFolder);

}  // namespace tavek::appfolder
