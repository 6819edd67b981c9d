#pragma once

#include <QDateTime>
#include <functional>

// Waiting between the fetches of `quick --every`: until a time of the
// program's clock, or until the user asks to stop. Tests replace the wait, so
// that their clock moves on instead of the process sleeping.
namespace tavek::cli::pause {

// Returns at `at`, or sooner once `stopped` answers true (asked every tenth
// of a second).
void until(const QDateTime& at, const std::function<bool()>& stopped);

// Replaces the wait; an empty function restores sleeping.
void setHook(std::function<void(const QDateTime&)> hook);

}  // namespace tavek::cli::pause
