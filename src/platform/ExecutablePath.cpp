#include "platform/ExecutablePath.h"

#include <QFileInfo>

namespace tavek::platform {

QString runningExecutable()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

}  // namespace tavek::platform
