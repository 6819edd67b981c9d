#include "cli/Pause.h"

#include "racedata/Clock.h"

#include <QThread>

#include <algorithm>

namespace tavek::cli::pause {

namespace {
std::function<void(const QDateTime&)>& hook()
{
    static std::function<void(const QDateTime&)> h;
    return h;
}
}  // namespace

void until(const QDateTime& at, const std::function<bool()>& stopped)
{
    if (hook()) {
        hook()(at);
        return;
    }
    constexpr qint64 kSliceMs = 100;
    for (qint64 ms = clock::now().msecsTo(at); ms > 0 && !stopped(); ms = clock::now().msecsTo(at))
        QThread::msleep(static_cast<unsigned long>(std::min(ms, kSliceMs)));
}

void setHook(std::function<void(const QDateTime&)> h)
{
    hook() = std::move(h);
}

}  // namespace tavek::cli::pause
