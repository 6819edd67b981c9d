// results and check-payouts on a day of three races: 11R paid as
// sampleResult (5, 2, 9) with the win and place votes of its payouts,
// but 2,000 of 10,000 win votes on runner 5 (400 yen, 430 paid); 12R a dead
// heat first of 3 and 7, the trifecta's special payout and refunds in place,
// without votes; 01R without a result.
#include "cli/Cli.h"
#include "racedata/RecordLayout.h"
#include "support/RaceFixture.h"
#include "support/TestFiles.h"
#include "support/cli/BuiltInDays.h"
#include "support/cli/CliRunner.h"

#include <QJsonArray>

#include <gtest/gtest.h>

#include <tuple>

#include <sys/stat.h>

using namespace tavek;
using pools::Pool;
using test::raceKey;

namespace {

class ResultsCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QByteArray eleven = raceKey(), twelve = raceKey("20050416", "05", 12), one = raceKey("20050416", "05", 1);
        data.writeRaces(kDay, {test::RaRecord(eleven), test::RaRecord(twelve), test::RaRecord(one)});
        const auto& place = pools::pool(Pool::Place);
        test::H1Record votes = test::H1Record(eleven).registered(16).starters(16);
        votes.winTotal(10000).win(2, 3000).win(5, 2000).win(9, 1000).votes(place.total, 10000);
        votes.votes(place.votes(2), 3000).votes(place.votes(5), 1000).votes(place.votes(9), 500);
        data.writeVotes(kDay, {votes});
        test::HrRecord deadHeat(twelve);
        deadHeat.counts(12, 12).payout(Pool::Win, 0, "03", 150, 1).payout(Pool::Win, 1, "07", 240, 4);
        deadHeat.flag(layout::kHrSpecial, Pool::Trifecta).payout(Pool::Trifecta, 0, "030701", 70, -1);
        results = data.writeResults(kDay, {test::sampleResult(eleven), deadHeat.flag(layout::kHrRefunds, Pool::Place)});
    }

    test::CliOutcome run(const QStringList& args) { return test::runCli(data.path(), args); }

    const QString kDay = QStringLiteral("2005年04月16日");
    test::DataFolder data;
    QString results;
};

}  // namespace

TEST_F(ResultsCli, ResultsShowEveryPayoutBesideTheComputedYen)
{
    // Text and CSV: how many lines each output has, and lines it holds in this order.
    const QString header = QStringLiteral("券種\t組番\t払戻金\t人気\t計算値");
    const std::tuple<QStringList, int, QStringList> cases[] = {
        {{"1"},
         3 + 12,
         {QStringLiteral("2005/04/16 東京 11R"), QStringLiteral("着順\t1着 5　2着 2　3着 9"), header,
          QStringLiteral("単勝\t5\t430円\t2番人気\t400円"), QStringLiteral("複勝\t2\t120円\t1番人気\t120円"),
          QStringLiteral("3連単\t5-2-9\t41,230円\t131番人気\t-")}},  // its votes unknown
        {{"2"},
         8,
         {QStringLiteral("2005/04/16 東京 12R"), QStringLiteral("着順\t1着 3・7（同着）"), header,
          QStringLiteral("単勝\t3\t150円\t1番人気\t-"), QStringLiteral("単勝\t7\t240円\t4番人気\t-"),
          QStringLiteral("3連単\t3-7-1\t70円\t特払\t-"), QStringLiteral("特払\t3連単"), QStringLiteral("返還\t複勝")}},
        {{"1", "--csv"},
         1 + 12,
         {QStringLiteral("券種,組番,番号1,番号2,番号3,払戻金,人気,計算値"), QStringLiteral("単勝,5,5,,,430,2,400"),
          QStringLiteral("3連単,5-2-9,5,2,9,41230,131,")}},
    };
    for (const auto& [args, count, lines] : cases) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const test::CliOutcome r = run(QStringList{"results", "2005-04-16"} + args);
        EXPECT_EQ(r.code, cli::kSuccess);
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
        EXPECT_EQ(r.lines().size(), count) << r.out.toStdString();
        qsizetype at = -1;
        for (const QString& line : lines) {
            const qsizetype i = std::max(r.lines().indexOf(line), r.lines().indexOf(line + u'\r'));
            EXPECT_GT(i, at) << line.toStdString();
            at = i;
        }
    }

    QJsonObject json = run({"results", "2005-04-16", "1", "--json"}).json();
    EXPECT_EQ(json.keys(), (QStringList{"date", "order", "payouts", "race", "refunded", "special"}));
    EXPECT_EQ(json["order"].toArray(), (QJsonArray{5, 2, 9}));
    const QJsonArray payouts = json["payouts"].toArray();
    ASSERT_EQ(payouts.size(), 12);
    EXPECT_EQ(payouts[0].toObject(),
              (QJsonObject{{"pool", "win"}, {"bet", "5"}, {"yen", 430}, {"popularity", 2}, {"computed_yen", 400}}));
    EXPECT_EQ(payouts[9]["bet"].toString(), "5-2") << "the exacta in its order";
    EXPECT_TRUE(payouts[11]["computed_yen"].isNull());
    json = run({"results", "2005-04-16", "2", "--json"}).json();
    EXPECT_EQ(json["order"].toArray(), (QJsonArray{QJsonArray{3, 7}}));
    EXPECT_EQ(json["special"].toArray(), QJsonArray{"trifecta"});
    EXPECT_EQ(json["refunded"].toArray(), QJsonArray{"place"});
    EXPECT_TRUE(json["payouts"].toArray()[2].toObject()["popularity"].isNull());
}

