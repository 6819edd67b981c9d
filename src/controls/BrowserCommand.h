#pragma once

#include <QString>

// Text rules for starting the desktop's browser on an address, kept free of
// any system call so they can be tested on their own.
namespace tavek::browser {

// The command line that opens `address`: a quoted "%1" loses the character in
// front of it and itself, else a bare %1 does the same, then one blank and the
// address are appended. A command without a placeholder is only appended to.
QString commandLine(QString command, const QString& address);

// A desktop entry's Exec line in the form commandLine() expects: the file and
// URL field codes become the "%1" placeholder, the icon, name and location
// codes are dropped, and "%%" becomes a plain percent sign.
QString fromDesktopExec(const QString& exec);

}  // namespace tavek::browser
