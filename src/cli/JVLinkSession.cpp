#include "cli/JVLinkSession.h"

#include "jvlink/core/JVLinkFactory.h"
#include "jvlink/core/JVLinkMessages.h"
#include "jvlink/core/SoftwareId.h"

#include <QDir>
#include <QFileInfo>

namespace tavek::cli {

namespace {
// The program's executable is TavekJ; its settings file is named after it.
const QString kSettingsName = QStringLiteral("TavekJ.ini");

QString applicationFolder(const QString& dataFolder)
{
    return QFileInfo(dataFolder).absolutePath();
}
}  // namespace

std::unique_ptr<jvlink::JVDTLabLib_TLB> openJVLink()
{
    std::unique_ptr<jvlink::JVDTLabLib_TLB> jv = jvlink::createJVLink();
    if (!jv)
        throw BadInput(QStringLiteral("JV-Link cannot be created"));
    const int code = jv->JVInit(jvlink::softwareId());
    if (code != 0)
        throw BadInput(QStringLiteral("JVInitエラー：") + jvlink::messageText(jvlink::JVOperation::JVInit, code));
    return jv;
}

QString settingsPath(const QString& dataFolder)
{
    return QDir(applicationFolder(dataFolder)).filePath(kSettingsName);
}

QString errorLogPath(const QString& dataFolder)
{
    return QDir(applicationFolder(dataFolder)).filePath(QStringLiteral("ErrorLog.txt"));
}

}  // namespace tavek::cli
