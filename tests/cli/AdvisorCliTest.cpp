#include "support/RaceFixture.h"
#include "support/cli/CliRunner.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace tavek;

namespace {

// Race 1: the win example (horse 1 with 100,000 of 1,000,000 votes, odds 8.0),
// horse 2 scratched, pair 1-2 with 32,000 of 1,000,000 quinella votes and pair
// 1-3 blank.
class AdvisorCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QByteArray key = test::raceKey("20050416", "05", 1);
        data.writeRaces(kDay, {test::RaRecord(key)});
        data.writeVotes(kDay, {test::exampleWinRace(key)
                                   .refund(2)
                                   .win(2, 0)
                                   .quinellaTotal(1'000'000)
                                   .quinella(1, 32'000)
                                   .quinella(2, -1)
                                   .bytes()});
    }

    using Outcome = test::CliOutcome;
    // The command args[0] on race 1 of the day, with the rest of `args`.
    Outcome run(const QStringList& args)
    {
        return test::runCli(data.path(), QStringList{args[0], "2005-04-16", "1"} + args.mid(1));
    }

    const QString kDay = QStringLiteral("2005年04月16日");
    test::DataFolder data;
};

}  // namespace

TEST_F(AdvisorCli, AdviseGivesTheThreeStakes)
{
    Outcome r = run({"advise", "--win", "1", "--prob", "0.15", "--bankroll", "3000000", "--kelly", "0.5", "--json"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QJsonObject json = r.json();
    EXPECT_EQ(json["bet"].toString(), "単勝 1");
    EXPECT_EQ(json["pool"].toInteger(), 1'000'000);
    EXPECT_EQ(json["votes"].toInteger(), 100'000);
    EXPECT_EQ(json["rate"].toDouble(), 0.8);
    EXPECT_EQ(json["odds_now"].toDouble(), 8.0);
    EXPECT_EQ(json["prob"].toDouble(), 0.15);
    EXPECT_EQ(json["bankroll"].toInteger(), 3'000'000);
    EXPECT_EQ(json["max_ev_stake"].toInteger(), 1'076'900);
    EXPECT_EQ(json["max_ev"].toInteger(), 102'306);
    EXPECT_EQ(json["odds_at_max_ev"].toDouble(), 7.3);
    EXPECT_EQ(json["break_even_stake"].toInteger(), 2'203'300);
    EXPECT_EQ(json["kelly_stake"].toInteger(), 40'200);
    EXPECT_EQ(json["odds_at_kelly"].toDouble(), 7.9);

    r = run({"advise", "--quinella", "1-2", "--prob", "0.05"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("馬連 1-2\t合計票数 1,000,000票\t票数 32,000票\t払戻率 0.75\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("現在のオッズ 23.4\t適正オッズ 20.00\n"));
}

TEST_F(AdvisorCli, BadArgumentsExitWithTwo)
{
    struct Case {
        QStringList args;
        const char* message;
    };
    const Case cases[] = {
        {{"advise", "--win", "1", "--prob", "1"}, "的中確率は0より大きく1より小さい"},
        {{"advise", "--win", "1", "--prob", "0"}, "的中確率"},
        {{"advise", "--win", "1"}, "--prob P を指定してください"},
        {{"advise", "--win", "1", "--prob", "0.3", "--model", "harville"}, "--model は --prob model のときだけ"},
        {{"advise", "--win", "2", "--prob", "0.5"}, "取消"},
        {{"advise", "--quinella", "1-3", "--prob", "0.5"}, "空欄"},
        {{"advise", "--quinella", "2-1", "--prob", "0.5"}, "馬連の組番ではありません"},
        {{"advise", "--win", "1", "--quinella", "1-2", "--prob", "0.5"}, "どれか1つだけ"},
        {{"advise", "--win", "1", "--prob", "0.5", "--kelly", "2"}, "ケリー係数"},
        {{"advise", "--win", "1", "--prob", "0.5", "--bankroll", "50"}, "資金"},
        {{"curve", "--win", "1", "--step", "150"}, "--stepは100円単位"},
        {{"curve", "--win", "1", "--to", "999"}, "--toは100円単位"},
        {{"dutch", "--win", "1,3", "--total", "1050"}, "--totalは100円単位"},
        {{"dutch", "--win", "1,3,1", "--total", "1000"}, "単勝 1 が2回"},
        {{"dutch", "--win", "1,2", "--total", "1000"}, "取消"},
    };
    for (const Case& c : cases) {
        const Outcome r = run(c.args);
        EXPECT_EQ(r.code, 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
        EXPECT_EQ(r.err.count(u'\n'), 1) << "one line";
    }
}

TEST_F(AdvisorCli, CurveStepsFromZeroToTheEnd)
{
    Outcome r = run({"curve", "--win", "1", "--json"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QJsonArray points = r.json()["points"].toArray();
    ASSERT_EQ(points.size(), 101);
    EXPECT_EQ(points[0].toObject(), QJsonObject({{"stake", 0}, {"odds", 8.0}, {"display", "      8.0"}}));
    EXPECT_EQ(points[100].toObject()["stake"].toInteger(), 1'000'000);

    r = run({"curve", "--quinella", "1-2", "--to", "1000000", "--step", "1000000", "--json"});
    ASSERT_EQ(r.code, 0);
    // The tab shows 1,010,000 x 0.75 / 42,000 = 18.04 as 18.0; the payout rule pays 18.0 too.
    EXPECT_EQ(r.json()["points"].toArray()[1].toObject(),
              QJsonObject({{"stake", 1'000'000}, {"odds", 18.0}, {"display", "  18.0"}}));
}

TEST_F(AdvisorCli, DutchSpreadsTheTotal)
{
    const Outcome r = run({"dutch", "--win", "1,3", "--total", "1000", "--json"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QJsonArray tickets = r.json()["tickets"].toArray();
    ASSERT_EQ(tickets.size(), 2);
    EXPECT_EQ(tickets[0].toObject(), QJsonObject({{"bet", "単勝 1"}, {"stake", 500}, {"odds", 7.9}, {"return", 3950}}))
        << "1,000,010 x 0.8 / 100,005 = 7.9996 is paid as 7.9";
    EXPECT_EQ(tickets[1].toObject()["stake"].toInteger(), 500);
    EXPECT_EQ(r.json()["min_return"].toInteger(), 3950);
}
