// replay over a weekend of the built-in service: the report's JSON keys, one
// CSV row per bet, and every kind of bad input with its message.
#include "cli/Cli.h"
#include "racedata/DayFiles.h"
#include "support/RaceFixture.h"
#include "support/TestFiles.h"
#include "support/cli/BuiltInDays.h"
#include "support/cli/CliRunner.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace tavek;

namespace {

class ReplayCli : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        data = new test::DataFolder;
        test::storeBuiltInDays(data->path(), QDate(2026, 10, 3), QDate(2026, 10, 4));
        // A day with races and votes but no result yet.
        test::storeBuiltInDays(data->path(), QDate(2026, 10, 10), QDate(2026, 10, 10));
        QFile::remove(dayfiles::resultFilePath(data->path(), QStringLiteral("2026年10月10日")));
    }
    static void TearDownTestSuite() { delete data; }
    static test::CliOutcome replay(const QStringList& args)
    {
        return test::runCli(data->path(), QStringList{"replay"} + args);
    }
    static test::DataFolder* data;
};
test::DataFolder* ReplayCli::data = nullptr;

const QStringList kWeekend{"--from", "2026-10-03", "--to", "2026-10-04"};

}  // namespace

TEST_F(ReplayCli, TheReportsJsonAndOneCsvRowPerBet)
{
    const test::CliOutcome json = replay(kWeekend + QStringList{"--stake", "kelly:0.5", "--json"});
    ASSERT_EQ(json.code, cli::kSuccess) << json.err.toStdString();
    const QJsonObject o = json.json();
    for (const char* key : {"races", "skipped", "bets", "hits", "staked", "returned", "return_percent", "max_drawdown",
                            "by_pool", "by_popularity", "by_odds", "calibration", "without_own_money"})
        EXPECT_TRUE(o.contains(key)) << key;
    EXPECT_GT(o["races"].toInt(), 40);
    EXPECT_EQ(o["without_own_money"].toObject()["staked"], o["staked"]);
    EXPECT_EQ(o["final_bankroll"].toDouble(), 100'000 + o["returned"].toDouble() - o["staked"].toDouble());

    const test::CliOutcome csv = replay(kWeekend + QStringList{"--stake", "kelly:0.5", "--csv"});
    ASSERT_EQ(csv.code, cli::kSuccess);
    const QStringList rows = csv.lines();
    EXPECT_EQ(rows.front(), "日付,レース,券種,組番,金額,時点オッズ,払戻オッズ,払戻,残高\r");
    EXPECT_EQ(rows.size() - 1, o["bets"].toInt());
    EXPECT_TRUE(rows.last().endsWith(QString::number(o["final_bankroll"].toInteger()) + u'\r'))
        << rows.last().toStdString();

    const test::CliOutcome text = replay(kWeekend + QStringList{"--rule", "popularity:all", "--pool", "win"});
    EXPECT_TRUE(text.out.startsWith(QStringLiteral("レース数\t%1（").arg(o["races"].toInt())))
        << text.out.toStdString();
    EXPECT_TRUE(text.out.contains("\n1番人気\t")) << text.out.toStdString();
}

TEST_F(ReplayCli, BadInputIsNamedAndAGoodReportStillPrinted)
{
    const QString list = QDir(data->path()).filePath("bets.csv");
    test::writeFile(list, "2026-10-03,1,win,1,1000\n2026-10-03,1,win,1-2,100\n");
    const QString badList = QDir(data->path()).filePath("bad.csv");
    test::writeFile(badList, "date,race,pool,bet,stake\n2026-10-03,1,show,1,100\n");
    struct Case {
        QStringList args;
        int code;
        QString err;     // part of the message on standard error
        bool reportOut;  // the report is printed all the same
    };
    const Case cases[] = {
        {{"--from", "2026-10-10", "--to", "2026-10-10"}, cli::kBadInput, "結果（払戻）のあるレースがありません", false},
        {{"--from", "2026-10-05", "--to", "2026-10-09"}, cli::kBadInput, "結果（払戻）のあるレースがありません", false},
        {{"--to", "2026-10-04"}, cli::kBadInput, "--from と --to", false},
        {kWeekend + QStringList{"--rule", "kelly"}, cli::kBadInput, "買い方 \"kelly\" はありません", false},
        {kWeekend + QStringList{"--pool", "win,show"}, cli::kBadInput, "券種 \"show\" はありません", false},
        {kWeekend + QStringList{"--bankroll", "0"}, cli::kBadInput, "--bankroll", false},
        {kWeekend + QStringList{"--bankroll", "lots"}, cli::kBadInput, "--bankroll", false},
        {kWeekend + QStringList{"--stake", "flat:50"}, cli::kBadInput, "100円単位", false},
        {kWeekend + QStringList{"--rule", "popularity:1", "--min-return", "120"}, cli::kBadInput, "--rule value",
         false},
        {kWeekend + QStringList{"--at", "30"}, cli::kBadInput, "オッズ履歴", false},
        {kWeekend + QStringList{"--rule", "list:" + list, "--stake", "flat:100"}, cli::kBadInput, "list", false},
        {kWeekend + QStringList{"--rule", "list:" + list}, cli::kBadInput,
         "2 行目: 組番 \"1-2\" は単勝の組番ではありません", true},
        {kWeekend + QStringList{"--rule", "list:" + badList}, cli::kBadInput, "読める行がありません：2 行目", false},
        {kWeekend + QStringList{"--rule", "list:" + list + ".missing"}, cli::kBadInput, "が読めません", false},
        {{"--from", "2000-01-01", "--to", "2029-12-31", "--rule", "popularity:1"}, cli::kSuccess, "", true},
    };
    for (const Case& c : cases) {
        const test::CliOutcome r = replay(c.args);
        const std::string what = c.args.join(u' ').toStdString();
        EXPECT_EQ(r.code, c.code) << what << ": " << r.err.toStdString();
        EXPECT_TRUE(c.err.isEmpty() ? r.err.isEmpty() : r.err.contains(c.err)) << what << ": " << r.err.toStdString();
        EXPECT_EQ(r.out.startsWith(QStringLiteral("レース数")), c.reportOut) << what;
    }
}
