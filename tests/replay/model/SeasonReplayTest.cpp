// A weekend of the built-in service replayed: each rule's bets, the bankroll
// carried from race to race, a bet list, the moment from the odds history,
// and a replay stopped.
#include "history/OddsHistory.h"
#include "racedata/DayData.h"
#include "racedata/PostTime.h"
#include "replay/model/SeasonReplay.h"
#include "support/RaceFixture.h"
#include "support/cli/BuiltInDays.h"

#include <gtest/gtest.h>

#include <map>

using namespace tavek;
using pools::Pool;
using replay::RuleKind;

namespace {

const QDate kSaturday(2026, 10, 3), kSunday(2026, 10, 4);

class SeasonReplay : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        data = new test::DataFolder;
        test::storeBuiltInDays(data->path(), kSaturday, kSunday);
    }
    static void TearDownTestSuite() { delete data; }

    struct Run {
        std::optional<replay::SeasonReplay> replay;
        std::vector<replay::BetRow> rows;
    };
    static Run run(const replay::Settings& settings, const QString& history = {})
    {
        Run r;
        r.replay = replay::replaySeason(data->path(), kSaturday, kSunday, settings, history,
                                        [&](const replay::BetRow& row) { r.rows.push_back(row); });
        return r;
    }

    static test::DataFolder* data;
};
test::DataFolder* SeasonReplay::data = nullptr;

replay::Settings settingsOf(const QString& rule, const QString& pools, const QString& stake, long long bankroll)
{
    replay::Settings s;
    s.rule = replay::readRule(rule).value;
    s.rule.pools = replay::readPools(pools).value;
    s.stake = replay::readStake(stake).value;
    s.bankroll = bankroll;
    return s;
}

}  // namespace

