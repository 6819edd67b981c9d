#include "controls/DesktopShell.h"

#include "controls/BrowserCommand.h"

#include <QDesktopServices>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

#include <optional>

namespace tavek::desktop {

namespace {

Hooks& hooks()
{
    static Hooks h;
    return h;
}

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

QString xdgDefaultBrowserCommand()
{
    const QString xdgSettings = QStandardPaths::findExecutable(QStringLiteral("xdg-settings"));
    if (xdgSettings.isEmpty())
        return {};
    QProcess p;
    p.start(xdgSettings, {QStringLiteral("get"), QStringLiteral("default-web-browser")});
    if (!p.waitForFinished(5000) || p.exitCode() != 0)
        return {};
    const QString entry = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    if (entry.isEmpty())
        return {};
    const QString file = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entry);
    return file.isEmpty() ? QString() : browser::fromDesktopExec(execLine(file));
}

// Whether the desktop names a program for `mimeType`; unknown without
// xdg-mime. xdg-open itself starts and reports success even when it then
// finds no program, so the question is asked first.
std::optional<bool> hasDefaultApplication(const QString& mimeType)
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return std::nullopt;
    QProcess p;
    p.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!p.waitForFinished(5000))
        return std::nullopt;
    return !p.readAllStandardOutput().trimmed().isEmpty();
}

QString mimeTypeOf(const QUrl& target)
{
    if (target.isLocalFile())
        return QMimeDatabase().mimeTypeForFile(target.toLocalFile()).name();
    return QStringLiteral("x-scheme-handler/") + target.scheme();
}

}  // namespace

bool open(const QUrl& target)
{
    if (hooks().open)
        return hooks().open(target);
    if (hasDefaultApplication(mimeTypeOf(target)) == false)
        return false;
    return QDesktopServices::openUrl(target);
}

QString registeredBrowserCommand()
{
    if (hooks().browserCommand)
        return hooks().browserCommand();
    if (QString command = xdgDefaultBrowserCommand(); !command.isEmpty())
        return command;
    return QStandardPaths::findExecutable(QStringLiteral("x-www-browser"));
}

bool start(const QString& commandLine)
{
    if (hooks().start)
        return hooks().start(commandLine);
    QStringList args = QProcess::splitCommand(commandLine);
    if (args.isEmpty())
        return false;
    const QString program = args.takeFirst();
    return QProcess::startDetached(program, args);
}

ScopedHooks::ScopedHooks(Hooks h)
{
    hooks() = std::move(h);
}
ScopedHooks::~ScopedHooks()
{
    hooks() = {};
}

}  // namespace tavek::desktop
