// tavek-cli on damaged data folders: what it cannot read is reported with
// exit code 2, and bytes of day files never reach the terminal as controls.
#include "cli/Cli.h"
#include "cli/EscapedOutput.h"
#include "racedata/DayFiles.h"
#include "support/FaultInjection.h"
#include "support/RaceFixture.h"
#include "support/TestFiles.h"
#include "support/cli/CliRunner.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavek;
using test::raceKey;
using test::RaRecord;

namespace {

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
    const test::CliOutcome r = test::runCli(notAFolder, {"dates"});
    EXPECT_EQ(r.code, cli::kBadInput);
    EXPECT_TRUE(r.err.contains(notAFolder)) << r.err.toStdString();

    // A folder this user may not read is reported too, not listed as empty,
    // and a day in it is not said to be missing.
    for (const QStringList& args :
         {QStringList{"dates"}, QStringList{"stats"}, QStringList{"win", "2005-04-16", "1"}}) {
        const int code = test::withoutReadRights({data.path()}, [&] {
            const test::CliOutcome r = test::runCli(data.path(), args);
            return r.code == cli::kBadInput && r.err.contains(data.path() + QStringLiteral(" を読めません")) ? 0 : 1;
        });
        EXPECT_EQ(code, 0) << args.join(' ').toStdString() << ": no exit code 2 saying the folder cannot be read";
    }
}

TEST(DamagedDataCli, StatsStopsAtADayFileThatIsAFifo)
{
    test::DataFolder data;
    const QString day = QStringLiteral("2005年04月16日");
    data.writeRaces(day, {RaRecord(raceKey("20050416", "05", 1))});
    const QString fifo = dayfiles::voteFilePath(data.path(), day);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    auto stats = std::async(std::launch::async, [&] { return test::runCli(data.path(), {"stats"}); });
    if (stats.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
        // A writer that comes and goes ends the wait: the test fails instead of hanging.
        ::close(::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK));
        ADD_FAILURE() << "stats waited on the FIFO";
    }
    const test::CliOutcome r = stats.get();
    EXPECT_EQ(r.code, cli::kBadInput);
    EXPECT_TRUE(r.err.contains(fifo) && r.err.contains(QStringLiteral("通常のファイルではありません")))
        << r.err.toStdString();
}

// A race file that is no regular file is no day, but never left out without
// a word: `dates` names it and goes on, `stats` stops when the day is in range.
TEST(DamagedDataCli, ADayLeftOutOfTheListIsNamed)
{
    using Make = std::function<bool(const QByteArray&)>;
    const std::pair<const char*, Make> kinds[] = {
        {"FIFO", [](const QByteArray& p) { return ::mkfifo(p.constData(), 0644) == 0; }},
        {"folder", [](const QByteArray& p) { return ::mkdir(p.constData(), 0755) == 0; }},
        {"broken link", [](const QByteArray& p) { return ::symlink("/nonexistent/x", p.constData()) == 0; }},
    };
    for (const auto& [kind, make] : kinds) {
        test::DataFolder data;
        data.writeRaces(QStringLiteral("2005年04月16日"), {RaRecord(raceKey("20050416", "05", 1))});
        const QString odd = dayfiles::raceFilePath(data.path(), QStringLiteral("2005年04月17日"));
        ASSERT_TRUE(make(QFile::encodeName(odd))) << kind;

        const test::CliOutcome dates = test::runCli(data.path(), {"dates"});
        EXPECT_EQ(dates.code, cli::kSuccess) << kind;
        EXPECT_EQ(dates.out, QStringLiteral("2005年04月16日\n")) << kind;
        EXPECT_TRUE(dates.err.contains(QStringLiteral("2005年04月17日.jvRA"))
                    && dates.err.contains(QStringLiteral("通常のファイルではない")))
            << kind << ": " << dates.err.toStdString();

        const test::CliOutcome stats = test::runCli(data.path(), {"stats"});
        EXPECT_EQ(stats.code, cli::kBadInput) << kind;
        EXPECT_TRUE(stats.err.contains(QStringLiteral("2005年04月17日.jvRA")))
            << kind << ": " << stats.err.toStdString();
        EXPECT_EQ(test::runCli(data.path(), {"stats", "--to", "2005-04-16"}).code, cli::kSuccess)
            << kind << ": a day out of range does not stop the figures";
    }
}

// A vote file cut short loses its last record: a command on that race says
// so beside the race it cannot show.
TEST(DamagedDataCli, ARaceWhoseVoteRecordIsCutShortNamesTheSkippedLine)
{
    test::DataFolder data;
    const QString day = QStringLiteral("2005年04月16日");
    data.writeRaces(day, {RaRecord(raceKey("20050416", "05", 1)), RaRecord(raceKey("20050416", "05", 2))});
    const QString votes = data.writeVotes(day, {test::H1Record(raceKey("20050416", "05", 1)).registered(2),
                                                test::H1Record(raceKey("20050416", "05", 2)).registered(2)});
    QFile file(votes);
    ASSERT_TRUE(file.resize(file.size() - 700));
    const test::CliOutcome r = test::runCli(data.path(), {"win", "2005-04-16", "2"});
    EXPECT_EQ(r.code, cli::kBadInput);
    EXPECT_TRUE(r.err.contains(QStringLiteral("完全なレコードでない"))
                && r.err.contains(QStringLiteral("票数レコードがありません")))
        << r.err.toStdString();
}

TEST(DamagedDataCli, DayFileThatIsNoRegularFileIsAnErrorNotAHang)
{
    test::DataFolder data;
    const QString day = QStringLiteral("2005年04月16日");
    data.writeRaces(day, {RaRecord(raceKey("20050416", "05", 1))});
    QDir(data.path()).mkdir(day + ".jvH1");
    const test::CliOutcome r = test::runCli(data.path(), {"races", "2005-04-16"});
    EXPECT_EQ(r.code, cli::kBadInput);
    EXPECT_TRUE(r.err.contains(QStringLiteral("通常のファイルではありません"))) << r.err.toStdString();
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
