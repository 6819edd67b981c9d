// The man page lists exactly the commands of --help, with the same usage
// lines: the build writes them from the command list into the page.
#include "support/TestFiles.h"
#include "support/cli/CliRunner.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace tavek;

TEST(ManPage, ListsEveryCommandWithItsUsageLine)
{
    const QString page = QString::fromUtf8(test::readFile(QStringLiteral(TAVEK_CLI_MAN_PAGE)));
    const QStringList lines =
        page.section(QStringLiteral(".SH COMMANDS\n"), 1).section(QStringLiteral("\n.SH "), 0, 0).split(u'\n');
    static const QRegularExpression font(QStringLiteral("\\\\f[BIR]"));
    QStringList listed;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        if (lines[i] == u".TP")
            listed << QString(lines[i + 1]).remove(font).replace(QStringLiteral("\\-"), QStringLiteral("-"));

    const QString prefix = QStringLiteral("  tavek-cli [--data DIR] ");
    QStringList usage;
    for (const QString& line : test::runCli({QStringLiteral("--help")}).lines())
        if (line.startsWith(prefix))
            usage << line.mid(prefix.size());
    ASSERT_GE(usage.size(), 13);
    EXPECT_EQ(listed, usage);
}
