#include "app/HelpCommands.h"

#include "app/TitlePicture.h"
#include "appfiles/AppFolder.h"
#include "controls/BrowserCommand.h"
#include "controls/DesktopShell.h"
#include "controls/MessageBox.h"

#include <QFileInfo>
#include <QUrl>

void openUserManual(QWidget* parent, const QString& appFolder)
{
    const QString path = tavek::appfolder::manualPath(appFolder);
    if (!QFileInfo::exists(path)) {
        tavek::MessageBox::information(parent, QStringLiteral("使用解説書[Tavek.pdf]が見つかりません。"));
        return;
    }
    // As on the desktop the program came from, the viewer's own success is not examined.
    tavek::desktop::open(QUrl::fromLocalFile(path));
}

void openHomePage(QWidget* parent)
{
    const QString address = QString::fromLatin1(kHomePage);
    if (tavek::desktop::open(QUrl(address)))
        return;
    const QString command = tavek::desktop::registeredBrowserCommand();
    if (!command.isEmpty() && tavek::desktop::start(tavek::browser::commandLine(command, address)))
        return;
    tavek::MessageBox::plain(parent, QStringLiteral("ホームページの表示に失敗しました。"));
}
