#include "jvlink/core/EmulatedJVLink.h"

#include "racedata/Cp932.h"

namespace tavek::jvlink {

int32_t EmulatedJVLink::JVInit(const QString& sid)
{
    if (sid.isEmpty())
        return -101;
    if (cp932::encode(sid).size() >= 64)
        return -102;
    if (sid.front() == u' ')
        return -103;
    initialised_ = true;
    return 0;
}

int32_t EmulatedJVLink::JVSetUIProperties()
{
    return 0;
}

int32_t EmulatedJVLink::JVOpen(const QString&, const QString&, int32_t, int32_t& readCount,
                               int32_t& downloadCount, QString& lastFileTimestamp)
{
    readCount = 0;
    downloadCount = 0;
    lastFileTimestamp.clear();
    return initialised_ ? -1 : -201;
}

int32_t EmulatedJVLink::JVRTOpen(const QString&, const QString&)
{
    return initialised_ ? -1 : -201;
}

int32_t EmulatedJVLink::JVStatus()
{
    return initialised_ ? -203 : -201;
}

int32_t EmulatedJVLink::JVRead(QString& buff, int32_t&, QString&)
{
    buff.clear();
    return initialised_ ? -203 : -201;
}

void EmulatedJVLink::JVCancel() {}

int32_t EmulatedJVLink::JVClose()
{
    return 0;
}

}  // namespace tavek::jvlink
