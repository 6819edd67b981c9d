#pragma once

#include <QDeadlineTimer>

#include <functional>

namespace tavek::jvlink {

// The pace of the download poll (the acquisition window's timer ticks at it).
inline constexpr int kDownloadPollMs = 10;

// The download poll without a window: waits kDownloadPollMs, then calls
// `stillDownloading`, and again, until it returns false. False when
// `deadline` (a bound for tests) expired first.
bool pollDownload(const std::function<bool()>& stillDownloading,
                  QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever));

}  // namespace tavek::jvlink
