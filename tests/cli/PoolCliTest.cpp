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

// Race 1: 8 runners and starters, runner 4 refunded; each pool of 100,000
// votes with 1,000 on every entry but those set below. Race 2: 4 starters,
// where place is not sold.
class PoolCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::H1Record race(test::raceKey("20150606", "05", 1));
        race.registered(8).starters(8).refund(4);
        for (Pool pool : {Pool::Place, Pool::Wide, Pool::Exacta, Pool::Trio}) {
            const pools::VotePool& p = pools::pool(pool);
            race.votes(p.total, 100'000);
            for (int n = 1; n <= p.entries; ++n)
                race.votes(p.votes(n), 1'000);
        }
        race.votes(layout::kPlacePool.votes(1), 40'000).votes(layout::kExactaPool.votes(2), -1);
        test::H1Record small(test::raceKey("20150606", "05", 2));
        small.registered(4).starters(4).votes(layout::kPlaceTotal, 1000).votes(layout::kPlacePool.votes(1), 100);
        data.writeRaces(kDay, {test::RaRecord(test::raceKey("20150606", "05", 1)),
                               test::RaRecord(test::raceKey("20150606", "05", 2))});
        data.writeVotes(kDay, {race.bytes(), small.bytes()});
    }

    test::CliOutcome run(const QStringList& args) { return test::runCli(data.path(), args); }

    const QString kDay = QStringLiteral("2015年06月06日");
    test::DataFolder data;
};

}  // namespace

