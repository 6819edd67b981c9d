#include "odds/model/SimResult.h"
#include "pools/PoolIndex.h"
#include "racedata/RecordLayout.h"
#include "support/RaceFixture.h"
#include "support/cli/CliRunner.h"

#include <QJsonArray>

#include <gtest/gtest.h>

using namespace tavek;
using pools::Pool;

namespace {

// Race 1: 8 runners and starters, runner 4 refunded; win votes 1,000 x h on
// runner h; a trifecta pool of 1,000,000 votes with 1,000 on every entry of
// the field. Race 2 has no trifecta record: 発売なし.
class TrifectaCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::H1Record race(test::raceKey("20150606", "05", 1));
        race.registered(8).starters(8).refund(4);
        long long win = 0;
        for (int h = 1; h <= 8; ++h) {
            race.votes(layout::winVotes(h), 1000 * h);
            win += 1000 * h;
        }
        race.votes(layout::kWinTotal, win);
        test::H6Record trifecta(test::raceKey("20150606", "05", 1));
        trifecta.registered(8).starters(8).saleFlag('7').refund(4).total(1'000'000);
        for (int n = 1; n <= pools::pool(Pool::Trifecta).entries; ++n)
            if (const pools::EntryRunners r = pools::entryRunners(Pool::Trifecta, n); std::max({r[0], r[1], r[2]}) <= 8)
                trifecta.entry(n, 1000);
        test::H1Record other(test::raceKey("20150606", "05", 2));
        other.registered(8).starters(8);
        data.writeRaces(kDay, {test::RaRecord(test::raceKey("20150606", "05", 1)),
                               test::RaRecord(test::raceKey("20150606", "05", 2))});
        data.writeVotes(kDay, {race.bytes(), other.bytes()});
        data.writeTrifecta(kDay, {trifecta.bytes()});
    }

    test::CliOutcome run(const QStringList& args) { return test::runCli(data.path(), args); }

    const QString kDay = QStringLiteral("2015年06月06日");
    test::DataFolder data;
};

}  // namespace

TEST_F(TrifectaCli, BoardInJsonTextAndCsvWithItsSimulations)
{
    test::CliOutcome r = run({"trifecta", "2015-06-06", "1", "--odds", "1-2-3:900.0", "--json"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QJsonObject json = r.json();
    EXPECT_EQ(json["pool"].toString(), "trifecta");
    EXPECT_EQ(json["rate"].toDouble(), 0.725);
    EXPECT_EQ(json["total"].toInteger(), 1'000'000);
    EXPECT_EQ(json["entries"].toArray().size(), 8 * 7 * 6);
    // 0.725 x 1,000,000 / 1,000; 1-2-3 loses the 194 votes that bring it
    // nearest below 900, the others the same votes of the pool only.
    EXPECT_EQ(json["excess"].toInteger(), 19'400);
    EXPECT_EQ(json["virtual_total"].toInteger(), 1'000'000 - 194);
    EXPECT_EQ(json["entries"][0].toObject(),
              QJsonObject(
                  {{"bet", "1-2-3"}, {"votes", 1000}, {"odds", 725.0}, {"virtual_odds", 899.3}, {"refunded", false}}));
    EXPECT_TRUE(json["entries"][1]["refunded"].toBool()) << "1-2-4";
    EXPECT_TRUE(json["entries"][1]["odds"].isNull());
    EXPECT_EQ(json["entries"][2]["virtual_odds"].toDouble(), 724.8) << "1-2-5, cut to 10 yen";

    r = run({"trifecta", "2015-06-06", "1", "--stake", "8-7-6:100000"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.lines()[0], "2015/06/06 東京 01R");
    EXPECT_EQ(r.lines()[1],
              "3連単合計票数：  1,000,000\t3連単合計票数(仮想)：  1,001,000\t過剰投票金額(仮想)：    100,000円");
    EXPECT_EQ(r.lines()[2], "1-2-3\t      1,000\t 725.0\t      1,000\t 725.7");
    EXPECT_EQ(r.lines().last(), "8-7-6\t      1,000\t 725.0\t      2,000\t 362.8");

    r = run({"trifecta", "2015-06-06", "2", "--csv"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("組番,馬番1,馬番2,馬番3,票数,オッズ,票数(仮想),オッズ(仮想)\r\n"))
        << "no record: no entry in the field";
    r = run({"trifecta", "2015-06-06", "1", "--csv"});
    EXPECT_TRUE(r.out.contains(QStringLiteral("\r\n1-2-3,1,2,3,1000,725.0,,\r\n1-2-4,1,2,4,1000,返還,,\r\n")))
        << r.out.toStdString();
}

TEST_F(TrifectaCli, ReferenceValueAndAdvisorTakeTheEighthPool)
{
    test::CliOutcome r = run({"reference", "2015-06-06", "1"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.lines().contains(QStringLiteral("3連単合計票数：  1,000,000")));
    r = run({"reference", "2015-06-06", "2", "--json"});
    EXPECT_EQ(r.json()["totals"].toObject()["trifecta"].toString(), "") << "blank without its record";

    // Every trifecta pays 725.0: the best is the likeliest order, 8-7-6, by
    // Harville over the win pool's view (runner 4 refunded).
    r = run({"value", "2015-06-06", "1", "--pool", "trifecta", "--model", "harville", "--top", "2", "--json"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QJsonObject best = r.json()["bets"][0].toObject();
    const double sum = 32'000, a = 8000 / sum, b = 7000 / sum, c = 6000 / sum;
    EXPECT_EQ(best["pool"].toString(), "trifecta");
    EXPECT_EQ(best["bet"].toString(), "8-7-6");
    EXPECT_EQ(best["odds"].toDouble(), 725.0);
    EXPECT_NEAR(best["model_prob"].toDouble(), a * b / (1 - a) * c / (1 - a - b), 1e-12);
    EXPECT_EQ(r.json()["bets"][1]["bet"].toString(), "7-8-6");

    r = run({"advise", "2015-06-06", "1", "--trifecta", "8-7-6", "--prob", "0.01", "--json"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.json()["bet"].toString(), "3連単 8-7-6");
    EXPECT_EQ(r.json()["odds_now"].toDouble(), 725.0);

    // A race without a trifecta record refuses the simulation as a pool not sold.
    r = run({"trifecta", "2015-06-06", "2", "--stake", "1-2-3:100"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, sim::refusalMessage(sim::SimResult::NotSold) + u'\n');

    const std::pair<QStringList, const char*> refused[] = {
        {{"trifecta", "2015-06-06", "1", "--stake", "1-1-2:100"}, "は3連単の組番ではありません"},
        {{"trifecta", "2015-06-06", "1", "--stake", "1-2-9:100"}, "登録されていない馬を含みます"},
        {{"dutch", "2015-06-06", "1", "--trifecta", "1-2-3,3-2-4", "--total", "1000"}, "返還"},
        {{"curve", "2015-06-06", "2", "--trifecta", "1-2-3"}, "発売"},
    };
    for (const auto& [args, message] : refused) {
        r = run(args);
        EXPECT_EQ(r.code, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(message))) << r.err.toStdString();
    }
}
