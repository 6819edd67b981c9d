#include "cli/JVLinkSession.h"

#include "appfiles/AppIdentity.h"
#include "history/OddsHistory.h"
#include "jvlink/client/JVLinkMessages.h"
#include "jvlink/client/SoftwareId.h"
#include "jvlink/emulator/JVLinkFactory.h"

#include <QFileInfo>

namespace tavek::cli {

namespace {

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
    if (code != jvlink::JVResult::Ok)
        throw BadInput(QStringLiteral("JVInitエラー：") + jvlink::messageText(jvlink::JVOperation::JVInit, code));
    return jv;
}

QString settingsPath(const QString& dataFolder)
{
    return identity::settingsFileIn(applicationFolder(dataFolder));
}

QString errorLogPath(const QString& dataFolder)
{
    return identity::errorLogIn(applicationFolder(dataFolder));
}

QString historyPath(const QString& dataFolder)
{
    return history::databaseIn(applicationFolder(dataFolder));
}

}  // namespace tavek::cli
