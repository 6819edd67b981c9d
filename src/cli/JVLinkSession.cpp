#include "cli/JVLinkSession.h"

#include "appfiles/AppIdentity.h"
#include "appfiles/ErrorLog.h"
#include "appfiles/IniFile.h"
#include "history/OddsHistory.h"
#include "jvlink/client/JVLinkMessages.h"
#include "jvlink/client/SoftwareId.h"
#include "jvlink/emulator/EmulatorSettings.h"
#include "jvlink/emulator/JVLinkFactory.h"

#include <QFileInfo>

namespace tavek::cli {

std::unique_ptr<jvlink::JVDTLabLib_TLB> openJVLink()
{
    std::unique_ptr<jvlink::JVDTLabLib_TLB> jv = jvlink::createJVLink();
    if (!jv)
        throw BadInput(QStringLiteral("JV-Link を作成できません"));
    const int code = jv->JVInit(jvlink::softwareId());
    if (code != jvlink::JVResult::Ok)
        throw BadInput(QStringLiteral("JVInitエラー：") + jvlink::messageText(jvlink::JVOperation::JVInit, code));
    return jv;
}

void reportUnusableFiles(CommandContext& ctx)
{
    QStringList problems{ini::problem(settingsPath(ctx.dataFolder)), jvlink::EmulatorSettings::problem()};
    try {
        problems.append(ErrorLog(errorLogPath(ctx.dataFolder)).setAsideIfUnusable());
    } catch (const std::runtime_error& e) {
        problems.append(QString::fromStdString(e.what()));
    }
    for (const QString& problem : problems)
        if (!problem.isEmpty())
            ctx.err << "tavek-cli: " << problem << '\n';
    ctx.err.flush();
}

QString applicationFolder(const QString& dataFolder)
{
    return QFileInfo(dataFolder).absolutePath();
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
