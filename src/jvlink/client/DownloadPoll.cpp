#include "jvlink/client/DownloadPoll.h"

#include <QThread>

namespace tavek::jvlink {

bool pollDownload(const std::function<bool()>& stillDownloading, QDeadlineTimer deadline)
{
    do {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(kDownloadPollMs);
    } while (stillDownloading());
    return true;
}

}  // namespace tavek::jvlink
