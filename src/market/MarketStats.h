#pragma once

#include "finishorder/FinishOrder.h"
#include "market/StepHistogram.h"
#include "pools/VotePools.h"
#include "racedata/RaceResult.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <iterator>
#include <map>
#include <optional>
#include <vector>

// Market statistics of a set of races, from their race-details (RA),
// vote-count (H1), trifecta (H6) and payout (HR) records: field sizes, the
// favourite's share and how often it won, the least-backed runner's odds,
// pool sizes, the pool mix and what each pool paid. The same figures
// describe real data and the emulated service's, so the one can be set
// beside the other. How far each pool sits from the win pool's view is the
// spread of its bets' expected returns under each finish-order model.
namespace tavek::market {

struct RaceFigures {
    QDate date;
    QByteArray courseCode;  // two characters, "05"
    int number = 0;
    QString name;
    int starters = 0;
    double favouriteShare = 0;                       // the most-backed runner's part of the win pool
    double longshotOdds = 0;                         // the least-backed runner's win odds
    double pairToHarville = 0;                       // the two favourites' quinella share over its Harville value
    std::array<int64_t, pools::kPoolCount> votes{};  // the eight totals, the trifecta's 0 without its record
    bool result = false;                             // a payout record was read
    // Where the payouts tell the first three: whether the favourite (the
    // runner of the most win votes, the lowest number among equals) won,
    // and whether it finished in the first three.
    bool finishKnown = false;
    bool favouriteWon = false;
    bool favouritePlaced = false;

    int64_t sevenPools() const;  // the pools of the vote-count record
};

// The figures of all seven pools together, where a pool may be asked for.
inline constexpr std::optional<pools::Pool> kSevenPools = std::nullopt;

struct Quantiles {
    double p10 = 0, p25 = 0, median = 0, p75 = 0, p90 = 0, mean = 0, total = 0;
};

// The expected returns are counted in steps of 0.1 yen per 100 staked up to
// 1,000 yen (beyond it as 1,000; a pool pays back 80 at most): their
// quartiles lie within 0.05 yen of the exact ones. The counts of every pool
// and model (half a megabyte) stay in the processor's cache.
inline constexpr double kReturnStep = 0.1;
inline constexpr double kReturnTop = 1000;

// The payouts are counted in steps of 10 yen per 100 yen, the step they are
// paid in, up to 200,000 yen (beyond it as 200,000): a median below that is
// exact. Every pool's counts take 640 KB.
inline constexpr double kPayoutStep = 10;
inline constexpr double kPayoutTop = 200'000;

// How often the favourite won and finished in the first three, over the
// races whose payouts tell their first three.
struct FavouriteRates {
    int races = 0;
    double won = 0, placed = 0;  // parts of `races`
};

// What a pool paid per 100 yen, over every payout.
struct PayoutSpread {
    long long payouts = 0;
    double mean = 0, median = 0;
};

// The middle of a pool's expected returns (yen per 100 staked).
struct ReturnSpread {
    int bets = 0;
    double p25 = 0, median = 0, p75 = 0;
};

class MarketStats {
public:
    MarketStats();

    // The races of the day files in `dataFolder` dated from `from` to `to`
    // (an invalid date leaves that end open), read as the day load reads
    // them (CP932 names, no wait on a FIFO, no day file of more than
    // dayfiles::kMaxDayFileLines lines). Throws std::runtime_error naming the
    // folder or file when the data folder or a day file cannot be read; a
    // record whose fields are not numbers is counted as skipped with its
    // file and race named.
    static MarketStats ofDataFolder(const QString& dataFolder, const QDate& from, const QDate& to);

    // Adds one race from its vote-count record and, if known, its race
    // details, its trifecta record (empty for none) and its result. False,
    // with nothing added, for a record that is not a full H1 record with
    // numbers in its fields; a trifecta record that is not a full H6 record
    // with a number for its total counts as none.
    bool addRace(QByteArrayView h1, QByteArrayView ra, QByteArrayView h6 = {},
                 const result::RaceResult* result = nullptr);

    const std::vector<RaceFigures>& races() const { return races_; }
    const QStringList& skipped() const { return skipped_; }
    // The payout records that could not be read, each with its file and race.
    const QStringList& skippedResults() const { return skippedResults_; }

    int courseDays() const;
    double meanStarters() const;
    std::map<int, int> startersCount() const;
    double meanFavouriteShare() const;
    std::map<int, double> favouriteShareByStarters() const;
    std::map<int, double> longshotOddsByStarters() const;
    Quantiles pairToHarville() const;
    // Pools in yen: one pool, or all seven (kSevenPools).
    Quantiles poolYen(std::optional<pools::Pool> pool) const;
    std::map<int, Quantiles> poolYenByNumber(std::optional<pools::Pool> pool) const;
    std::map<int, Quantiles> poolYenByMonth(std::optional<pools::Pool> pool) const;
    // Each pool's part of the eight pools' total.
    std::array<double, pools::kPoolCount> poolMix() const;
    // Over every bet with odds now of every race read (value::betValues).
    ReturnSpread expectedReturns(finish::Model model, pools::Pool pool) const;
    // The races with a result.
    int results() const;
    FavouriteRates favouriteRates() const;
    std::map<int, FavouriteRates> favouriteRatesByStarters() const;
    PayoutSpread payouts(pools::Pool pool) const;
    // The races with the largest seven-pool totals, largest first.
    std::vector<RaceFigures> largest(int count) const;

    QStringList reportLines() const;
    QJsonObject toJson() const;

private:
    // The mean of a figure by field size, over the races where it is above 0.
    std::map<int, double> meanByStarters(double RaceFigures::*figure) const;
    // Adds the races of the day `dateText` of the data folder.
    void addDay(const QString& dataFolder, const QString& dateText);
    // Adds the races and counts of `later`, whose days all follow this one's.
    void append(const MarketStats& later);

    std::vector<RaceFigures> races_;
    QStringList skipped_;
    QStringList skippedResults_;
    // Every bet's expected return, by model and pool, counted in steps of
    // kReturnStep (a season holds some four million bets, 21 seasons eighty
    // million): each quartile within half a step of the exact one.
    // Model m's histogram of pool p at [m * kPoolCount + p].
    std::vector<StepHistogram> returns_;
    // Each pool's payouts in steps of kPayoutStep, and their sum for the mean.
    std::vector<StepHistogram> payouts_;
    std::array<double, pools::kPoolCount> payoutSums_{};
};

}  // namespace tavek::market