TEST_F(PoolCli, PlaceAndWideGiveRangesAndTheirVirtualEnds)
{
    test::CliOutcome r = run({"place", "2015-06-06", "1", "--stake", "1:1000000", "--json"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    QJsonObject json = r.json();
    EXPECT_EQ(json["pool"].toString(), "place");
    EXPECT_EQ(json["rate"].toDouble(), 0.8);
    EXPECT_EQ(json["winners"].toInt(), 3);
    EXPECT_EQ(json["total"].toInteger(), 100'000);
    EXPECT_EQ(json["virtual_total"].toInteger(), 110'000);
    EXPECT_EQ(json["entries"].toArray().size(), 8);
    // Runner 2 with 1,000 of 100,000 votes places beside runner 1 (40,000) or
    // two others (1,000 each): 0.8 (3 W + D) / 3 W, cut to 0.1. Runner 1's
    // stake leaves the lower end and raises the upper.
    EXPECT_EQ(json["entries"][1].toObject(), QJsonObject({{"bet", "2"},
                                                          {"votes", 1000},
                                                          {"odds_min", 16.2},
                                                          {"odds_max", 26.6},
                                                          {"virtual_odds_min", 16.2},
                                                          {"virtual_odds_max", 29.3},
                                                          {"refunded", false}}));
    EXPECT_TRUE(json["entries"][3]["refunded"].toBool());
    EXPECT_TRUE(json["entries"][3]["odds_min"].isNull());

    r = run({"wide", "2015-06-06", "1", "--json"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    json = r.json();
    EXPECT_EQ(json["rate"].toDouble(), 0.775);
    EXPECT_EQ(json["entries"].toArray().size(), 28);
    EXPECT_EQ(json["entries"][0]["bet"].toString(), "1-2");
    EXPECT_TRUE(json["virtual_total"].isNull());
    EXPECT_FALSE(json.contains("winners"));
}

TEST_F(PoolCli, ExactaAndTrioGiveOneOddsAndTakeOddsSimulations)
{
    test::CliOutcome r = run({"exacta", "2015-06-06", "1", "--odds", "1-5:90.0", "--json"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    QJsonObject json = r.json();
    EXPECT_EQ(json["entries"].toArray().size(), 56);
    EXPECT_EQ(
        json["entries"][0].toObject(),
        QJsonObject({{"bet", "1-2"}, {"votes", 1000}, {"odds", 75.0}, {"virtual_odds", 74.8}, {"refunded", false}}));
    EXPECT_TRUE(json["entries"][1]["votes"].isNull()) << "a blank field";
    EXPECT_EQ(json["entries"][3]["virtual_odds"].toDouble(), 89.9) << "cut to 10 yen";
    EXPECT_GT(json["excess"].toInteger(), 0);
    EXPECT_EQ(json["result"].toString(), "accepted");

    r = run({"trio", "2015-06-06", "1", "--stake", "1-2-3:0"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.lines().size(), 2 + 56);
    EXPECT_EQ(r.lines()[2], "1-2-3\t      1,000\t  75.0\t      1,000\t  75.0");

    r = run({"trio", "2015-06-06", "1", "--odds", "1-2-3:50.0"});
    EXPECT_EQ(r.code, 1) << "odds below the ones now";
    EXPECT_TRUE(r.err.contains(u"75.0"));
    r = run({"trio", "2015-06-06", "1", "--csv"});
    EXPECT_TRUE(r.out.startsWith(
        QStringLiteral("組番,馬番1,馬番2,馬番3,票数,オッズ,票数(仮想),オッズ(仮想)\r\n1-2-3,1,2,3,1000,75.0,,")))
        << r.out.toStdString();
}

TEST_F(PoolCli, AdvisorCountsTheLowerEndOfPlaceAndWide)
{
    test::CliOutcome r = run({"advise", "2015-06-06", "1", "--place", "2", "--prob", "0.1", "--json"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.json()["bet"].toString(), "複勝 2");
    EXPECT_EQ(r.json()["odds_now"].toDouble(), 16.2);
    EXPECT_EQ(r.json()["odds_max_now"].toDouble(), 26.6);
    r = run({"advise", "2015-06-06", "1", "--trio", "1-2-3", "--prob", "0.1", "--json"});
    EXPECT_EQ(r.json()["odds_now"].toDouble(), 75.0);
    EXPECT_FALSE(r.json().contains("odds_max_now"));
}

// A simulation the board itself refuses (a refunded runner, a pool not
// sold, blank votes) takes the win tab's path on every board: its output,
// then the window's words, exit 1.
TEST_F(PoolCli, EveryBoardRefusesAsTheWinTabDoes)
{
    const std::pair<QStringList, sim::SimResult> cases[] = {
        {{"win", "1", "--stake", "4:100"}, sim::SimResult::Refunded},
        {{"quinella", "1", "--stake", "1-4:100"}, sim::SimResult::Refunded},
        {{"place", "1", "--stake", "4:100"}, sim::SimResult::Refunded},
        {{"wide", "1", "--stake", "2-4:100"}, sim::SimResult::Refunded},
        {{"exacta", "1", "--odds", "4-1:90.0"}, sim::SimResult::Refunded},
        {{"trio", "1", "--stake", "1-2-4:100"}, sim::SimResult::Refunded},
        {{"place", "2", "--stake", "1:100"}, sim::SimResult::NotSold},
        {{"exacta", "1", "--stake", "1-3:100"}, sim::SimResult::NoVotes},
    };
    for (const auto& [args, refusal] : cases) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const test::CliOutcome r = run(QStringList{args[0], "2015-06-06"} + args.mid(1) + QStringList{"--json"});
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.json()["result"].toString(), QLatin1String(sim::simResultName(refusal)));
        EXPECT_EQ(r.err, sim::refusalMessage(refusal) + u'\n');
    }
}

TEST_F(PoolCli, BadBetsExitWithTwo)
{
    const std::pair<QStringList, const char*> cases[] = {
        {{"exacta", "2015-06-06", "1", "--stake", "3-3:100"}, "は馬単の組番ではありません"},
        {{"wide", "2015-06-06", "1", "--stake", "3-2:100"}, "はワイドの組番ではありません"},
        {{"trio", "2015-06-06", "1", "--stake", "1-2:100"}, "は3連複の組番ではありません"},
        {{"trio", "2015-06-06", "1", "--stake", "1-2-9:100"}, "登録されていない馬を含みます"},
        {{"wide", "2015-06-06", "1", "--odds", "1-2:9.0"}, "馬単・3連複・3連単だけ"},
        {{"exacta", "2015-06-06", "1", "--odds", "1-2:0"}, "馬単 1-2 のオッズ 0：１倍よりも大きい"},
        {{"advise", "2015-06-06", "1", "--exacta", "2-2", "--prob", "0.1"}, "は馬単の組番ではありません"},
        {{"advise", "2015-06-06", "2", "--place", "1", "--prob", "0.1"}, "発売"},
        {{"dutch", "2015-06-06", "1", "--trio", "1-2-3,2-3-4", "--total", "1000"}, "返還"},
    };
    for (const auto& [args, message] : cases) {
        const test::CliOutcome r = run(args);
        EXPECT_EQ(r.code, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(message))) << r.err.toStdString();
        EXPECT_EQ(r.err.count(u'\n'), 1);
    }
}
