#include "odds/model/PairBoard.h"
#include "odds/model/ReferenceSheet.h"
#include "racedata/NumberFormat.h"
#include "support/RaceFixture.h"
#include "support/SampleRace.h"
#include "support/cli/CliRunner.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace tavek;

namespace {

// Race 1: the quinella worked example (1,000,000 votes, pair 1-2 32,000, pair
// 1-3 without votes) with bracket pair 2-2 at 6,000 of 200,000; race 2: the
// 18-runner sample race after the 2014 rate change.
class PairCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::H1Record example(test::raceKey("20050416", "05", 1));
        example.registered(18)
            .starters(18)
            .quinellaTotal(1000000)
            .quinella(1, 32000)
            .quinella(2, 0)
            .bracketTotal(200000)
            .bracket(9, 6000);
        data.writeRaces(kDay, {test::RaRecord(test::raceKey("20050416", "05", 1)),
                               test::RaRecord(test::raceKey("20050416", "05", 11))});
        data.writeVotes(kDay, {example.bytes(), sampleRace18("20050416").bytes()});
        data.writeRaces(kLaterDay, {test::RaRecord(test::raceKey("20150606", "05", 11))});
        data.writeVotes(kLaterDay, {sampleRace18("20150606").bytes()});
    }

    using Outcome = test::CliOutcome;
    Outcome run(const QStringList& args) { return test::runCli(data.path(), args); }

    const QString kDay = QStringLiteral("2005年04月16日");
    const QString kLaterDay = QStringLiteral("2015年06月06日");
    test::DataFolder data;
};

QJsonObject pair(const QJsonObject& json, int k)
{
    return json["pairs"].toArray()[k - 1].toObject();
}

}  // namespace

TEST_F(PairCli, QuinellaTabAsTheRaceSelectionLeavesIt)
{
    const Outcome r = run({"quinella", "2005-04-16", "1", "--json"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QJsonObject json = r.json();
    EXPECT_EQ(json["race"].toString(), "2005/04/16 東京 01R");
    EXPECT_EQ(json["total"].toString(), "  1,000,000");
    EXPECT_EQ(json["virtual_total"].toString(), "");
    EXPECT_EQ(json["excess"].toString(), "");
    EXPECT_EQ(json["pairs"].toArray().size(), 153);
    EXPECT_EQ(pair(json, 1), QJsonObject({{"label", " 1- 2"}, {"real", "  23.4"}, {"virtual", ""}}));
    EXPECT_EQ(pair(json, 153)["label"].toString(), "17-18");
    EXPECT_EQ(json["result"].toString(), "none");
    EXPECT_TRUE(json["message"].isNull());
}

TEST_F(PairCli, StakeAndOddsSimulations)
{
    Outcome r = run({"quinella", "2005-04-16", "1", "--stake", "1-2:1000000", "--json"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(pair(r.json(), 1)["virtual"].toString(), "  18.0");
    EXPECT_EQ(r.json()["virtual_total"].toString(), "  1,010,000");
    EXPECT_EQ(r.json()["excess"].toString(), "  1,000,000円");
    EXPECT_EQ(r.json()["result"].toString(), "accepted");

    r = run({"quinella", "2005-04-16", "1", "--odds", "1-2:25.0", "--json"});
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(pair(r.json(), 1)["virtual"].toString(), "  25.0");
    EXPECT_EQ(r.json()["excess"].toString(), "    206,100円");

    r = run({"quinella", "2005-04-16", "1", "--odds", "1-2:20.0", "--json"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.json()["result"].toString(), "unrealistic");
    EXPECT_EQ(r.json()["message"].toString(), "非現実的な数値が入力されました。");
    EXPECT_EQ(r.err, "非現実的な数値が入力されました。\n");
    EXPECT_EQ(pair(r.json(), 1)["virtual"].toString(), "");

    r = run({"bracket", "2005-04-16", "1", "--stake", "2-2:600000", "--json"});
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(pair(r.json(), 9), QJsonObject({{"label", " 2- 2"}, {"real", "  25.0"}, {"virtual", "  12.9"}}));
}

TEST_F(PairCli, PairsThatNoCellCouldOpenAreRefused)
{
    EXPECT_EQ(run({"quinella", "2005-04-16", "1", "--stake", "2-1:100"}).code, 2);
    const Outcome same = run({"quinella", "2005-04-16", "1", "--stake", "3-3:100"});
    EXPECT_EQ(same.code, 2);
    EXPECT_EQ(same.err, "tavek-cli: \"3-3\" は馬連の組番ではありません（A-B で A < B）\n");
    EXPECT_EQ(run({"quinella", "2005-04-16", "1", "--stake", "1-3:100"}).code, 2);
    EXPECT_EQ(run({"quinella", "2005-04-16", "1", "--odds", "1-2:-5"}).code, 2);
    EXPECT_EQ(run({"bracket", "2005-04-16", "1", "--stake", "2-2"}).code, 2);
    EXPECT_EQ(run({"quinella", "2005-04-16", "1", "--odds", "1-2:1.0"}).err,
              "tavek-cli: 馬連 1-2 のオッズ 1.0：１倍よりも大きい数字を入力してください。\n");
}

TEST_F(PairCli, LaterRacesUseTheRaisedRate)
{
    const QByteArray record = sampleRace18("20150606").bytes();
    int total = -1;
    std::array<int, 153> votes{};
    sim::PairBoard board(pools::PairKind::Quinella);
    board.calculate(record, {total, votes});
    const Outcome r = run({"quinella", "2015-06-06", "1", "--json"});
    ASSERT_EQ(r.code, 0);
    for (int k = 1; k <= 153; ++k)
        ASSERT_EQ(pair(r.json(), k)["real"].toString(), board.real(k).text);
    const int v = record.mid(layout::quinellaVotes(1) - 1, 11).toInt();
    EXPECT_EQ(board.real(1).text, fmt::odds6(static_cast<long double>(total) * 0.775L / v));
}

TEST_F(PairCli, ReferenceTotalsAndLines)
{
    const Outcome r = run({"reference", "2005-04-16", "2", "--json"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const sim::ReferenceSheet sheet = sim::referenceSheet(sampleRace18("20050416").bytes());
    const QJsonObject json = r.json();
    EXPECT_EQ(json["race"].toString(), "2005/04/16 東京 11R");
    EXPECT_EQ(json["totals"].toObject()["trio"].toString(), sheet.totals[size_t(pools::Pool::Trio)]);
    EXPECT_EQ(json["totals"].toObject().size(), 8);
    EXPECT_EQ(json["totals"].toObject()["trifecta"].toString(), "") << "no trifecta record";
    EXPECT_EQ(json["exacta"].toArray().size(), 306);
    EXPECT_EQ(json["exacta"].toArray()[0].toString(), sheet.exacta[0]);
    EXPECT_EQ(json["trio"].toArray()[815].toString(), sheet.trio[815]);
}
