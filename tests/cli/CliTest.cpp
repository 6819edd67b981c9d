#include "racedata/RecordLayout.h"
#include "support/RaceFixture.h"
#include "support/cli/CliRunner.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace tavek;
using test::H1Record;
using test::raceKey;
using test::RaRecord;

namespace {

using Outcome = test::CliOutcome;

class Cli : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString day = QStringLiteral("2005年04月16日");
        data.writeRaces(day, {RaRecord(raceKey("20050416", "05", 1)).name(QStringLiteral("皐月賞")),
                              RaRecord(raceKey("20050416", "05", 2)), RaRecord(raceKey("20050416", "05", 3))});
        data.writeVotes(day, {test::exampleWinRace(raceKey("20050416", "05", 1)).win(2, 0).refund(2),
                              H1Record(raceKey("20050416", "05", 3)).registered(8).put(layout::kWinTotal, "12x")});
        data.writeRaces(QStringLiteral("2005年04月17日"), {});
    }

    Outcome run(const QStringList& args, bool withData = true)
    {
        return withData ? test::runCli(data.path(), args) : test::runCli(args);
    }

    test::DataFolder data;
};

}  // namespace

TEST_F(Cli, DatesAndRaces)
{
    const Outcome dates = run({"dates"});
    EXPECT_EQ(dates.code, 0);
    EXPECT_EQ(dates.out, QStringLiteral("2005年04月17日\n2005年04月16日\n"));

    const Outcome races = run({"races", "2005-04-16"});
    EXPECT_EQ(races.code, 0);
    EXPECT_EQ(races.out, QStringLiteral("1 2005/04/16 東京 01R\n2 2005/04/16 東京 02R\n3 2005/04/16 東京 03R\n"));
    EXPECT_TRUE(races.err.startsWith(QStringLiteral("tavek-cli: 警告："))) << "race 3 has a bad field";
    EXPECT_EQ(run({"races", QStringLiteral("2005年04月17日")}).out, "");
}

