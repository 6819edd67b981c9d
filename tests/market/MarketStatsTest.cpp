#include "market/MarketStats.h"
#include "pools/PoolIndex.h"
#include "racedata/DayFiles.h"
#include "racedata/RecordLayout.h"
#include "support/RaceFixture.h"
#include "support/TestFiles.h"
#include "value/model/BetValue.h"

#include <QFile>
#include <QJsonArray>
#include <gtest/gtest.h>

using namespace tavek;
using market::MarketStats;
using test::H1Record;
using test::raceKey;
using test::RaRecord;

namespace {

// Eight runners, 1,000 win votes: the favourite 400, the least-backed 10;
// the two favourites' quinella 100 of 1,000.
H1Record smallRace(const QByteArray& key, long long scale = 1)
{
    H1Record r(key);
    const long long win[8] = {400, 300, 100, 100, 50, 25, 15, 10};
    r.registered(8).starters(8).winTotal(1000 * scale);
    for (int h = 1; h <= 8; ++h)
        r.win(h, win[h - 1] * scale);
    r.quinella(1, 100 * scale).quinellaTotal(1000 * scale);
    r.votes(layout::kPlaceTotal, 1500 * scale).votes(layout::kBracketTotal, 300 * scale);
    r.votes(layout::kWideTotal, 1100 * scale).votes(layout::kExactaTotal, 900 * scale);
    r.votes(layout::kTrioTotal, 3200 * scale);
    return r;
}

class MarketStatsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QByteArray first = raceKey("20240525", "05", 1), main = raceKey("20240525", "05", 11);
        const QByteArray broken = raceKey("20240525", "08", 1), later = raceKey("20240601", "09", 1);
        data.writeRaces(QStringLiteral("2024年05月25日"),
                        {RaRecord(first).name(QStringLiteral("テスト特別")),
                         RaRecord(main).name(QStringLiteral("東京優駿")), RaRecord(broken)});
        data.writeVotes(
            QStringLiteral("2024年05月25日"),
            {smallRace(first), smallRace(main, 100), H1Record(broken).registered(8).put(layout::kWinTotal, "12x")});
        data.writeRaces(QStringLiteral("2024年06月01日"), {RaRecord(later)});
        data.writeVotes(QStringLiteral("2024年06月01日"), {smallRace(later, 3)});
        data.writeRaces(QStringLiteral("2024年06月02日"), {});  // details without votes: no race
    }
    test::DataFolder data;
};

}  // namespace

