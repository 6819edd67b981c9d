#pragma once

// How the day files report a failed system call: one form for the store and
// the reading side alike. The system's own words for the reason come from the
// platform call that failed.

#include <QString>

#include <stdexcept>

namespace tavek::syserror {

inline std::runtime_error failure(const QString& text)
{
    return std::runtime_error(text.toStdString());
}

}  // namespace tavek::syserror
