#pragma once

// Where the running program is, asked of the system itself: command-line
// tools and unit tests ask before or without a QCoreApplication, which
// otherwise answers. On Linux it is the link /proc/self/exe.
//
// A Windows build puts GetModuleFileNameW(nullptr, ...) here.

#include <QString>

namespace tavek::platform {

// The executable's full path, links resolved; empty when the system cannot tell.
QString runningExecutable();

}  // namespace tavek::platform
