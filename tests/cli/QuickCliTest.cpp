#include "cli/Cli.h"
#include "cli/Pause.h"
#include "history/OddsHistory.h"
#include "jvlink/client/JVResult.h"
#include "racedata/Clock.h"
#include "racedata/Cp932.h"
#include "support/FaultInjection.h"
#include "support/RaceFixture.h"
#include "support/TestFiles.h"
#include "support/cli/ScriptedCli.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <utility>

using namespace tavek;
using jvlink::JVResult;
using test::H1Record;
using test::raceKey;
using test::RaRecord;

namespace {

// tavek-cli quick on the two races of 2005-04-16 with a JV-Link that `script`
// prepares: how each way of going wrong is told and how it exits.
class QuickCli : public test::ScriptedCli {
protected:
    QuickCli()
    {
        QDir().mkpath(dataFolder());
        test::writeRecords(dataFolder() + "/2005年04月16日.jvRA",
                           {RaRecord(raceKey("20050416", "05", 1)), RaRecord(raceKey("20050416", "05", 2))});
    }
};

}  // namespace

TEST_F(QuickCli, AJVLinkFailureExitsTwoWithEachRaceNamedWhileNoVotesYetIsNoFailure)
{
    script = [](test::ScriptedJVLink& jv) { jv.rtOpenResult = JVResult::NoData; };
    EXPECT_EQ(run({"quick", "2005-04-16", "all"}), cli::kSuccess);
    EXPECT_EQ(out, "2005/04/16 東京 01R 票数なし\n2005/04/16 東京 02R 票数なし\n");
    EXPECT_EQ(err, "");

    script = [](test::ScriptedJVLink& jv) { jv.rtOpenResult = JVResult::Maintenance; };
    EXPECT_EQ(run({"quick", "2005-04-16", "all"}), cli::kBadInput);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "tavek-cli: 2005/04/16 東京 01R JVRTOpenエラー:サーバーがメンテナンス中です。(-504)\n"
                   "tavek-cli: 2005/04/16 東京 02R JVRTOpenエラー:サーバーがメンテナンス中です。(-504)\n");
}

// On a full disk with a history that takes nothing: the day is fetched to its
// end, and the history's failure, not the log's, is what the user reads.
TEST_F(QuickCli, AHistoryWriteThatFailsExitsThreeAndSaysTheDayFileHasTheVotes)
{
    const QString history = history::databaseIn(dir.path());
    {
        history::OddsHistory created(history);
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(history);
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral("DROP TABLE snapshot")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    // Room for the day file of both races, none for the log to grow.
    const qsizetype room = 3 * H1Record().bytes().size();
    test::writeFile(dir.filePath("ErrorLog.txt"), QByteArray(room, 'x') + "\r\n");
    script = [](test::ScriptedJVLink& jv) {
        for (int race : {1, 2}) {
            jv.record(H1Record(raceKey("20050416", "05", race), '1'));
            jv.code(JVResult::AllRead);
        }
    };
    int code = 0;
    {
        const test::FileSizeLimit disk(room);
        code = run({"quick", "2005-04-16", "all", "--every", "60", "--until", "00:00"});
    }
    EXPECT_EQ(code, cli::kHistoryNotSaved);
    EXPECT_EQ(out.count("票数を保存しました（日別ファイルのみ）\n"), 2) << out.toStdString();
    EXPECT_FALSE(out.contains("前回から変化なし"));
    EXPECT_EQ(err.count("オッズ推移に保存できません（票数は日別ファイルに保存しました）：オッズ履歴 "), 2)
        << err.toStdString();
    EXPECT_FALSE(err.contains("ErrorLog.txt"));
    EXPECT_EQ(test::readFile(dataFolder() + "/2005年04月16日.jvH1").count("\r\n"), 2);
}

// What a user can leave under the history's name: no race's votes reach the
// history, each race says so with the reason, and the log has it once.
TEST_F(QuickCli, AHistoryThatCannotBeOpenedExitsThreeAndSaysTheDayFileHasTheVotes)
{
    const QString history = history::databaseIn(dir.path());
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"a file that is no database", [&] { test::writeFile(history, QByteArray(4096, 'x')); }},
        {"a folder", [&] { QDir().mkpath(history); }},
        {"a FIFO", [&] { test::makeUnusable(history, test::Unusable::Fifo); }},
    };
    script = [](test::ScriptedJVLink& jv) {
        for (int race : {1, 2}) {
            jv.record(H1Record(raceKey("20050416", "05", race), '1'));
            jv.code(JVResult::AllRead);
        }
    };
    for (const auto& [way, make] : ways) {
        SCOPED_TRACE(way);
        make();
        EXPECT_EQ(run({"quick", "2005-04-16", "all", "--every", "60", "--until", "00:00"}), cli::kHistoryNotSaved);
        EXPECT_EQ(out.count(" 票数を保存しました（日別ファイルのみ）\n"), 2) << out.toStdString();
        EXPECT_EQ(err.count("\n"), 2) << err.toStdString();
        EXPECT_EQ(err.count("オッズ推移に保存できません（票数は日別ファイルに保存しました）：オッズ履歴 "
                            + QDir::toNativeSeparators(history) + " "),
                  2)
            << err.toStdString();
        EXPECT_EQ(test::readFile(dataFolder() + "/2005年04月16日.jvH1").count("\r\n"), 2);
        const QString log = cp932::decode(test::readFile(dir.filePath("ErrorLog.txt")));
        EXPECT_EQ(log.count("【エラー】"), 1) << log.toStdString();
        EXPECT_TRUE(log.contains(err.section(u'\n', 0, 0).section("：", 1, -1))) << log.toStdString();
        QDir(history).removeRecursively();
        QFile::remove(history);
        QFile::remove(dir.filePath("ErrorLog.txt"));
    }
}

// A stop asked for (Ctrl+C, SIGTERM) ends quick after the line of the fetch
// under way, with the code a shell gives a process that signal ends: the
// day's other races are not fetched, and a wait for the next fetch ends.
TEST_F(QuickCli, AStopEndsTheRunAfterTheLineUnderWay)
{
    const clock::FixedNow now(QDateTime(QDate(2005, 4, 16), QTime(9, 0)));
    int pauses = 0;
    cli::pause::setHook([&](const QDateTime&) {
        if (++pauses == 2)
            std::raise(SIGTERM);
    });
    script = [](test::ScriptedJVLink& jv) { jv.rtOpenResult = JVResult::NoData; };
    EXPECT_EQ(run({"quick", "2005-04-16", "all", "--every", "60", "--until", "23:59"}), cli::kStopped + SIGTERM);
    cli::pause::setHook({});
    EXPECT_EQ(pauses, 2);
    EXPECT_EQ(out.count(" 票数なし\n"), 4) << out.toStdString();

    script = [](test::ScriptedJVLink& jv) {
        jv.rtOpenResult = JVResult::NoData;
        jv.onRealTimeOpen = [] { std::raise(SIGINT); };
    };
    EXPECT_EQ(run({"quick", "2005-04-16", "all"}), cli::kStopped + SIGINT);
    EXPECT_EQ(out, "2005/04/16 東京 01R 票数なし\n");
}
