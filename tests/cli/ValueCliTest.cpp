#include "pools/PairIndex.h"
#include "support/RaceFixture.h"
#include "support/SampleRace.h"
#include "support/cli/CliRunner.h"
#include "value/model/BetValue.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace tavek;

namespace {

// Race 1: the win example (10 runners, horse 2 scratched) with a quinella
// pool of 1,000 votes on every pair of the field. Race 2: the same with no
// win votes on horse 3; race 3 with none at all.
class ValueCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        QList<QByteArray> races, votes;
        for (int race = 1; race <= 3; ++race) {
            const QByteArray key = test::raceKey("20050416", "05", race);
            test::H1Record r = exampleRaceWithQuinellas(key);
            if (race == 2)
                r.win(3, 0).winTotal(900'000);
            for (int h = 1; race == 3 && h <= 10; ++h)
                r.win(h, 0).winTotal(0);
            races.append(test::RaRecord(key));
            votes.append(r.bytes());
        }
        record = votes[0];
        noWinVotes = votes[2];
        data.writeRaces(kDay, races);
        data.writeVotes(kDay, votes);
    }

    test::CliOutcome run(const QStringList& args)
    {
        return test::runCli(data.path(), QStringList{args[0], "2005-04-16", "1"} + args.mid(1));
    }

    const QString kDay = QStringLiteral("2005年04月16日");
    test::DataFolder data;
    QByteArray record, noWinVotes;
};

}  // namespace

TEST_F(ValueCli, RanksTheModelsBetsAsAsked)
{
    const struct {
        QStringList args;
        finish::Model model;
        std::optional<pools::Pool> pool;
        int top;
    } cases[] = {{{"value", "--json"}, finish::Model::Discounted, std::nullopt, 20},
                 {{"value", "--pool", "quinella", "--model", "harville", "--top", "3", "--json"},
                  finish::Model::Harville,
                  pools::Pool::Quinella,
                  3}};
    for (const auto& c : cases) {
        const test::CliOutcome r = run(c.args);
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        const QJsonObject json = r.json();
        EXPECT_EQ(json["model"].toString(), finish::modelKey(c.model));
        const std::vector<value::BetValue> want = value::rankedValues(value::betValues(record, c.model), c.pool, c.top);
        const QJsonArray bets = json["bets"].toArray();
        ASSERT_EQ(bets.size(), qsizetype(want.size()));
        for (qsizetype i = 0; i < bets.size(); ++i) {
            const QJsonObject b = bets[i].toObject();
            const value::BetValue& v = want[size_t(i)];
            EXPECT_EQ(b["pool"].toString(), QLatin1String(pools::pool(v.pool).key));
            EXPECT_EQ(b["bet"].toString(), value::valueBetLabel(v.pool, v.number));
            EXPECT_EQ(b["odds"].toDouble(), double(v.oddsLow) / 10);
            EXPECT_EQ(b["model_prob"].toDouble(), v.chance);
            EXPECT_EQ(b["expected_return"].toDouble(), v.expectedReturn);
            EXPECT_EQ(b["market_share"].toDouble(), v.share);
        }
    }
}

TEST_F(ValueCli, RefusesUnknownPoolsModelsAndCounts)
{
    for (const QStringList& args : {QStringList{"value", "--pool", "show"}, QStringList{"value", "--model", "plain"},
                                    QStringList{"value", "--top", "0"}})
        EXPECT_EQ(run(args).code, 2) << args.join(' ').toStdString();
}

// advise --prob model takes the chance the win pool's view gives the bet.
TEST_F(ValueCli, AdviseTakesTheModelsChance)
{
    const test::CliOutcome r = run({"advise", "--quinella", "1-3", "--prob", "model", "--model", "harville", "--json"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const std::optional<value::BetValue> v = value::findValue(value::betValues(record, finish::Model::Harville),
                                                              pools::Pool::Quinella,
                                                              pools::pairIndexOf(pools::PairKind::Quinella, 1, 3));
    ASSERT_TRUE(v);
    EXPECT_NEAR(r.json()["prob"].toDouble(), v->chance, 5e-7);
}

// Where the win pool gives no view of the race, or the model gives the bet a
// chance of 0, the model's chance is refused in words: no ranking of zeros,
// no call for a P nobody typed.
TEST_F(ValueCli, AMarketWithoutAViewIsSaid)
{
    const QString none = value::noViewReason(noWinVotes);
    ASSERT_FALSE(none.isEmpty());
    const std::pair<QStringList, QString> cases[] = {
        {{"value", "3"}, none},
        {{"advise", "3", "--quinella", "1-3", "--prob", "model"}, none},
        {{"advise", "2", "--quinella", "1-3", "--prob", "model", "--model", "harville"},
         QStringLiteral("馬連 1-3 のモデル確率は 0.00% で、的中確率（0より大きく1より小さい数）には使えません。")},
    };
    for (const auto& [args, message] : cases) {
        const test::CliOutcome r = test::runCli(data.path(), QStringList{args[0], "2005-04-16"} + args.mid(1));
        EXPECT_EQ(r.code, 2) << args.join(' ').toStdString();
        EXPECT_EQ(r.err, QStringLiteral("tavek-cli: ") + message + u'\n');
    }
}