TEST_F(Cli, WinJsonShowsTheGridTexts)
{
    const Outcome r = run({"win", QStringLiteral("2005年04月16日"), "1", "--json"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QJsonObject o = r.json();
    EXPECT_EQ(o["date"].toString(), QStringLiteral("2005年04月16日"));
    EXPECT_EQ(o["race"].toString(), QStringLiteral("2005/04/16 東京 01R"));
    const QJsonObject header = o["header"].toObject();
    EXPECT_EQ(header["number"].toString(), "1");
    EXPECT_EQ(header["course"].toString(), QStringLiteral("東京  "));
    EXPECT_EQ(header["date_line"].toString(), QStringLiteral("2005年04月16日東京  02回08日01R"));
    EXPECT_EQ(header["runners"].toString(), QStringLiteral("10頭"));
    EXPECT_EQ(header["starters"].toString(), QStringLiteral("[ 出走頭数：10頭]"));
    EXPECT_EQ(header["name"].toString(), QStringLiteral("皐月賞") + QString(54, u' '));
    EXPECT_EQ(o["total"].toString(), "  1,000,000");
    EXPECT_EQ(o["virtual_total"].toString(), "");
    EXPECT_EQ(o["result"].toString(), "none");
    EXPECT_TRUE(o["message"].isNull());
    const QJsonArray rows = o["rows"].toArray();
    ASSERT_EQ(rows.size(), 10);
    const QJsonObject first = rows[0].toObject();
    EXPECT_EQ(first["bracket"].toString(), "1");
    EXPECT_EQ(first["horse"].toString(), " 1");
    EXPECT_EQ(first["votes"].toString(), "   100,000");
    EXPECT_EQ(first["share"].toString(), "     10.0");
    EXPECT_EQ(first["odds"].toString(), "      8.0");
    EXPECT_EQ(first["refund"].toString(), " ");
    EXPECT_EQ(first["amount"].toString(), " ");
    EXPECT_EQ(first["hyp_odds"].toString(), " ");
    EXPECT_EQ(first["vvotes"].toString(), "   100,000");
    EXPECT_EQ(first["vshare"].toString(), "     10.0");
    EXPECT_EQ(first["vodds"].toString(), "      8.0");
    EXPECT_EQ(rows[1].toObject()["refund"].toString(), QStringLiteral("返還"));
    EXPECT_EQ(rows[1].toObject()["odds"].toString(), " ");
}

TEST_F(Cli, WinSimulations)
{
    const Outcome stake = run({"win", "2005-04-16", "1", "--stake", "1:150000", "--json"});
    ASSERT_EQ(stake.code, 0) << stake.err.toStdString();
    EXPECT_EQ(stake.json()["result"].toString(), "accepted");
    EXPECT_EQ(stake.json()["virtual_total"].toString(), "  1,001,500");
    EXPECT_EQ(stake.json()["rows"].toArray()[0].toObject()["amount"].toString(), "    150,000");
    EXPECT_EQ(stake.json()["rows"].toArray()[0].toObject()["vodds"].toString(), "      7.9");

    const Outcome odds = run({"--json", "win", "2005-04-16", "1", "--odds", "1:10.0"});
    ASSERT_EQ(odds.code, 0);
    const QJsonObject first = odds.json()["rows"].toArray()[0].toObject();
    EXPECT_EQ(first["amount"].toString(), "  2,173,900");
    EXPECT_EQ(first["hyp_odds"].toString(), "     10.0");
    EXPECT_EQ(odds.json()["virtual_total"].toString(), "    978,261");

    const Outcome low = run({"win", "2005-04-16", "1", "--odds", "1:4", "--json"});
    EXPECT_EQ(low.code, 1);
    EXPECT_EQ(low.err.trimmed(),
              QStringLiteral("非現実的な数値が入力されました。現在のオッズ 8.0 倍より大きい数字を入力してください。"));
    EXPECT_EQ(low.json()["result"].toString(), "unrealistic");
    EXPECT_EQ(low.json()["message"].toString(),
              QStringLiteral("非現実的な数値が入力されました。現在のオッズ 8.0 倍より大きい数字を入力してください。"));
    EXPECT_EQ(low.json()["rows"].toArray()[0].toObject()["vvotes"].toString(), "   100,000") << "refused: the record's";
    EXPECT_EQ(low.json()["rows"].toArray()[1].toObject()["vodds"].toString(),
              low.json()["rows"].toArray()[1].toObject()["odds"].toString());

    // Odds the odds field refuses are bad input, named with the bet.
    for (const char* odds : {"0", "1.0"}) {
        const Outcome one = run({"win", "2005-04-16", "1", "--odds", QStringLiteral("1:") + odds});
        EXPECT_EQ(one.code, 2);
        EXPECT_EQ(
            one.err,
            QStringLiteral("tavek-cli: 単勝 1 のオッズ %1：１倍よりも大きい数字を入力してください。\n").arg(odds));
        EXPECT_TRUE(one.out.isEmpty()) << one.out.toStdString();
    }
}

TEST_F(Cli, StatsOfTheDataFolder)
{
    const Outcome text = run({"stats"});
    EXPECT_EQ(text.code, 0);
    EXPECT_TRUE(text.out.startsWith("races: 1 on 1 course-days, 2005-04-16 to 2005-04-16\n")) << text.out.toStdString();
    EXPECT_TRUE(text.out.contains(QStringLiteral("skipped"))) << "the record with 12x is named";
    EXPECT_TRUE(text.out.contains(QStringLiteral("皐月賞")));
    const Outcome json = run({"stats", "--json", "--to", "2005-04-16"});
    EXPECT_EQ(json.json()["races"].toInt(), 1);
    EXPECT_EQ(run({"stats", "--from", QStringLiteral("2005年04月17日")}).out, "races: 0\n");
}

TEST_F(Cli, BadUsageAndUnreadableInputExitWithTwo)
{
    const auto failsNaming = [this](const QStringList& args, const QString& named, bool withData = true) {
        const Outcome r = run(args, withData);
        EXPECT_EQ(r.code, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        EXPECT_TRUE(r.err.contains(named)) << r.err.toStdString();
        EXPECT_EQ(r.err.count(u'\n'), 1) << r.err.toStdString();
    };
    failsNaming({"bogus"}, "bogus");
    failsNaming({"--data"}, "--data", false);
    failsNaming({"races"}, "DATE");
    failsNaming({"races", "2005-04-18"}, QStringLiteral("2005年04月18日.jvRA"));
    failsNaming({"races", "20050416"}, "20050416");
    failsNaming({"win", "2005-04-16"}, "RACE");
    failsNaming({"win", "2005-04-16", "4"}, "RACE");
    failsNaming({"win", "2005-04-16", "0"}, "RACE");
    failsNaming({"win", "2005-04-16", "2"}, QStringLiteral("東京 02R の票数はまだ取得されていません"));
    failsNaming({"win", "2005-04-16", "3"}, QStringLiteral("東京 03R"));
    failsNaming({"win", "2005-04-16", "1", "--stake", "1:abc"}, "abc");
    failsNaming({"win", "2005-04-16", "1", "--stake", "1:10000000"}, "10000000");
    failsNaming({"win", "2005-04-16", "1", "--stake", "11:100"}, "11");
    failsNaming({"win", "2005-04-16", "1", "--odds", "1:-2"}, "-2");
    failsNaming({"win", "2005-04-16", "1", "--odds", "1:2.25"}, "2.25");
    failsNaming({"win", "2005-04-16", "1", "--odds", "1:5", "--stake", "1:100"}, QStringLiteral("同時に"));
    failsNaming({"win", "2005-04-16", "1", "--json", "--json"}, QStringLiteral("--json が2回"));
    failsNaming({"win", "2005-04-16", "1", "--stake", "1:5", "--stake", "1:6"}, QStringLiteral("--stake が2回"));
    failsNaming({"races", "2005-04-16\n--json"}, QStringLiteral("\"2005-04-16\\x0a--json\""));  // escaped, one line
    failsNaming({"win", "2005-04-16", "1", "extra"}, "extra");
    failsNaming({"stats", "--from", "tomorrow"}, "--from");
    failsNaming({"stats", "--from", "2005-04-17", "--to", "2005-04-16"}, "--to");

    const Outcome none = run({}, false);
    EXPECT_EQ(none.code, 2);
    EXPECT_TRUE(none.err.startsWith("usage: tavek-cli"));
    EXPECT_EQ(run({"--help"}, false).code, 0);
}

TEST_F(Cli, JsonListsVersionAndADataFolderNotMadeYet)
{
    const Outcome dates = run({"dates", "--json"});
    EXPECT_EQ(dates.code, 0);
    const QJsonArray list = QJsonDocument::fromJson(dates.out.toUtf8()).array();
    EXPECT_EQ(list, QJsonArray({QStringLiteral("2005年04月17日"), QStringLiteral("2005年04月16日")}));

    const Outcome races = run({"races", "2005-04-16", "--json"});
    EXPECT_EQ(races.code, 0);
    const QJsonArray items = QJsonDocument::fromJson(races.out.toUtf8()).array();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0].toObject()["number"].toInt(), 1);
    EXPECT_EQ(items[2].toObject()["number"].toInt(), 3);
    EXPECT_EQ(items[0].toObject()["text"].toString(), QStringLiteral("2005/04/16 東京 01R"));

    // No fetch has made the data folder yet: no days, no failure.
    for (const QStringList& extra : {QStringList{}, QStringList{"--json"}}) {
        const Outcome none = run(QStringList{"--data", data.path() + "/none", "dates"} + extra, false);
        EXPECT_EQ(none.code, 0);
        EXPECT_EQ(none.out.trimmed(), extra.isEmpty() ? QString() : QStringLiteral("[\n]"));
        EXPECT_TRUE(none.err.isEmpty());
    }
    EXPECT_EQ(run({"--data", data.path() + "/none", "races", "2005-04-16"}, false).code, 2);

    const Outcome version = run({"--version"}, false);
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, QStringLiteral("tavek-cli Version 2.00\n"));
}

TEST_F(Cli, SimulationOnARefundedRunnerIsRefusedWithItsMessage)
{
    for (const char* option : {"--stake", "--odds"}) {
        const Outcome r = run({"win", "2005-04-16", "1", option, option[2] == 's' ? "2:1000" : "2:100.0", "--json"});
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err.trimmed(), QStringLiteral("返還（出走取消・競走除外）の対象はシミュレーションできません。"));
        EXPECT_EQ(r.json()["result"].toString(), "refunded");
        EXPECT_EQ(r.json()["virtual_total"].toString(), "");
        EXPECT_EQ(r.json()["rows"].toArray()[1].toObject()["vodds"].toString(), " ");
    }
}
