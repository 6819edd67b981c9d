// tavek-cli on damaged data folders: what it cannot read is reported with
// exit code 2, and bytes of day files never reach the terminal as controls.
#include "cli/Cli.h"
#include "cli/EscapedOutput.h"
#include "racedata/DayFiles.h"
#include "support/FaultInjection.h"
#include "support/RaceFixture.h"
#include "support/TestFiles.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

    // A folder this user may not read lists no days as if it held none.
    for (const char* command : {"dates", "stats"}) {
        const int code = test::withoutReadRights({data.path()}, [&] {
            QString why;
            return runCli({"--data", data.path(), command}, &why) == cli::kBadInput && why.contains(data.path()) ? 0
                                                                                                                 : 1;
        });
        EXPECT_EQ(code, 0) << command << ": no exit code 2 naming the folder";
    }
}

TEST(DamagedDataCli, StatsStopsAtADayFileThatIsAFifo)
{
    test::DataFolder data;
    const QString day = QStringLiteral("2005年04月16日");
    data.writeRaces(day, {RaRecord(raceKey("20050416", "05", 1))});
    const QString fifo = dayfiles::voteFilePath(data.path(), day);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    QString err;
    auto stats = std::async(std::launch::async, [&] { return runCli({"--data", data.path(), "stats"}, &err); });
    if (stats.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
        // A writer that comes and goes ends the wait: the test fails instead of hanging.
        ::close(::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK));
        ADD_FAILURE() << "stats waited on the FIFO";
    }
    EXPECT_EQ(stats.get(), cli::kBadInput);
    EXPECT_TRUE(err.contains(fifo) && err.contains(QStringLiteral("通常のファイルではありません")))
        << err.toStdString();
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
    EXPECT_EQ(escaped({QStringLiteral("東京").toUtf8()}), QStringLiteral("東京").toUtf8());
}
