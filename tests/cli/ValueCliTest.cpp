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
// pool of 1,000 votes on every pair of the field.
class ValueCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QByteArray key = test::raceKey("20050416", "05", 1);
        record = exampleRaceWithQuinellas(key).bytes();
        data.writeRaces(kDay, {test::RaRecord(key)});
        data.writeVotes(kDay, {record});
    }

    test::CliOutcome run(const QStringList& args)
    {
        return test::runCli(data.path(), QStringList{args[0], "2005-04-16", "1"} + args.mid(1));
    }

    const QString kDay = QStringLiteral("2005年04月16日");
    test::DataFolder data;
    QByteArray record;
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
