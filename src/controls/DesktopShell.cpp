#include "controls/DesktopShell.h"

#include "controls/BrowserCommand.h"
#include "platform/DesktopQuery.h"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

namespace tavek::desktop {

namespace {

Hooks& hooks()
{
    static Hooks h;
    return h;
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
    // xdg-open itself starts and reports success even when it then finds no
    // program, so the question is asked first; when the desktop cannot tell,
    // it is tried.
    if (platform::hasDefaultApplication(mimeTypeOf(target)) == false)
        return false;
    return QDesktopServices::openUrl(target);
}

QString registeredBrowserCommand()
{
    if (hooks().browserCommand)
        return hooks().browserCommand();
    if (QString command = browser::fromDesktopExec(platform::defaultBrowserExec()); !command.isEmpty())
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
