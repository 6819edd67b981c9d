#include "cli/Pause.h"

#include "racedata/Clock.h"

#include <QThread>

namespace tavek::cli::pause {

namespace {
std::function<void(const QDateTime&)>& hook()
{
    static std::function<void(const QDateTime&)> h;
    return h;
}
}  // namespace

void until(const QDateTime& at)
{
    if (hook()) {
        hook()(at);
        return;
    }
    const qint64 ms = clock::now().msecsTo(at);
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void setHook(std::function<void(const QDateTime&)> h)
{
    hook() = std::move(h);
}

}  // namespace tavek::cli::pause
