#include "platform/DesktopQuery.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace tavek::platform {

namespace {

constexpr int kAnswerWaitMs = 5000;

// The Exec line of the [Desktop Entry] group of a desktop file.
QString execLine(const QString& desktopFile)
{
    QFile f(desktopFile);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool inEntry = false;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inEntry = line == QLatin1String("[Desktop Entry]");
        else if (inEntry && line.startsWith(QLatin1String("Exec=")))
            return line.mid(5);
    }
    return {};
}

}  // namespace

std::optional<bool> hasDefaultApplication(const QString& mimeType)
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return std::nullopt;
    QProcess p;
    p.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!p.waitForFinished(kAnswerWaitMs))
        return std::nullopt;
    return !p.readAllStandardOutput().trimmed().isEmpty();
}

QString defaultBrowserExec()
{
    const QString xdgSettings = QStandardPaths::findExecutable(QStringLiteral("xdg-settings"));
    if (xdgSettings.isEmpty())
        return {};
    QProcess p;
    p.start(xdgSettings, {QStringLiteral("get"), QStringLiteral("default-web-browser")});
    if (!p.waitForFinished(kAnswerWaitMs) || p.exitCode() != 0)
        return {};
    const QString entry = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    if (entry.isEmpty())
        return {};
    const QString file = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entry);
    return file.isEmpty() ? QString() : execLine(file);
}

}  // namespace tavek::platform
