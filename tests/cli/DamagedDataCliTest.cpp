// tavek-cli on damaged data folders: what it cannot read is reported with
// exit code 2, and bytes of day files never reach the terminal as controls.
#include "cli/Cli.h"
#include "cli/EscapedOutput.h"
#include "support/RaceFixture.h"
#include "support/TestFiles.h"

#include <QBuffer>

#include <gtest/gtest.h>

using namespace tavek;
using test::raceKey;
using test::RaRecord;

namespace {

int runCli(const QStringList& args, QString* err = nullptr)
{
    QString outText, errText;
    QTextStream out(&outText), errStream(&errText);
    const int code = cli::run(args, out, errStream);
    errStream.flush();
    if (err)
        *err = errText;
    return code;
}

QByteArray escaped(const QList<QByteArray>& writes)
{
    QBuffer target;
    target.open(QIODevice::WriteOnly);
    {
        cli::EscapedOutput out(target);
        for (const QByteArray& w : writes)
            out.write(w);
    }
    return target.data();
}

}  // namespace

TEST(DamagedDataCli, UnreadableDataFolderIsAnError)
{
    test::DataFolder data;
    const QString notAFolder = data.path() + "/Data";
    test::writeFile(notAFolder, "x");
    QString err;
    EXPECT_EQ(runCli({"--data", notAFolder, "dates"}, &err), cli::kBadInput);
    EXPECT_TRUE(err.contains(notAFolder)) << err.toStdString();
}

TEST(DamagedDataCli, DayFileThatIsNoRegularFileIsAnErrorNotAHang)
{
    test::DataFolder data;
    const QString day = QStringLiteral("2005年04月16日");
    data.writeRaces(day, {RaRecord(raceKey("20050416", "05", 1))});
    QDir(data.path()).mkdir(day + ".jvH1");
    QString err;
    EXPECT_EQ(runCli({"--data", data.path(), "races", "2005-04-16"}, &err), cli::kBadInput);
    EXPECT_TRUE(err.contains(QStringLiteral("通常のファイルではありません"))) << err.toStdString();
}

TEST(DamagedDataCli, ControlCharactersAreWrittenAsEscapes)
{
    EXPECT_EQ(escaped({"a\x1b[2Jb\tc\n"}), "a\\x1b[2Jb\tc\n");
    EXPECT_EQ(escaped({QByteArray("nul\0!", 5), "\x7f"}), "nul\\x00!\\u007f");
    // A C1 control split over two writes, and a character that only starts like one.
    EXPECT_EQ(escaped({"x\xC2", "\x9by", "\xC2\xA9"}), "x\\u009by\xC2\xA9");
    EXPECT_EQ(escaped({"end\xC2"}), "end\xC2");
    // The CR of a CR LF ends a CSV row, even split over two writes; a lone CR is escaped.
    EXPECT_EQ(escaped({"a,b\r\nc\r", "\nd\re\r"}), "a,b\r\nc\r\nd\\x0de\\x0d");
    EXPECT_EQ(escaped({QStringLiteral("東京").toUtf8()}), QStringLiteral("東京").toUtf8());
}