TEST_F(ResultsCli, CheckPayoutsNamesWhatDiffersAndSumsUpEachPool)
{
    const QJsonObject difference{{"date", kDay},  {"race", "2005/04/16 東京 11R"},
                                 {"pool", "win"}, {"bet", "5"},
                                 {"paid", 430},   {"computed", 400}};
    const std::tuple<QStringList, int, QStringList> cases[] = {
        // 12R has no votes; the pools of blank totals have none known.
        {{},
         cli::kPayoutsDiffer,
         {QStringLiteral("2005/04/16 東京 11R\t単勝\t5\t払戻 430円\t計算 400円"),
          QStringLiteral("単勝\t照合 1件\t相違 1件"), QStringLiteral("複勝\t照合 3件\t相違 0件"),
          QStringLiteral("枠連\t照合 0件\t相違 0件")}},
        {{"--to", "2005-04-16"}, cli::kPayoutsDiffer, {QStringLiteral("1レースの払戻 4件を照合：相違 1件")}},
        {{"--from", "2005-04-17"}, cli::kSuccess, {QStringLiteral("0レースの払戻 0件を照合：相違 0件")}},
    };
    for (const auto& [args, code, lines] : cases) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        test::CliOutcome r = run(QStringList{"check-payouts"} + args);
        EXPECT_EQ(r.code, code);
        EXPECT_EQ(r.lines().size(), (code == cli::kSuccess ? 0 : 1) + 8 + 1);
        for (const QString& line : lines)
            EXPECT_TRUE(r.lines().contains(line)) << r.out.toStdString();
        r = run(QStringList{"check-payouts", "--json"} + args);
        EXPECT_EQ(r.code, code);
        EXPECT_EQ(r.json(),
                  (QJsonObject{{"races", code == cli::kSuccess ? 0 : 1},
                               {"compared", code == cli::kSuccess ? 0 : 4},
                               {"differences", code == cli::kSuccess ? QJsonArray() : QJsonArray{difference}}}));
    }
}

