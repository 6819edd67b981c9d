#include "app/HelpCommands.h"

#include "appfiles/AppFolder.h"
#include "appfiles/AppIdentity.h"
#include "controls/BrowserCommand.h"
#include "controls/DesktopShell.h"
#include "controls/MessageBox.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

void openUserManual(QWidget* parent, const QString& appFolder)
{
    const QString path = tavek::appfolder::manualPath(appFolder);
    if (!QFileInfo::exists(path)) {
        tavek::MessageBox::information(parent, QStringLiteral("使用解説書[Tavek.pdf]が見つかりません。"));
        return;
    }
    // A desktop without a PDF viewer would otherwise leave the user waiting
    // for a window that never comes.
    if (!tavek::desktop::open(QUrl::fromLocalFile(path)))
        tavek::MessageBox::information(parent, QStringLiteral("使用解説書を表示できませんでした。\n%1\n"
                                                              "PDFを表示するアプリケーション（PDFビューア）を"
                                                              "インストールしてください。")
                                                   .arg(QDir::toNativeSeparators(path)));
}

void openHomePage(QWidget* parent)
{
    const QString address = tavek::identity::homePage();
    if (tavek::desktop::open(QUrl(address)))
        return;
    const QString command = tavek::desktop::registeredBrowserCommand();
    if (!command.isEmpty() && tavek::desktop::start(tavek::browser::commandLine(command, address)))
        return;
    tavek::MessageBox::plain(parent, QStringLiteral("ホームページの表示に失敗しました。"));
}
