#pragma once

// The system's own words for why its last call failed, for the messages of
// the platform files. A Windows build words GetLastError() here with
// FormatMessageW.

#include <QString>

#include <cerrno>
#include <cstring>

namespace tavek::platform {

inline QString lastSystemReason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

}  // namespace tavek::platform
