#pragma once

#include <QDateTime>
#include <functional>

// Waiting between the fetches of `quick --every`: until a time of the
// program's clock. Tests replace the wait, so that their clock moves on
// instead of the process sleeping.
namespace tavek::cli::pause {

void until(const QDateTime& at);

// Replaces the wait; an empty function restores sleeping.
void setHook(std::function<void(const QDateTime&)> hook);

}  // namespace tavek::cli::pause