TEST_F(SeasonReplay, EachRulesBetsAndTheBankrollCarriedFromRaceToRace)
{
    struct Case {
        QString rule, pools, stake;
        long long bankroll;
    };
    const Case cases[] = {
        {"value", "all", "flat:100", 100'000},
        {"value", "all", "kelly:0.25", 100'000},
        {"value", "wide,trifecta", "kelly:1", 3000},
        {"popularity:1", "win", "flat:1000", 100'000},
        {"popularity:all", "win", "flat:100", 1'000'000},
        {"popularity:all", "trio", "flat:100", 20'000},
    };
    for (const Case& c : cases) {
        const QString what = c.rule + u' ' + c.pools + u' ' + c.stake;
        const replay::Settings settings = settingsOf(c.rule, c.pools, c.stake, c.bankroll);
        const Run r = run(settings);
        ASSERT_TRUE(r.replay) << what.toStdString();
        const replay::Report& report = r.replay->report;
        EXPECT_GT(report.races(), 40) << what.toStdString();
        EXPECT_EQ(report.skipped(), 0);
        ASSERT_FALSE(r.rows.empty()) << what.toStdString();
        // Race by race: the stakes within the bankroll before it, the bankroll after it carried on.
        long long before = c.bankroll, staked = 0, returned = 0;
        std::map<QString, int> betsOfRace;
        for (size_t i = 0; i < r.rows.size();) {
            size_t end = i;
            long long raceStakes = 0, racePayouts = 0;
            for (; end < r.rows.size() && r.rows[end].race == r.rows[i].race; ++end) {
                const replay::BetRow& row = r.rows[end];
                EXPECT_TRUE(row.stake > 0 && row.stake % 100 == 0) << what.toStdString();
                EXPECT_TRUE(settings.rule.pools[size_t(row.pool)]) << what.toStdString();
                if (settings.rule.kind == RuleKind::Value) {
                    EXPECT_GE(row.expectedReturn, settings.rule.minReturn) << what.toStdString();
                } else if (settings.rule.popularity > 0) {
                    EXPECT_EQ(row.popularity, settings.rule.popularity) << what.toStdString();
                }
                if (settings.stake.kind == replay::Stake::Flat) {
                    EXPECT_EQ(row.stake, std::min(settings.stake.yen, before - raceStakes) / 100 * 100);
                }
                raceStakes += row.stake;
                racePayouts += row.payout;
            }
            EXPECT_LE(raceStakes, before) << what.toStdString() << " " << r.rows[i].race.toStdString();
            before += racePayouts - raceStakes;
            EXPECT_EQ(r.rows[end - 1].bankrollAfter, before) << what.toStdString();
            if (settings.rule.kind == RuleKind::Value) {
                EXPECT_LE(int(end - i), settings.rule.top);
            }
            staked += raceStakes;
            returned += racePayouts;
            i = end;
        }
        EXPECT_EQ(std::tuple(report.total().bets, report.total().staked, report.total().returned, report.bankroll()),
                  std::tuple(int(r.rows.size()), staked, returned, before))
            << what.toStdString();
        if (c.rule == u"popularity:all" && c.pools == u"win") {
            EXPECT_GE(report.total().hits, report.races()) << "every race's winner backed";
        }
        if (c.pools == u"trio") {
            EXPECT_LT(report.bankroll(), 100) << "816 trios a race: the bankroll runs out";
        }
    }
}

TEST_F(SeasonReplay, ABetListIsReplayedWithItsStakesAndWhatCannotBeIsNamed)
{
    replay::Settings settings;
    settings.rule.kind = RuleKind::BetList;
    QStringList problems;
    settings.rule.bets = replay::readBetList("2026-10-03,1,win,1,1000\n"
                                             "2026-10-03,1,quinella,1-2,300\n"
                                             "2026-10-04,2,trio,1-2-3,500\n"
                                             "2026-10-03,36,win,1,100\n"
                                             "2026-10-10,1,win,1,100\n"
                                             "2026-10-04,2,win,18,100\n",
                                             problems);
    ASSERT_TRUE(problems.isEmpty());
    const Run r = run(settings);
    ASSERT_EQ(r.rows.size(), 3u);
    EXPECT_EQ(std::tuple(r.rows[0].pool, r.rows[0].stake, r.rows[1].pool, r.rows[1].stake, r.rows[2].stake),
              std::tuple(Pool::Win, 1000LL, Pool::Quinella, 300LL, 500LL));
    const QStringList& named = r.replay->problems;
    ASSERT_EQ(named.size(), 3) << named.join(u'\n').toStdString();
    EXPECT_TRUE(named[0].startsWith("5 行目: 2026年10月10日 は期間のデータにありません")) << named[0].toStdString();
    EXPECT_TRUE(named[1].startsWith("4 行目: 2026年10月03日 に 36 レース目はありません")) << named[1].toStdString();
    EXPECT_TRUE(named[2].startsWith("6 行目: 単勝 18 はその時点でオッズがありません")) << named[2].toStdString();
}

TEST_F(SeasonReplay, AnEarlierMomentComesFromTheHistoryAndARaceWithoutOneIsSkipped)
{
    // One race of Saturday's with a quick report 40 minutes before its post time.
    const auto day = std::make_unique<DayData>();
    day->load(data->path(), QStringLiteral("2026年10月03日"));
    const QTemporaryDir folder;
    const QString path = history::databaseIn(folder.path());
    {
        history::OddsHistory history(path);
        const QDateTime post = *posttime::of(day->raceRecord(0));
        ASSERT_TRUE(history.record(day->voteRecord(0), post.addSecs(-40 * 60)));
    }
    struct Case {
        int minutes;
        int races;
    };
    for (const Case c : {Case{30, 1}, Case{40, 1}, Case{41, 0}}) {
        replay::Settings settings = settingsOf("popularity:1", "win", "flat:100", 10'000);
        settings.minutesBefore = c.minutes;
        const Run r = run(settings, path);
        const replay::Report& report = r.replay->report;
        EXPECT_EQ(report.races(), c.races) << c.minutes;
        EXPECT_EQ(report.races() + report.skipped(),
                  run(settingsOf("value", "all", "flat:100", 10'000)).replay->report.races());
        EXPECT_EQ(int(r.rows.size()), c.races) << c.minutes;
    }
}

TEST_F(SeasonReplay, AStoppedReplayGivesNothing)
{
    int calls = 0;
    const auto stopped = replay::replaySeason(data->path(), kSaturday, kSunday, replay::Settings{}, {}, {},
                                              [&](int done, int days) {
        ++calls;
        EXPECT_EQ(days, 2);
        EXPECT_EQ(done, 2);
        return false;
    });
    EXPECT_FALSE(stopped);
    EXPECT_EQ(calls, 1);
}
