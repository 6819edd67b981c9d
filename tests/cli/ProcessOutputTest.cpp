// The bytes tavek-cli itself writes in each output format: its escaping of
// control characters sits between the commands and the terminal, so only the
// running program shows what a terminal, a JSON reader or a spreadsheet gets.
#include "jvlink/emulator/GeneratedSource.h"
#include "support/RaceFixture.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

using namespace tavek;
using test::raceKey;
using test::RaRecord;

namespace {

class ProcessOutput : public ::testing::Test {
protected:
    void SetUp() override
    {
        // An escape byte in the race name comes from the day file into the text output.
        data.writeRaces(QStringLiteral("2005年04月16日"),
                        {RaRecord(raceKey("20050416", "05", 1)).name(QStringLiteral("皐月\x1b[2J賞"))});
        data.writeVotes(QStringLiteral("2005年04月16日"), {test::exampleWinRace(raceKey("20050416", "05", 1))});
    }
    // Standard output of `tavek-cli --data DATA win 2005-04-16 1 <format>`.
    QByteArray winOutput(const QStringList& format) const
    {
        QProcess cli;
        cli.start(QStringLiteral(TAVEK_CLI_PROGRAM),
                  QStringList{"--data", data.path(), "win", "2005-04-16", "1"} + format);
        EXPECT_TRUE(cli.waitForFinished(30'000));
        EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        return cli.readAllStandardOutput();
    }

    test::DataFolder data;
};

// Every byte below 0x20 other than those `allowed`.
int controlBytes(const QByteArray& bytes, QByteArrayView allowed)
{
    return int(
        std::count_if(bytes.begin(), bytes.end(), [&](char c) { return uchar(c) < 0x20 && !allowed.contains(c); }));
}

}  // namespace

TEST_F(ProcessOutput, TextHasLineFeedsAndEscapesTheDayFilesControls)
{
    const QByteArray text = winOutput({});
    EXPECT_TRUE(text.contains(QStringLiteral("皐月\\x1b[2J賞").toUtf8())) << text.toStdString();
    EXPECT_TRUE(text.endsWith('\n'));
    EXPECT_EQ(controlBytes(text, "\t\n"), 0) << text.toStdString();
}

TEST_F(ProcessOutput, JsonIsOneValidDocument)
{
    const QByteArray json = winOutput({"--json"});
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_EQ(doc.object()["rows"].toArray().size(), 10);
    EXPECT_EQ(controlBytes(json, "\n"), 0);
}

TEST_F(ProcessOutput, CsvRowsEndWithOneCrLfEach)
{
    const QByteArray csv = winOutput({"--csv"});
    EXPECT_FALSE(csv.contains("\\x0d"));
    EXPECT_EQ(controlBytes(csv, "\r\n"), 0);
    EXPECT_EQ(csv.count('\r'), csv.count("\r\n")) << "a CR only where a row ends";
    ASSERT_TRUE(csv.endsWith("\r\n"));
    const QList<QByteArray> rows = csv.chopped(2).split('\n');
    ASSERT_EQ(rows.size(), 11) << "a header and 10 runners";
    EXPECT_TRUE(rows[1].startsWith("1,1,100000,10.0,8.0,")) << rows[1].toStdString();
}

// quick --every writes each line as its fetch ends, into a pipe as onto a
// terminal, and SIGTERM ends it after a whole line with the code that says
// so. The built-in service serves a race of a past day: its final votes.
TEST(ProcessQuick, EachLineReachesAPipeAtOnceAndSigtermEndsTheRunAfterOne)
{
    if (QTime::currentTime() > QTime(23, 58))
        GTEST_SKIP() << "--until 23:59 would end the refresh at once";
    QTemporaryDir app;  // the odds history and the log go beside the data folder
    const QString dataFolder = app.filePath("Data");
    QDir().mkpath(dataFolder);
    QList<QByteArray> races;
    const QDate day(2025, 1, 5);
    for (const QByteArray& line :
         jvlink::GeneratedSource::dayFile(day, jvlink::GeneratedSource::FileKind::RaceDetails).split('\n'))
        if (line.startsWith("RA"))
            races.append(line + '\n');
    test::writeRecords(dataFolder + QStringLiteral("/2025年01月05日.jvRA"), races);

    QProcess cli;
    cli.start(QStringLiteral(TAVEK_CLI_PROGRAM),
              {"--data", dataFolder, "quick", "2025-01-05", "1", "--every", "1", "--until", "23:59"});
    QByteArray out;
    while (out.count('\n') < 2 && cli.waitForReadyRead(30'000))
        out += cli.readAllStandardOutput();
    ASSERT_EQ(out.count('\n'), 2) << "lines held back: " << out.toStdString();
    cli.terminate();
    ASSERT_TRUE(cli.waitForFinished(30'000));
    out += cli.readAllStandardOutput();
    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cli.exitCode(), 128 + SIGTERM) << cli.readAllStandardError().toStdString();
    ASSERT_TRUE(out.endsWith('\n'));
    static const QRegularExpression line(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d 2025/01/05 \\S+ 01R 票数を保存しました"
                                                        "（(オッズ推移に追加|前回から変化なし)）$"));
    for (const QByteArray& l : out.chopped(1).split('\n'))
        EXPECT_TRUE(line.match(QString::fromUtf8(l)).hasMatch()) << l.toStdString();
}
