#include "appfiles/AppIdentity.h"

#include <QDir>

namespace tavek::identity {

QString versionText()
{
    return QStringLiteral("Version %1.%2").arg(TAVEK_VERSION_MAJOR).arg(TAVEK_VERSION_MINOR, 2, 10, QLatin1Char('0'));
}

QString homePage()
{
    return QStringLiteral(TAVEK_HOMEPAGE_URL);
}

QString dataFolderIn(const QString& applicationFolder)
{
    return QDir(applicationFolder).filePath(QLatin1String(kDataFolderName));
}

QString settingsFileIn(const QString& applicationFolder)
{
    return QDir(applicationFolder).filePath(QLatin1String(kSettingsFileName));
}

QString errorLogIn(const QString& applicationFolder)
{
    return QDir(applicationFolder).filePath(QLatin1String(kErrorLogFileName));
}

QString manualIn(const QString& applicationFolder)
{
    return QDir(applicationFolder).filePath(QLatin1String(kManualFileName));
}

}  // namespace tavek::identity
