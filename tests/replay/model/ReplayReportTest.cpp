// The report's figures on a fixed season of four races and seven bets.
#include "replay/model/ReplayReport.h"

#include <gtest/gtest.h>

using namespace tavek;
using pools::Pool;
using replay::BetRow;

TEST(ReplayReport, AFixedSeasonsTotalsRunsAndBands)
{
    // pool, entry, stake, odds, popularity, expected return, hit, refunded, paid, payout, alone
    const auto bet = [](Pool pool, int entry, long long stake, long long odds, int pop, double er, bool hit,
                        bool refunded, long long payout, long long alone) {
        return BetRow{"", "", pool, entry, stake, odds, pop, er, hit, refunded, 0, payout, alone, 0};
    };
    const std::vector<std::pair<std::vector<BetRow>, long long>> races = {
        {{bet(Pool::Win, 1, 1000, 25, 1, 120, true, false, 2500, 2500),
          bet(Pool::Win, 3, 1000, 80, 4, 90, false, false, 0, 0)},
         10'500},
        {{bet(Pool::Quinella, 5, 2000, 152, 7, 130, false, false, 0, 0),
          bet(Pool::Trio, 10, 1000, 560, 25, -1, false, false, 0, 0)},
         7'500},
        {{bet(Pool::Win, 2, 500, 40, 2, 115, false, true, 500, 500),
          bet(Pool::Place, 4, 1000, 12, 1, 105, false, false, 0, 0)},
         6'500},
        {{bet(Pool::Win, 7, 1000, 300, 9, 150, true, false, 29'000, 30'000)}, 34'500},
    };
    replay::Report report(10'000);
    report.countRaces(5, 2, 1);
    for (const auto& [bets, after] : races) {
        for (const BetRow& b : bets)
            report.add(b);
        report.endRace(after);
    }
    EXPECT_EQ(std::tuple(report.races(), report.skipped(), report.withoutResult()), std::tuple(5, 2, 1));
    const replay::Tally& t = report.total();
    EXPECT_EQ(std::tuple(t.bets, t.hits, t.staked, t.returned, t.profit()),
              std::tuple(7, 2, 7500LL, 32'000LL, 24'500LL));
    EXPECT_NEAR(t.returnPercent(), 426.667, 0.001);
    EXPECT_NEAR(t.hitRate(), 28.571, 0.001);
    EXPECT_EQ(report.alone().returned, 33'000) << "the winner's 10 yen more without the bettor's stake";
    EXPECT_EQ(report.maxDrawdown(), 4000) << "from 10,500 after the first race to 6,500";
    EXPECT_EQ(report.longestLosingRun(), 4) << "a refund neither loses nor breaks the run";
    EXPECT_EQ(report.curve(), (std::vector<long long>{10'500, 7'500, 6'500, 34'500}));
    const replay::Tally& win = report.byPool()[size_t(Pool::Win)];
    EXPECT_EQ(std::tuple(win.bets, win.hits, win.staked, win.returned), std::tuple(4, 2, 3500LL, 32'000LL));

    const auto labels = [](const std::vector<replay::Band>& bands) {
        QStringList l;
        for (const replay::Band& b : bands)
            l << QStringLiteral("%1:%2:%3:%4").arg(b.label).arg(b.tally.bets).arg(b.tally.staked).arg(b.tally.returned);
        return l.join(u' ');
    };
    EXPECT_EQ(labels(report.byPopularity()), "1番人気:2:2000:2500 2番人気:1:500:500 4番人気:1:1000:0 7番人気:1:2000:0 "
                                             "9番人気:1:1000:29000 19〜49番人気:1:1000:0");
    EXPECT_EQ(labels(report.byOdds()), "1.0〜1.9倍:1:1000:0 2.0〜4.9倍:2:1500:3000 5.0〜9.9倍:1:1000:0 "
                                       "10.0〜19.9倍:1:2000:0 20.0〜49.9倍:1:1000:29000 50.0〜99.9倍:1:1000:0");
    EXPECT_EQ(labels(report.calibration()), "期待 80〜100%:1:1000:0 期待 100〜110%:1:1000:0 期待 110〜120%:1:500:500 "
                                            "期待 120〜150%:2:3000:2500 期待 150〜200%:1:1000:29000")
        << "the trio's bet had no expected return worked out";
    EXPECT_DOUBLE_EQ(report.calibration()[3].predicted, 125);

    const QStringList lines = report.lines();
    EXPECT_EQ(lines.mid(0, 7),
              (QStringList{"レース数\t5（時点の票数がなく見送り 2、結果なし 1）", "購入\t7点\t7,500円",
                           "的中\t2点\t的中率 28.6%", "払戻\t32,000円\t回収率 426.7%", "収支\t24,500円",
                           "資金\t10,000円 → 34,500円\t最大ドローダウン 4,000円\t最長連敗 4",
                           "自分の票を除くと\t払戻 33,000円\t回収率 440.0%\t差 -1,000円"}));
    EXPECT_TRUE(lines.contains("単勝\t4点\t的中 2\t購入 3,500円\t払戻 32,000円\t回収率 914.3%"));
}