TEST_F(MarketStatsTest, FiguresOfTheDayFiles)
{
    const MarketStats s = MarketStats::ofDataFolder(data.path(), {}, {});
    ASSERT_EQ(s.races().size(), 3u);
    EXPECT_EQ(s.courseDays(), 2);
    EXPECT_DOUBLE_EQ(s.meanStarters(), 8.0);
    EXPECT_EQ(s.races().back().date, QDate(2024, 6, 1)) << "the days read apart, joined in their order";
    const market::RaceFigures& r = s.races().front();
    EXPECT_EQ(r.name, QStringLiteral("テスト特別"));
    EXPECT_EQ(r.courseCode, "05");
    EXPECT_DOUBLE_EQ(r.favouriteShare, 0.4);
    EXPECT_DOUBLE_EQ(r.longshotOdds, 80.0);  // 1,000 * 0.8 / 10
    // Harville: 0.4 * 0.3 / 0.6 + 0.3 * 0.4 / 0.7.
    EXPECT_NEAR(r.pairToHarville, 0.1 / (0.2 + 0.12 / 0.7), 1e-12);
    EXPECT_EQ(r.sevenPools(), 9000);

    const auto mix = s.poolMix();
    EXPECT_NEAR(mix[0], 1000.0 / 9000, 1e-12);
    EXPECT_NEAR(mix[6], 3200.0 / 9000, 1e-12);
    // Seven-pool totals 0.9, 2.7 and 90 million yen: quantiles interpolate.
    const market::Quantiles q = s.poolYen(market::kSevenPools);
    EXPECT_DOUBLE_EQ(q.median, 2.7e6);
    EXPECT_DOUBLE_EQ(q.p25, 1.8e6);
    EXPECT_DOUBLE_EQ(q.total, 93.6e6);
    EXPECT_EQ(s.poolYenByNumber(pools::Pool::Win).at(1).median, 200'000);
    EXPECT_EQ(s.poolYenByMonth(market::kSevenPools).size(), 2u);
    EXPECT_EQ(s.largest(1).front().name, QStringLiteral("東京優駿"));

    ASSERT_EQ(s.skipped().size(), 1);
    EXPECT_TRUE(s.skipped()[0].contains(QStringLiteral("2024年05月25日.jvH1")));
    EXPECT_TRUE(s.skipped()[0].contains(QStringLiteral("2024052508")));

    const QJsonObject json = s.toJson();
    EXPECT_EQ(json["races"].toInt(), 3);
    EXPECT_EQ(json["largest"].toArray()[0].toObject()["name"].toString(), QStringLiteral("東京優駿"));
    EXPECT_DOUBLE_EQ(json["favourite_share_by_starters"].toObject()["8"].toDouble(), 0.4);
    EXPECT_EQ(json["course_days"].toInt(), 2);
    EXPECT_TRUE(s.reportLines().join('\n').contains(QStringLiteral("2024-05-25 東京 11R 東京優駿: 9000万")));
}

TEST_F(MarketStatsTest, DateRangeAndRefusedRecords)
{
    EXPECT_EQ(MarketStats::ofDataFolder(data.path(), QDate(2024, 5, 26), {}).races().size(), 1u);
    EXPECT_EQ(MarketStats::ofDataFolder(data.path(), {}, QDate(2024, 5, 31)).races().size(), 2u);
    EXPECT_TRUE(MarketStats::ofDataFolder(data.path(), QDate(2024, 7, 1), {}).races().empty());
    EXPECT_EQ(MarketStats().reportLines(), QStringList{"races: 0"});

    MarketStats s;
    const QByteArray good = smallRace(raceKey());
    EXPECT_FALSE(s.addRace(good.left(layout::kH1Length - 1), {}));  // cut short
    EXPECT_FALSE(s.addRace(QByteArray(good).replace(0, 2, "RA"), {}));
    EXPECT_FALSE(s.addRace(QByteArray(good).replace(layout::winVotes(3) - 1, 3, "x12"), {}));
    EXPECT_TRUE(s.addRace(good, {}));
    EXPECT_TRUE(s.races().front().name.isEmpty());
}

TEST_F(MarketStatsTest, DaysCopiedFromWindowsUnderCp932NamesAreRead)
{
    const QString day = QStringLiteral("2024年06月08日");
    const QByteArray key = raceKey("20240608", "05", 11);
    test::writeFileNamedInCp932(data.path(), day + ".jvRA", RaRecord(key).name(QStringLiteral("安田記念")));
    test::writeFileNamedInCp932(data.path(), day + ".jvH1", smallRace(key, 50));
    const MarketStats s = MarketStats::ofDataFolder(data.path(), QDate(2024, 6, 8), {});
    ASSERT_EQ(s.races().size(), 1u);
    EXPECT_EQ(s.races().front().name, QStringLiteral("安田記念"));
    EXPECT_EQ(s.races().front().sevenPools(), 450'000);
}

// The win pool's view of each pool, over the bets of every race read: the
// three small races have eight runners with win votes and one quinella pair
// with votes (the same shares in each), the broken race none.
TEST_F(MarketStatsTest, ExpectedReturnsPerPoolAndModel)
{
    const MarketStats s = MarketStats::ofDataFolder(data.path(), {}, {});
    const QByteArray one = smallRace(raceKey("20240525", "05", 1)).bytes();
    for (finish::Model model : finish::kModels) {
        const market::ReturnSpread win = s.expectedReturns(model, pools::Pool::Win);
        EXPECT_EQ(win.bets, 24);
        EXPECT_LE(win.p25, win.median);
        EXPECT_LE(win.median, win.p75);
        EXPECT_GT(win.p25, 70) << "the win pool pays back 80 less the odds' rounding down";
        EXPECT_LE(win.p75, 80.0 + market::kReturnStep / 2);

        const market::ReturnSpread pair = s.expectedReturns(model, pools::Pool::Quinella);
        const double want = value::findValue(value::betValues(one, model), pools::Pool::Quinella, 1)->expectedReturn;
        EXPECT_EQ(pair.bets, 3);
        // Counted in steps: within half a step of the bet's own figure.
        EXPECT_NEAR(pair.median, want, market::kReturnStep / 2);
        EXPECT_NEAR(pair.p25, want, market::kReturnStep / 2);
        EXPECT_EQ(s.expectedReturns(model, pools::Pool::Trio).bets, 0) << "no trio entry has votes";

        const QJsonObject json =
            s.toJson()["expected_return"].toObject()[finish::modelKey(model)].toObject()["quinella"].toObject();
        EXPECT_EQ(json["bets"].toInt(), 3);
        EXPECT_NEAR(json["median"].toDouble(), want, market::kReturnStep / 2);
    }
    EXPECT_NE(s.expectedReturns(finish::Model::Harville, pools::Pool::Quinella).median,
              s.expectedReturns(finish::Model::Discounted, pools::Pool::Quinella).median);
    EXPECT_TRUE(s.reportLines().join(u'\n').contains("harville: win ")) << s.reportLines().join(u'\n').toStdString();
}

TEST(MarketStatsTrifecta, TheEighthPoolFromItsOwnFileJoinsTheMixAndTheReturns)
{
    // One race with a trifecta of 1,000 votes, 500 on 1-2-3; a trifecta
    // record whose total is no number counts as none, and its race stays.
    const QByteArray key = raceKey("20240525", "05", 1), other = raceKey("20240525", "05", 2);
    test::DataFolder data;
    data.writeRaces(QStringLiteral("2024年05月25日"), {RaRecord(key), RaRecord(other)});
    data.writeVotes(QStringLiteral("2024年05月25日"), {smallRace(key), smallRace(other)});
    test::H6Record trifecta(key);
    trifecta.registered(8).starters(8).saleFlag('7').total(1000);
    trifecta.entry(pools::entryOf(pools::Pool::Trifecta, 1, 2, 3), 500);
    data.writeTrifecta(QStringLiteral("2024年05月25日"),
                       {trifecta.bytes(), test::H6Record(other).registered(8).starters(8).put(
                                              pools::pool(pools::Pool::Trifecta).total, "12x")});
    const MarketStats s = MarketStats::ofDataFolder(data.path(), {}, {});
    ASSERT_EQ(s.races().size(), 2u);
    EXPECT_EQ(s.races()[0].votes[size_t(pools::Pool::Trifecta)], 1000);
    EXPECT_EQ(s.races()[1].votes[size_t(pools::Pool::Trifecta)], 0);
    EXPECT_EQ(s.races()[0].sevenPools(), 9000) << "the seven pools of the vote-count record";
    EXPECT_NEAR(s.poolMix()[size_t(pools::Pool::Trifecta)], 1000.0 / 19'000, 1e-12);
    EXPECT_EQ(s.expectedReturns(finish::Model::Harville, pools::Pool::Trifecta).bets, 1);
    const QJsonObject json = s.toJson();
    EXPECT_NEAR(json["pool_mix"].toObject()["trifecta"].toDouble(), 1000.0 / 19'000, 1e-12);
    EXPECT_EQ(json["expected_return"].toObject()["harville"].toObject()["trifecta"].toObject()["bets"].toInt(), 1);
    EXPECT_EQ(json["trifecta_pool_yen"].toObject()["total"].toDouble(), 100'000);
}

// The favourite (runner 1 of smallRace) over the races whose payouts tell
// the first three, and every payout of each pool; a damaged payout record
// is named and its race counted without a result.
TEST_F(MarketStatsTest, TheFavouritesFinishAndThePayoutsWhereResultsExist)
{
    const auto finish = [](const QByteArray& key, std::initializer_list<std::pair<const char*, long long>> win,
                           std::initializer_list<std::pair<const char*, long long>> trifecta) {
        test::HrRecord hr(key);
        hr.counts(8, 8);
        int j = 0;
        for (const auto& [runner, yen] : win)
            hr.payout(pools::Pool::Win, j++, runner, yen, 1);
        j = 0;
        for (const auto& [runners, yen] : trifecta)
            hr.payout(pools::Pool::Trifecta, j++, runners, yen, 1);
        return hr.bytes();
    };
    QByteArray damaged = finish(raceKey("20240525", "05", 11), {{"01", 200}}, {});
    damaged.replace(pools::payoutLayout(pools::Pool::Win).yen(0) - 1, 1, "x");
    data.writeResults(QStringLiteral("2024年05月25日"),
                      {finish(raceKey("20240525", "05", 1), {{"01", 200}}, {{"010203", 1000}}),  // won
                       damaged, finish(raceKey("20240525", "08", 1), {{"01", 200}}, {{"010203", 1000}})});
    data.writeResults(QStringLiteral("2024年06月01日"),
                      {finish(raceKey("20240601", "09", 1), {{"02", 300}, {"04", 900}},
                              {{"020401", 5000}, {"040201", 6000}})});  // third behind a dead heat
    const MarketStats s = MarketStats::ofDataFolder(data.path(), {}, {});
    EXPECT_EQ(s.results(), 2) << "the race of the damaged record has none, the broken vote record no race";
    const market::FavouriteRates all = s.favouriteRates();
    EXPECT_EQ(all.races, 2);
    EXPECT_DOUBLE_EQ(all.won, 0.5);
    EXPECT_DOUBLE_EQ(all.placed, 1.0);
    ASSERT_EQ(s.favouriteRatesByStarters().size(), 1u);
    EXPECT_EQ(s.favouriteRatesByStarters().at(8).races, 2);
    const market::PayoutSpread win = s.payouts(pools::Pool::Win);
    EXPECT_EQ(win.payouts, 3);
    EXPECT_DOUBLE_EQ(win.mean, (200 + 300 + 900) / 3.0);
    EXPECT_DOUBLE_EQ(win.median, 300);
    EXPECT_DOUBLE_EQ(s.payouts(pools::Pool::Trifecta).median, 5000);
    EXPECT_EQ(s.payouts(pools::Pool::Place).payouts, 0);
    ASSERT_EQ(s.skippedResults().size(), 1);
    EXPECT_TRUE(s.skippedResults()[0].contains(QStringLiteral("2024年05月25日.jvHR"))
                && s.skippedResults()[0].contains(QStringLiteral("2024052505020811")))
        << s.skippedResults()[0].toStdString();

    const QJsonObject json = s.toJson();
    EXPECT_EQ(json["results"].toInt(), 2);
    EXPECT_DOUBLE_EQ(json["favourite_rates_by_starters"]["8"]["won"].toDouble(), 0.5);
    EXPECT_EQ(json["payout_yen"]["trifecta"].toObject(),
              (QJsonObject{{"payouts", 3}, {"mean", 4000}, {"median", 5000}}));
    EXPECT_TRUE(s.reportLines().join(u'\n').contains(QStringLiteral(
        "favourite won 50.0 %, in the first three 100.0 % (2 races whose payouts tell the first three)")));
    EXPECT_FALSE(MarketStats().reportLines().join(u'\n').contains(QStringLiteral("favourite won")));
}

// The trifecta file has the day load's own size limit: one a byte over it
// stops the statistics with the file named, as the window would not read it.
TEST(MarketStatsTrifecta, AFileOverTheDayFilesLimitIsRefused)
{
    const QString day = QStringLiteral("2024年05月25日");
    const QByteArray key = raceKey("20240525", "05", 1);
    test::DataFolder data;
    data.writeRaces(day, {RaRecord(key)});
    data.writeVotes(day, {smallRace(key)});
    const QString path = dayfiles::trifectaFilePath(data.path(), day);
    test::writeFile(path, {});
    ASSERT_TRUE(QFile::resize(path, dayfiles::maxDayFileBytes("H6") + 1));  // sparse: takes no disk
    try {
        MarketStats::ofDataFolder(data.path(), {}, {});
        FAIL() << "read";
    } catch (const std::runtime_error& e) {
        const QString message = QString::fromStdString(e.what());
        EXPECT_TRUE(message.contains(path) && message.contains(QStringLiteral("大きすぎる"))) << e.what();
    }
}

// Day files whose lines end in LF alone, as an editor may leave them, give
// the figures of the files as stored.
TEST(MarketStatsTrifecta, DayFilesOfLfLineEndsGiveTheSameFigures)
{
    const QString day = QStringLiteral("2024年05月25日");
    const QByteArray key = raceKey("20240525", "05", 1);
    test::H6Record trifecta(key);
    trifecta.registered(8).starters(8).saleFlag('7').total(1000);
    QJsonObject figures[2];
    for (const bool lf : {false, true}) {
        test::DataFolder data;
        for (const QString& path :
             {data.writeRaces(day, {RaRecord(key).name(QStringLiteral("テスト特別"))}),
              data.writeVotes(day, {smallRace(key)}), data.writeTrifecta(day, {trifecta.bytes()})})
            if (lf)
                test::writeFile(path, test::readFile(path).replace("\r\n", "\n"));
        const MarketStats s = MarketStats::ofDataFolder(data.path(), {}, {});
        ASSERT_EQ(s.races().size(), 1u);
        EXPECT_EQ(s.races()[0].votes[size_t(pools::Pool::Trifecta)], 1000) << lf;
        figures[lf] = s.toJson();
    }
    EXPECT_EQ(figures[1], figures[0]);
}
