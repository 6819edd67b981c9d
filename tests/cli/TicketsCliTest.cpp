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
class TicketsCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::H1Record race(test::raceKey("20150606", "05", 1));
        race.registered(8).starters(8).refund(4);
        long long win = 0;
        for (int h = 1; h <= 8; ++h) {
            race.votes(layout::winVotes(h), h == 4 ? 0 : 1000 * h);
            win += h == 4 ? 0 : 1000 * h;
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

    test::CliOutcome run(const QStringList& args, const char* race = "1")
    {
        return test::runCli(data.path(), QStringList{"tickets", "2015-06-06", race} + args);
    }

    const QString kDay = QStringLiteral("2015年06月06日");
    test::DataFolder data;
};

}  // namespace

// A formation of 1 and 2 first, 1, 2, 3 and 4 second, 1 to 6 third makes 24
// tickets; 4 is scratched, so 1-2-x, 2-1-x (x of 3, 5, 6), 1-3-x and 2-3-x
// (x of 5, 6 and the other of 1, 2): 12 tickets, the 12 naming 4 left out.
TEST_F(TicketsCli, FormationInJsonTextAndCsv)
{
    const QStringList args{"--pool",  "trifecta", "--formation", "1,2/1,2,3,4/1,2,3,4,5,6",
                           "--total", "10000",    "--split",     "payout",
                           "--prob",  "model"};
    test::CliOutcome r = run(args + QStringList{"--json"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QJsonObject json = r.json();
    EXPECT_EQ(json["pool"].toString(), "trifecta");
    EXPECT_EQ(json["form"].toObject()["kind"].toString(), "formation");
    EXPECT_EQ(json["form"].toObject()["places"].toArray()[1].toArray().size(), 4);
    EXPECT_EQ(json["split"].toString(), "payout");
    EXPECT_EQ(json["total"].toInteger(), 10'000);
    EXPECT_EQ(json["model"].toString(), "discounted");
    const QJsonArray tickets = json["tickets"].toArray();
    ASSERT_EQ(tickets.size(), 12);
    EXPECT_EQ(json["left_out"].toArray().size(), 12);
    EXPECT_EQ(tickets[0].toObject().keys(),
              (QStringList{"bet", "net", "odds_after", "odds_now", "payout", "stake", "torigami"}));
    EXPECT_EQ(tickets[0].toObject()["bet"].toString(), "1-2-3");
    EXPECT_EQ(tickets[0].toObject()["odds_now"].toDouble(), 725.0);
    long long stakes = 0;
    for (const QJsonValue& t : tickets) {
        stakes += t.toObject()["stake"].toInteger();
        EXPECT_EQ(t.toObject()["net"].toInteger(), t.toObject()["payout"].toInteger() - 10'000);
        EXPECT_LT(t.toObject()["odds_after"].toDouble(), t.toObject()["odds_now"].toDouble());
    }
    EXPECT_EQ(stakes, 10'000);
    for (const char* key : {"combined_odds", "combined_odds_now", "hit_chance", "expected_return"})
        EXPECT_GT(json[key].toDouble(), 0) << key;

    r = run(args);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList lines = r.lines();
    EXPECT_EQ(
        lines[1],
        "3連単 フォーメーション 1着 1,2 / 2着 1,2,3,4 / 3着 1,2,3,4,5,6\t払戻金をそろえる（均等買い）\t割引ハーヴィル");
    EXPECT_TRUE(lines[2].startsWith("買い目\t賭け金\t現在オッズ\t購入後オッズ\t")) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].startsWith("1-2-3\t")) << lines[3].toStdString();
    EXPECT_TRUE(r.out.contains("\n点数\t12点\t\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("出走取消・競走除外（返還）の4番を含む12点は買いません")) << r.out.toStdString();

    r = run(args + QStringList{"--csv"});
    ASSERT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.startsWith("買い目,馬番1,馬番2,馬番3,賭け金,現在オッズ,購入後オッズ,現在の払戻金,払戻金,収支,"
                                 "トリガミ,モデル確率\r\n1-2-3,1,2,3,"))
        << r.out.left(120).toStdString();
    EXPECT_EQ(r.out.count("\r\n"), 13);
}

TEST_F(TicketsCli, BadInputExitsWithTwoARefusalWithOne)
{
    const struct {
        QStringList args;
        const char* race;
        int code;
        const char* message;
    } cases[] = {
        {{"--pool", "trifecta", "--total", "1000"}, "1", 2, "--list、--box、--pivot、--formation のどれか1つ"},
        {{"--pool", "trifecta", "--box", "1,2,3", "--list", "1-2-3", "--total", "1000"}, "1", 2, "どれか1つ"},
        {{"--pool", "trifecta", "--box", "1,2,3", "--with", "5", "--total", "1000"}, "1", 2, "--pivot のときだけ"},
        {{"--pool", "trifecta", "--pivot", "1", "--total", "1000"}, "1", 2, "--with H,H"},
        {{"--pool", "trifecta", "--formation", "1/2", "--total", "1000"}, "1", 2, "3頭分の馬を / で区切って"},
        {{"--pool", "trifecta", "--box", "1,2,2", "--total", "1000"}, "1", 2, "ボックスに2番が2回"},
        {{"--pool", "trifecta", "--pivot", "1", "--with", "1,2,3", "--total", "1000"}, "1", 2, "1番が軸と相手の両方"},
        {{"--pool", "trifecta", "--box", "1,2,3", "--total", "500"}, "1", 2, "600円以上が必要"},
        {{"--pool", "trifecta", "--box", "1,2,3", "--total", "1000", "--target", "5000"}, "1", 2, "どちらか1つ"},
        {{"--pool", "trifecta", "--box", "1,2,3", "--target", "5000", "--split", "equal"},
         "1",
         2,
         "--split は使えません"},
        {{"--pool", "trifecta", "--box", "1,2,3", "--total", "1000", "--split", "even"},
         "1",
         2,
         "equal、payout、kelly"},
        {{"--pool", "trifecta", "--box", "1,2,3", "--total", "1000", "--split", "kelly"}, "1", 2, "モデル確率が必要"},
        {{"--pool", "trifecta", "--box", "1,2,3", "--total", "1000", "--bankroll", "5000"},
         "1",
         2,
         "--split kelly のとき"},
        {{"--pool", "trifecta", "--box", "1,2,3", "--total", "1000", "--prob", "0.2"}, "1", 2, "model"},
        {{"--pool", "bracket", "--list", "1-2", "--total", "1000"}, "1", 2, "枠連は買い目の組み立てに対応していません"},
        {{"--pool", "trifecta", "--box", "1,2,9", "--total", "1000"},
         "1",
         2,
         "9番の馬はこのレースに登録されていません"},
        {{"--pool", "trifecta", "--pivot", "4", "--with", "1,2", "--total", "1000"}, "1", 1, "4番を含むため"},
        {{"--pool", "trifecta", "--box", "1,2,3", "--total", "1000"}, "2", 1, "3連単の発売がありません"},
    };
    for (const auto& c : cases) {
        const test::CliOutcome r = run(c.args, c.race);
        EXPECT_EQ(r.code, c.code) << c.args.join(' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
}
