#include "controls/BrowserCommand.h"

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
