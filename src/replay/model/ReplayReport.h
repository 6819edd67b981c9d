#pragma once

#include "pools/VotePools.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// What a replay returned: the totals, the drawdown and the losing run of the
// bankroll, the bets by pool, by popularity and by odds at the moment, and
// the model's honesty (its expected return in bands beside what the bets of
// each band returned). The same totals with the bettor's own stakes left out
// of the pools show what the stakes cost.
namespace tavek::replay {

struct Tally {
    int bets = 0;
    int hits = 0;
    long long staked = 0;    // yen
    long long returned = 0;  // yen

    long long profit() const { return returned - staked; }
    double returnPercent() const { return staked > 0 ? 100.0 * double(returned) / double(staked) : 0; }
    double hitRate() const { return bets > 0 ? 100.0 * hits / bets : 0; }
};

// One band of a breakdown: its label ("1番人気", "10.0〜19.9倍") and its bets.
struct Band {
    QString label;
    Tally tally;
    double predicted = 0;  // calibration: the mean expected return of its bets, yen per 100 yen
};

// One settled bet, as the bet rows of tavek-cli and the window list them.
struct BetRow {
    QString date;  // the date text, 2005年04月16日
    QString race;  // the race item, "2005/04/16 東京 11R"
    pools::Pool pool = pools::Pool::Win;
    int entry = 0;
    long long stake = 0;
    long long oddsTenths = 0;  // at the moment
    int popularity = 0;        // at the moment
    double expectedReturn = -1;
    bool hit = false;
    bool refunded = false;
    long long paidYen = 0;  // per 100 yen with the stakes in; 0 where it pays nothing
    long long payout = 0;
    long long payoutAlone = 0;    // with the bettor's stakes left out
    long long bankrollAfter = 0;  // after the race settled
};

// The lower ends of the bands: popularity 1 to 18 one by one, then wider;
// odds in tenths; the expected return in yen per 100 yen.
inline constexpr std::array<int, 22> kPopularityBands{1,  2,  3,  4,  5,  6,  7,  8,  9,  10,  11,
                                                      12, 13, 14, 15, 16, 17, 18, 19, 50, 100, 300};
inline constexpr std::array<long long, 9> kOddsBands{10, 20, 50, 100, 200, 500, 1000, 3000, 10000};
inline constexpr std::array<double, 8> kReturnBands{0, 80, 100, 110, 120, 150, 200, 300};

class Report {
public:
    explicit Report(long long bankroll = 0);

    // A settled bet (its bankroll after still to come with endRace).
    void add(const BetRow& bet);
    // The race's bets are settled: the bankroll is now `bankroll`.
    void endRace(long long bankroll);
    // Races replayed, skipped without votes at the moment, and without a result.
    void countRaces(int replayed, int skipped, int withoutResult)
    {
        races_ += replayed;
        skipped_ += skipped;
        withoutResult_ += withoutResult;
    }

    int races() const { return races_; }      // with a result and votes at the moment
    int skipped() const { return skipped_; }  // with a result but no votes at the moment
    int withoutResult() const { return withoutResult_; }
    const Tally& total() const { return total_; }
    const Tally& alone() const { return alone_; }  // the same bets without own money
    long long startBankroll() const { return start_; }
    long long bankroll() const { return bankroll_; }
    long long maxDrawdown() const { return maxDrawdown_; }
    int longestLosingRun() const { return longestRun_; }
    const std::array<Tally, pools::kPoolCount>& byPool() const { return byPool_; }
    // The bands with bets, lowest first.
    std::vector<Band> byPopularity() const;
    std::vector<Band> byOdds() const;
    std::vector<Band> calibration() const;  // the bets whose expected return was worked out
    // The bankroll after each race with bets, for the curve.
    const std::vector<long long>& curve() const { return curve_; }

    // The report as tavek-cli prints it and the window shows it, in lines.
    QStringList lines() const;

private:
    int races_ = 0, skipped_ = 0, withoutResult_ = 0;
    Tally total_, alone_;
    long long start_ = 0, bankroll_ = 0, peak_ = 0, maxDrawdown_ = 0;
    int run_ = 0, longestRun_ = 0;
    std::array<Tally, pools::kPoolCount> byPool_{};
    std::array<Tally, kPopularityBands.size()> popularity_{};
    std::array<Tally, kOddsBands.size()> odds_{};
    std::array<Tally, kReturnBands.size()> calibration_{};
    std::array<double, kReturnBands.size()> predicted_{};
    std::vector<long long> curve_;
};

// The texts of the report and the bets.
QString yenText(long long yen);       // "12,300円"
QString percentText(double percent);  // "78.4%"
QString oddsText(long long tenths);   // "12.3"
QString popularityBandLabel(size_t band);
QString oddsBandLabel(size_t band);
QString returnBandLabel(size_t band);
// A bet row's columns: 日付, レース, 券種, 組番, 金額, 時点オッズ, 払戻オッズ, 払戻, 残高.
QStringList betColumns();
QStringList betRow(const BetRow& bet);

}  // namespace tavek::replay
