#include "app/BrowserCommand.h"
#include "app/DesktopShell.h"
#include "app/HelpCommands.h"
#include "app/TitlePicture.h"
#include "support/gui/ModalCatcher.h"

#include <gtest/gtest.h>

using namespace tavek;

TEST(BrowserCommand, PlaceholderAndItsBlankMakeWayForTheAddress)
{
    const QString a = QStringLiteral("https://x.jp/");
    EXPECT_EQ(browser::commandLine(QStringLiteral("firefox %1"), a), QStringLiteral("firefox https://x.jp/"));
    EXPECT_EQ(browser::commandLine(QStringLiteral("\"C:\\b\\b.exe\" \"%1\""), a),
              QStringLiteral("\"C:\\b\\b.exe\" https://x.jp/"));
    EXPECT_EQ(browser::commandLine(QStringLiteral("browser -nohome %1 -new"), a),
              QStringLiteral("browser -nohome -new https://x.jp/"));
    EXPECT_EQ(browser::commandLine(QStringLiteral("/usr/bin/x-www-browser"), a),
              QStringLiteral("/usr/bin/x-www-browser https://x.jp/"));
    // The quoted form wins over a bare one further on.
    EXPECT_EQ(browser::commandLine(QStringLiteral("b \"%1\" %1"), a), QStringLiteral("b %1 https://x.jp/"));
}

TEST(BrowserCommand, DesktopEntryFieldCodesBecomeThePlaceholder)
{
    EXPECT_EQ(browser::fromDesktopExec(QStringLiteral("firefox-esr %u")), QStringLiteral("firefox-esr %1"));
    EXPECT_EQ(browser::fromDesktopExec(QStringLiteral("chromium %U")), QStringLiteral("chromium %1"));
    EXPECT_EQ(browser::fromDesktopExec(QStringLiteral("app --icon %i %F")), QStringLiteral("app --icon %1"));
    EXPECT_EQ(browser::fromDesktopExec(QStringLiteral("run 100%% %f")), QStringLiteral("run 100% %1"));
    EXPECT_EQ(browser::commandLine(browser::fromDesktopExec(QStringLiteral("epiphany %U")), QStringLiteral("u")),
              QStringLiteral("epiphany u"));
}

TEST(HomePage, FallsBackToTheBrowserCommandAndReportsFailure)
{
    QStringList started;
    bool startWorks = true;
    QString command = QStringLiteral("mybrowser \"%1\"");
    desktop::ScopedHooks hooks({[](const QUrl&) { return false; }, [&] { return command; },
                                [&](const QString& line) {
                                    started << line;
                                    return startWorks;
                                }});
    {
        test::ModalCatcher boxes;
        openHomePage(nullptr);
        EXPECT_EQ(boxes.count(), 0);
    }
    EXPECT_EQ(started, QStringList{QStringLiteral("mybrowser ") + QString::fromLatin1(kHomePage)});

    for (bool noBrowser : {false, true}) {
        startWorks = false;
        command = noBrowser ? QString() : QStringLiteral("mybrowser");
        test::ModalCatcher boxes;
        openHomePage(nullptr);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.texts().first(), QStringLiteral("ホームページの表示に失敗しました。"));
    }
}