// What cannot be read is named with its file and race, exit code 2; the
// figures check-payouts could compare come first.
TEST_F(ResultsCli, MissingAndDamagedResultsAndBadArgumentsExitWithTwo)
{
    struct Case {
        QStringList args;
        QString named;
    };
    const Case usage[] = {
        {{"results", "2005-04-16", "3"}, QStringLiteral("2005/04/16 東京 01R の払戻はまだ取得されていません")},
        {{"results", "2005-04-16", "4"}, "RACE"},
        {{"results", "2005/04/16", "1"}, "DATE"},
        {{"results", "2005-04-16", "1", "--json", "--csv"}, QStringLiteral("同時に")},
        {{"check-payouts", "--from", "tomorrow"}, "--from"},
        {{"check-payouts", "--from", "2005-04-17", "--to", "2005-04-16"}, "--to"},
        {{"check-payouts", "--csv"}, "--csv"},
    };
    for (const Case& c : usage) {
        const test::CliOutcome r = run(c.args);
        EXPECT_EQ(r.code, cli::kBadInput) << c.args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.named) && r.out.isEmpty()) << r.err.toStdString();
    }

    // Letters in 11R's win payout: its result is gone, 12R's stays.
    QByteArray damaged = test::sampleResult();
    damaged.replace(pools::payoutLayout(Pool::Win).yen(0) - 1, 3, "4x0");
    test::writeRecords(results, {damaged, test::HrRecord(raceKey("20050416", "05", 12)).counts(12, 12)});
    test::CliOutcome r = run({"results", "2005-04-16", "1"});
    EXPECT_EQ(r.code, cli::kBadInput);
    for (const QString& named : {results, QStringLiteral("2005041605020811"), QStringLiteral("4x0")})
        EXPECT_TRUE(r.err.contains(named)) << r.err.toStdString();
    r = run({"results", "2005-04-16", "2"});
    EXPECT_EQ(r.code, cli::kSuccess);
    EXPECT_TRUE(r.err.contains(QStringLiteral("警告")) && r.err.contains(QStringLiteral("4x0"))) << "still said";
    r = run({"check-payouts"});
    EXPECT_EQ(r.code, cli::kBadInput);
    EXPECT_TRUE(r.out.endsWith(QStringLiteral("0レースの払戻 0件を照合：相違 0件\n"))) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains(results) && r.err.contains(QStringLiteral("4x0"))) << r.err.toStdString();

    // A FIFO in place of the payouts' file is read by neither, nor waited on.
    ASSERT_TRUE(QFile::remove(results));
    ASSERT_EQ(::mkfifo(QFile::encodeName(results).constData(), 0644), 0);
    for (const QStringList& args : {QStringList{"results", "2005-04-16", "1"}, QStringList{"check-payouts"}}) {
        r = run(args);
        EXPECT_EQ(r.code, cli::kBadInput) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(results) && r.err.contains(QStringLiteral("通常のファイルではありません")))
            << r.err.toStdString();
    }
}

// A month of the built-in service, its day files stored as an acquisition
// stores them: every payout is what the payout rules give from its votes,
// and stats counts the favourite of every race.
TEST(ResultsCliGenerated, TheBuiltInServicesMonthPaysWhatItsVotesGive)
{
    test::DataFolder data;
    test::storeBuiltInDays(data.path(), QDate(2026, 10, 1), QDate(2026, 10, 31));

    test::CliOutcome r = test::runCli(data.path(), {"check-payouts", "--json"});
    EXPECT_EQ(r.code, cli::kSuccess) << r.out.left(2000).toStdString() << r.err.toStdString();
    const int races = r.json()["races"].toInt();
    EXPECT_GT(races, 250);
    EXPECT_GE(r.json()["compared"].toInt(), races * 11);
    const QStringList weekend{"--from", "2026-10-03", "--to", "2026-10-04", "--json"};
    const int weekendRaces = test::runCli(data.path(), QStringList{"check-payouts"} + weekend).json()["races"].toInt();
    r = test::runCli(data.path(), QStringList{"stats"} + weekend);
    EXPECT_EQ(r.json()["results"].toInt(), weekendRaces);
    EXPECT_GT(r.json()["favourite_rates"].toObject()["races"].toInt(), weekendRaces * 9 / 10);
}
