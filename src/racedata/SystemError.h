#pragma once

// How the day files report a failed system call: one form for the store and
// the reading side alike.

#include <QString>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace tavek::syserror {

// The system's reason for the last failed call (errno), as the system words it.
inline QString reason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

inline std::runtime_error failure(const QString& text)
{
    return std::runtime_error(text.toStdString());
}

}  // namespace tavek::syserror
