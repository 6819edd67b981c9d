#include "market/MarketStats.h"

#include "finishorder/FinishOrder.h"
#include "pools/PairIndex.h"
#include "pools/Payout.h"
#include "racedata/Cp932.h"
#include "racedata/DayFiles.h"
#include "racedata/DaySpan.h"
#include "racedata/KeibaFunc.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"
#include "racedata/RecordLines.h"
#include "racedata/ShownText.h"
#include "value/model/BetValue.h"

#include <QHash>
#include <QJsonArray>
#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <vector>

namespace tavek::market {

namespace {

using pools::Pool;

// The bytes of a day file as the day load reads them; none when it is missing.
QByteArray dayFileBytes(const dayfiles::Location& where, QByteArrayView type)
{
    std::optional<QByteArray> bytes = dayfiles::readDayFile(where, dayfiles::maxDayFileBytes(type),
                                                            dayfiles::Links::Follow);
    return bytes ? std::move(*bytes) : QByteArray();
}

// Calls take(record) for each line of a day file's bytes that is not empty:
// the line with the CR LF a record ends with, which a stored line has lost.
// A line is seen in the file's bytes where its CR LF follows it there (a
// season's files hold gigabytes), and copied with one into `kept` where it
// does not; each record stays valid as long as the bytes and `kept`.
template <typename Take>
void forEachRecord(QByteArrayView bytes, std::vector<QByteArray>& kept, Take take)
{
    recordlines::forEach(bytes, [&](int, QByteArrayView line) {
        if (line.isEmpty())
            return true;
        const qsizetype end = line.data() - bytes.data() + line.size();
        if (bytes.sliced(end).startsWith("\r\n")) {
            take(bytes.sliced(end - line.size(), line.size() + 2));
        } else {
            kept.push_back(line.toByteArray() + "\r\n");
            take(QByteArrayView(kept.back()));
        }
        return true;
    });
}

Quantiles quantilesOf(std::vector<double> v)
{
    Quantiles q;
    if (v.empty())
        return q;
    std::sort(v.begin(), v.end());
    auto at = [&](double p) {
        const double x = p * static_cast<double>(v.size() - 1);
        const size_t i = static_cast<size_t>(x);
        return i + 1 < v.size() ? v[i] + (v[i + 1] - v[i]) * (x - static_cast<double>(i)) : v[i];
    };
    q.p10 = at(0.1);
    q.p25 = at(0.25);
    q.median = at(0.5);
    q.p75 = at(0.75);
    q.p90 = at(0.9);
    for (double x : v)
        q.total += x;
    q.mean = q.total / static_cast<double>(v.size());
    return q;
}

double poolYenOf(const RaceFigures& r, std::optional<Pool> pool)
{
    return static_cast<double>(pools::kYenPerVote)
           * static_cast<double>(pool ? r.votes[size_t(*pool)] : r.sevenPools());
}

// Amounts as the Japanese market quotes them: 億円 above 1億, else 万円.
QString yen(double y)
{
    return y >= 1e8 ? QStringLiteral("%1億").arg(y / 1e8, 0, 'f', 2) : QStringLiteral("%1万").arg(y / 1e4, 0, 'f', 0);
}

QString quantileText(const Quantiles& q)
{
    return QStringLiteral("p10 %1  p25 %2  median %3  p75 %4  p90 %5  mean %6  total %7")
        .arg(yen(q.p10), yen(q.p25), yen(q.median), yen(q.p75), yen(q.p90), yen(q.mean), yen(q.total));
}

QJsonObject quantileJson(const Quantiles& q)
{
    return {{"p10", q.p10}, {"p25", q.p25},   {"median", q.median}, {"p75", q.p75},
            {"p90", q.p90}, {"mean", q.mean}, {"total", q.total}};
}

template <typename Map, typename F>
QJsonObject mapJson(const Map& m, F value)
{
    QJsonObject o;
    for (const auto& [k, v] : m)
        o.insert(QString::number(k), value(v));
    return o;
}

size_t returnSlot(finish::Model model, Pool pool)
{
    return size_t(model) * pools::kPoolCount + size_t(pool);
}

}  // namespace

MarketStats::MarketStats()
    : returns_(std::size(finish::kModels) * pools::kPoolCount, StepHistogram(kReturnStep, kReturnTop))
    , payouts_(pools::kPoolCount, StepHistogram(kPayoutStep, kPayoutTop))
{
}

int64_t RaceFigures::sevenPools() const
{
    int64_t s = 0;
    for (size_t k = 0; k < size_t(pools::kVoteCountPools); ++k)
        s += votes[k];
    return s;
}

bool MarketStats::addRace(QByteArrayView h1, QByteArrayView ra, QByteArrayView h6, const result::RaceResult* result)
{
    using namespace layout;
    if (h1.size() < kH1Length || !h1.startsWith("H1"))
        return false;
    RaceFigures r;
    r.date = QDate::fromString(QString::fromLatin1(record::field(h1, kYear, 8)), QStringLiteral("yyyyMMdd"));
    r.courseCode = record::field(h1, kCourse, 2).toByteArray();
    r.number = record::blankAsZero(h1, kRaceNumber, 2);
    r.starters = record::blankAsZero(h1, kStarters, 2);
    const int registered = std::min(record::blankAsZero(h1, kRegistered, 2), pools::kMaxRunners);
    if (!r.date.isValid() || r.number <= 0)
        return false;
    for (size_t k = 0; k < pools::voteCountPools().size(); ++k) {
        int v;
        if (!record::tryBlankAsAbsent(record::field(h1, pools::voteCountPools()[k].total, kVoteLen), v))
            return false;
        r.votes[k] = std::max(v, 0);
    }
    const pools::VotePool& trifecta = pools::pool(Pool::Trifecta);
    if (int v = 0; h6.size() >= kH6Length && h6.startsWith(pools::kTrifectaVotes.id)
                   && record::tryBlankAsAbsent(record::field(h6, trifecta.total, kVoteLen), v))
        r.votes[size_t(Pool::Trifecta)] = std::max(v, 0);
    else
        h6 = {};
    const pools::VotePool& winPool = pools::pool(Pool::Win);
    std::array<int, pools::kMaxRunners> win{};
    int favourite = -1, second = -1, least = -1;
    for (int h = 0; h < registered; ++h) {
        if (!record::tryBlankAsAbsent(record::field(h1, winPool.votes(h + 1), kVoteLen), win[h]))
            return false;
        if (win[h] <= 0)
            continue;
        if (favourite < 0 || win[h] > win[favourite]) {
            second = favourite;
            favourite = h;
        } else if (second < 0 || win[h] > win[second]) {
            second = h;
        }
        if (least < 0 || win[h] < win[least])
            least = h;
    }
    const double winTotal = static_cast<double>(r.votes[size_t(Pool::Win)]);
    if (favourite >= 0 && winTotal > 0) {
        r.favouriteShare = win[favourite] / winTotal;
        r.longshotOdds = double(
            pools::exactOdds(winPool.rate(record::raceDate(h1)).value(), r.votes[size_t(Pool::Win)], win[least]));
    }
    const int64_t quinellaTotal = r.votes[size_t(Pool::Quinella)];
    int quinella = 0;
    if (second >= 0 && quinellaTotal > 0
        && record::tryBlankAsAbsent(
            record::field(h1,
                          pools::pool(Pool::Quinella)
                              .votes(pools::pairIndexOf(pools::PairKind::Quinella, std::min(favourite, second) + 1,
                                                        std::max(favourite, second) + 1)),
                          kVoteLen),
            quinella)) {
        std::array<double, pools::kMaxRunners> chances{};
        for (int h = 0; h < registered; ++h)
            chances[size_t(h)] = std::max(win[h], 0) / winTotal;
        const finish::FinishOrder harville(std::span(chances.data(), size_t(registered)), finish::kHarville);
        r.pairToHarville = quinella / static_cast<double>(quinellaTotal) / harville.quinella(favourite, second);
    }
    const std::vector<std::vector<value::BetValue>> values = value::betValues(h1, finish::kModels, h6);
    for (size_t m = 0; m < values.size(); ++m)
        for (const value::BetValue& v : values[m])
            returns_[returnSlot(finish::kModels[m], v.pool)].add(v.expectedReturn);
    if (result) {
        r.result = true;
        for (size_t p = 0; p < result->payouts.size(); ++p)
            for (const pools::EntryPayout& e : result->payouts[p].payouts) {
                payouts_[p].add(double(e.yen));
                payoutSums_[p] += double(e.yen);
            }
        // The places of a dead heat count on past its runners: {{4, 6}, {1}} tells three.
        int before = 0;
        for (size_t place = 0; place < result->order.places.size() && before < 3; ++place) {
            const std::vector<int>& runners = result->order.places[place];
            const bool in = favourite >= 0 && std::count(runners.begin(), runners.end(), favourite + 1) > 0;
            r.favouriteWon = r.favouriteWon || (in && place == 0);
            r.favouritePlaced = r.favouritePlaced || in;
            before += int(runners.size());
        }
        r.finishKnown = favourite >= 0 && before >= 3;
    }
    if (ra.size() >= kRaceName + kRaceNameLen - 1)
        r.name = cp932::decode(record::field(ra, kRaceName, kRaceNameLen)).trimmed();
    races_.push_back(std::move(r));
    return true;
}

MarketStats MarketStats::ofDataFolder(const QString& dataFolder, const QDate& from, const QDate& to)
{
    // The figures of every bet of every race take most of the time of a span
    // of seasons: the days are read in blocks on every core.
    const std::vector<MarketStats> parts = dayfiles::readInBlocks<MarketStats>(
        dayfiles::datesBetween(dataFolder, from, to),
        [&](MarketStats& part, const QString& date) { part.addDay(dataFolder, date); });
    MarketStats stats;
    for (const MarketStats& part : parts)
        stats.append(part);
    return stats;
}

void MarketStats::addDay(const QString& dataFolder, const QString& dateText)
{
    // Views into the files' bytes and `kept`, which outlive them.
    std::vector<QByteArray> kept;
    const QByteArray raceBytes = dayFileBytes(dayfiles::locate(dataFolder, dateText, dayfiles::kRaceSuffix), "RA");
    QHash<QByteArrayView, QByteArrayView> details;
    forEachRecord(raceBytes, kept, [&](QByteArrayView ra) {
        if (ra.startsWith("RA"))
            details.insert(layout::raceKey(ra), ra.chopped(2));
    });
    const QByteArray trifectaBytes = dayFileBytes(dayfiles::locate(dataFolder, dateText, dayfiles::kTrifectaSuffix),
                                                  "H6");
    QHash<QByteArrayView, QByteArrayView> trifectas;
    forEachRecord(trifectaBytes, kept, [&](QByteArrayView h6) {
        if (h6.startsWith("H6"))
            trifectas.insert(layout::raceKey(h6), h6);
    });
    // A later payout record of a race holds, as in the day data.
    std::map<QByteArray, result::RaceResult> results;
    const dayfiles::Location resultFile = dayfiles::locate(dataFolder, dateText, dayfiles::kResultSuffix);
    const QByteArray resultBytes = dayFileBytes(resultFile, "HR");
    forEachRecord(resultBytes, kept, [&](QByteArrayView hr) {
        try {
            result::RaceResult read = result::read(hr);
            results.insert_or_assign(read.raceKey, std::move(read));
        } catch (const result::ReadError& e) {
            skippedResults_.append(QStringLiteral("%1: %2").arg(resultFile.shown, QString::fromStdString(e.what())));
        }
    });
    const dayfiles::Location voteFile = dayfiles::locate(dataFolder, dateText, dayfiles::kVoteSuffix);
    const QByteArray voteBytes = dayFileBytes(voteFile, "H1");
    forEachRecord(voteBytes, kept, [&](QByteArrayView h1) {
        const QByteArrayView key = layout::raceKey(h1);
        const auto result = results.find(key.toByteArray());
        if (!addRace(h1, details.value(key), trifectas.value(key), result != results.end() ? &result->second : nullptr))
            skipped_.append(QStringLiteral("%1, race %2").arg(voteFile.shown, shown::bytes(key)));
    });
}

void MarketStats::append(const MarketStats& later)
{
    races_.insert(races_.end(), later.races_.begin(), later.races_.end());
    skipped_.append(later.skipped_);
    skippedResults_.append(later.skippedResults_);
    for (size_t i = 0; i < returns_.size(); ++i)
        returns_[i].add(later.returns_[i]);
    for (size_t p = 0; p < payouts_.size(); ++p) {
        payouts_[p].add(later.payouts_[p]);
        payoutSums_[p] += later.payoutSums_[p];
    }
}

int MarketStats::courseDays() const
{
    std::set<std::pair<QDate, QByteArray>> days;
    for (const RaceFigures& r : races_)
        days.insert({r.date, r.courseCode});
    return static_cast<int>(days.size());
}

double MarketStats::meanStarters() const
{
    double s = 0;
    for (const RaceFigures& r : races_)
        s += r.starters;
    return races_.empty() ? 0 : s / static_cast<double>(races_.size());
}

std::map<int, int> MarketStats::startersCount() const
{
    std::map<int, int> m;
    for (const RaceFigures& r : races_)
        ++m[r.starters];
    return m;
}

double MarketStats::meanFavouriteShare() const
{
    double s = 0;
    for (const RaceFigures& r : races_)
        s += r.favouriteShare;
    return races_.empty() ? 0 : s / static_cast<double>(races_.size());
}

std::map<int, double> MarketStats::meanByStarters(double RaceFigures::*figure) const
{
    std::map<int, std::pair<double, int>> sum;
    for (const RaceFigures& r : races_)
        if (r.*figure > 0)
            sum[r.starters].first += r.*figure, ++sum[r.starters].second;
    std::map<int, double> m;
    for (const auto& [n, s] : sum)
        m[n] = s.first / s.second;
    return m;
}

std::map<int, double> MarketStats::favouriteShareByStarters() const
{
    return meanByStarters(&RaceFigures::favouriteShare);
}

std::map<int, double> MarketStats::longshotOddsByStarters() const
{
    return meanByStarters(&RaceFigures::longshotOdds);
}

Quantiles MarketStats::pairToHarville() const
{
    std::vector<double> v;
    for (const RaceFigures& r : races_)
        if (r.pairToHarville > 0)
            v.push_back(r.pairToHarville);
    return quantilesOf(std::move(v));
}

Quantiles MarketStats::poolYen(std::optional<Pool> pool) const
{
    std::vector<double> v;
    for (const RaceFigures& r : races_)
        v.push_back(poolYenOf(r, pool));
    return quantilesOf(std::move(v));
}

std::map<int, Quantiles> MarketStats::poolYenByNumber(std::optional<Pool> pool) const
{
    std::map<int, std::vector<double>> v;
    for (const RaceFigures& r : races_)
        v[r.number].push_back(poolYenOf(r, pool));
    std::map<int, Quantiles> m;
    for (auto& [k, x] : v)
        m[k] = quantilesOf(std::move(x));
    return m;
}

std::map<int, Quantiles> MarketStats::poolYenByMonth(std::optional<Pool> pool) const
{
    std::map<int, std::vector<double>> v;
    for (const RaceFigures& r : races_)
        v[r.date.year() * 100 + r.date.month()].push_back(poolYenOf(r, pool));
    std::map<int, Quantiles> m;
    for (auto& [k, x] : v)
        m[k] = quantilesOf(std::move(x));
    return m;
}

std::array<double, pools::kPoolCount> MarketStats::poolMix() const
{
    std::array<double, pools::kPoolCount> mix{};
    double all = 0;
    for (const RaceFigures& r : races_)
        for (size_t k = 0; k < mix.size(); ++k) {
            mix[k] += static_cast<double>(r.votes[k]);
            all += static_cast<double>(r.votes[k]);
        }
    for (double& m : mix)
        m = all > 0 ? m / all : 0;
    return mix;
}

int MarketStats::results() const
{
    return int(std::count_if(races_.begin(), races_.end(), [](const RaceFigures& r) { return r.result; }));
}

namespace {

void addRates(FavouriteRates& rates, const RaceFigures& r)
{
    // Counts until ratesOf turns them into parts.
    ++rates.races;
    rates.won += r.favouriteWon;
    rates.placed += r.favouritePlaced;
}

FavouriteRates ratesOf(FavouriteRates counts)
{
    if (counts.races > 0) {
        counts.won /= counts.races;
        counts.placed /= counts.races;
    }
    return counts;
}

}  // namespace

FavouriteRates MarketStats::favouriteRates() const
{
    FavouriteRates all;
    for (const RaceFigures& r : races_)
        if (r.finishKnown)
            addRates(all, r);
    return ratesOf(all);
}

std::map<int, FavouriteRates> MarketStats::favouriteRatesByStarters() const
{
    std::map<int, FavouriteRates> m;
    for (const RaceFigures& r : races_)
        if (r.finishKnown)
            addRates(m[r.starters], r);
    for (auto& [n, rates] : m)
        rates = ratesOf(rates);
    return m;
}

PayoutSpread MarketStats::payouts(pools::Pool pool) const
{
    const StepHistogram& h = payouts_[size_t(pool)];
    return {h.count(), h.count() > 0 ? payoutSums_[size_t(pool)] / double(h.count()) : 0, h.quantile(0.5)};
}

std::vector<RaceFigures> MarketStats::largest(int count) const
{
    std::vector<RaceFigures> v = races_;
    std::stable_sort(v.begin(), v.end(), [](const auto& a, const auto& b) { return a.sevenPools() > b.sevenPools(); });
    if (static_cast<int>(v.size()) > count)
        v.resize(count);
    return v;
}

ReturnSpread MarketStats::expectedReturns(finish::Model model, pools::Pool pool) const
{
    const StepHistogram& r = returns_[returnSlot(model, pool)];
    return {int(r.count()), r.quantile(0.25), r.quantile(0.5), r.quantile(0.75)};
}

QStringList MarketStats::reportLines() const
{
    QStringList out;
    if (races_.empty()) {
        out << QStringLiteral("races: 0");
        return out;
    }
    out << QStringLiteral("races: %1 on %2 course-days, %3 to %4")
               .arg(races_.size())
               .arg(courseDays())
               .arg(races_.front().date.toString(Qt::ISODate), races_.back().date.toString(Qt::ISODate));
    out << QStringLiteral("starters: mean %1").arg(meanStarters(), 0, 'f', 2);
    QStringList parts;
    for (const auto& [n, c] : startersCount())
        parts << QStringLiteral("%1: %2%").arg(n).arg(100.0 * c / static_cast<double>(races_.size()), 0, 'f', 1);
    out << QStringLiteral("  distribution: ") + parts.join(QStringLiteral(", "));
    out << QStringLiteral("favourite's share of the win pool: mean %1").arg(meanFavouriteShare(), 0, 'f', 3);
    parts.clear();
    for (const auto& [n, s] : favouriteShareByStarters())
        parts << QStringLiteral("%1: %2").arg(n).arg(s, 0, 'f', 3);
    out << QStringLiteral("  by starters: ") + parts.join(QStringLiteral(", "));
    parts.clear();
    for (const auto& [n, s] : longshotOddsByStarters())
        parts << QStringLiteral("%1: %2").arg(n).arg(s, 0, 'f', 0);
    out << QStringLiteral("least-backed runner's win odds, mean by starters: ") + parts.join(QStringLiteral(", "));
    const Quantiles h = pairToHarville();
    out << QStringLiteral("two favourites' quinella share / Harville: median %1, p10 %2, p90 %3")
               .arg(h.median, 0, 'f', 3)
               .arg(h.p10, 0, 'f', 3)
               .arg(h.p90, 0, 'f', 3);
    out << QStringLiteral("win pool (yen): ") + quantileText(poolYen(Pool::Win));
    out << QStringLiteral("seven pools (yen): ") + quantileText(poolYen(kSevenPools));
    out << QStringLiteral("trifecta (yen): ") + quantileText(poolYen(Pool::Trifecta));
    out << QStringLiteral("by race number (median win pool / median seven pools):");
    const auto winByNumber = poolYenByNumber(Pool::Win);
    for (const auto& [n, q] : poolYenByNumber(kSevenPools))
        out << QStringLiteral("  %1R: %2 / %3").arg(n, 2).arg(yen(winByNumber.at(n).median), yen(q.median));
    out << QStringLiteral("by month (races, median seven pools, total seven pools):");
    for (const auto& [m, q] : poolYenByMonth(kSevenPools)) {
        int n = 0;
        for (const RaceFigures& r : races_)
            n += r.date.year() * 100 + r.date.month() == m;
        out << QStringLiteral("  %1-%2: %3, %4, %5")
                   .arg(m / 100)
                   .arg(m % 100, 2, 10, QLatin1Char('0'))
                   .arg(n)
                   .arg(yen(q.median), yen(q.total));
    }
    const auto mix = poolMix();
    parts.clear();
    for (size_t k = 0; k < mix.size(); ++k)
        parts << QStringLiteral("%1 %2%").arg(QLatin1String(pools::kPools[k].key)).arg(100 * mix[k], 0, 'f', 1);
    out << QStringLiteral("pool mix: ") + parts.join(QStringLiteral(", "));
    out << QStringLiteral("expected return per 100 yen under the win pool's view (p25 / median / p75, bets):");
    for (finish::Model model : finish::kModels) {
        parts.clear();
        for (size_t k = 0; k < pools::kPools.size(); ++k) {
            const ReturnSpread s = expectedReturns(model, pools::Pool(k));
            parts << QStringLiteral("%1 %2/%3/%4 (%5)")
                         .arg(QLatin1String(pools::kPools[k].key))
                         .arg(s.p25, 0, 'f', 1)
                         .arg(s.median, 0, 'f', 1)
                         .arg(s.p75, 0, 'f', 1)
                         .arg(s.bets);
        }
        out << QStringLiteral("  %1: ").arg(finish::modelKey(model)) + parts.join(QStringLiteral(", "));
    }
    if (const int withResults = results(); withResults > 0) {
        const FavouriteRates f = favouriteRates();
        out << QStringLiteral("races with a result: %1").arg(withResults);
        out << QStringLiteral(
                   "favourite won %1 %, in the first three %2 % (%3 races whose payouts tell the first three)")
                   .arg(100 * f.won, 0, 'f', 1)
                   .arg(100 * f.placed, 0, 'f', 1)
                   .arg(f.races);
        parts.clear();
        for (const auto& [n, rates] : favouriteRatesByStarters())
            parts << QStringLiteral("%1: %2/%3 (%4)")
                         .arg(n)
                         .arg(100 * rates.won, 0, 'f', 1)
                         .arg(100 * rates.placed, 0, 'f', 1)
                         .arg(rates.races);
        out << QStringLiteral("  by starters, won / in the first three in % (races): ")
                   + parts.join(QStringLiteral(", "));
        parts.clear();
        for (size_t k = 0; k < pools::kPools.size(); ++k) {
            const PayoutSpread s = payouts(pools::Pool(k));
            parts << QStringLiteral("%1 %2/%3 (%4)")
                         .arg(QLatin1String(pools::kPools[k].key))
                         .arg(s.mean, 0, 'f', 0)
                         .arg(s.median, 0, 'f', 0)
                         .arg(s.payouts);
        }
        out << QStringLiteral("payouts per 100 yen (mean / median, payouts): ") + parts.join(QStringLiteral(", "));
    }
    out << QStringLiteral("largest races (seven pools):");
    for (const RaceFigures& r : largest(10))
        out << QStringLiteral("  %1 %2 %3R %4: %5")
                   .arg(r.date.toString(Qt::ISODate), keiba::courseName2(r.courseCode))
                   .arg(r.number, 2)
                   .arg(r.name, yen(poolYenOf(r, kSevenPools)));
    if (!skipped_.isEmpty())
        out << QStringLiteral("skipped (not a vote-count record with numbers): ") + skipped_.join(QStringLiteral("; "));
    if (!skippedResults_.isEmpty())
        out << QStringLiteral("skipped payout records: ") + skippedResults_.join(QStringLiteral("; "));
    return out;
}

QJsonObject MarketStats::toJson() const
{
    QJsonObject o;
    o.insert("races", static_cast<int>(races_.size()));
    o.insert("course_days", courseDays());
    o.insert("starters_mean", meanStarters());
    o.insert("starters", mapJson(startersCount(), [](int c) { return QJsonValue(c); }));
    o.insert("favourite_share_mean", meanFavouriteShare());
    o.insert("favourite_share_by_starters",
             mapJson(favouriteShareByStarters(), [](double s) { return QJsonValue(s); }));
    o.insert("longshot_odds_by_starters", mapJson(longshotOddsByStarters(), [](double s) { return QJsonValue(s); }));
    o.insert("pair_to_harville", quantileJson(pairToHarville()));
    o.insert("win_pool_yen", quantileJson(poolYen(Pool::Win)));
    o.insert("seven_pools_yen", quantileJson(poolYen(kSevenPools)));
    o.insert("trifecta_pool_yen", quantileJson(poolYen(Pool::Trifecta)));
    o.insert("win_pool_yen_by_race_number", mapJson(poolYenByNumber(Pool::Win), quantileJson));
    o.insert("seven_pools_yen_by_race_number", mapJson(poolYenByNumber(kSevenPools), quantileJson));
    o.insert("seven_pools_yen_by_month", mapJson(poolYenByMonth(kSevenPools), quantileJson));
    QJsonObject mix;
    const auto shares = poolMix();
    for (size_t k = 0; k < shares.size(); ++k)
        mix.insert(QLatin1String(pools::kPools[k].key), shares[k]);
    o.insert("pool_mix", mix);
    QJsonObject returns;
    for (finish::Model model : finish::kModels) {
        QJsonObject byPool;
        for (size_t k = 0; k < pools::kPools.size(); ++k) {
            const ReturnSpread s = expectedReturns(model, pools::Pool(k));
            byPool.insert(QLatin1String(pools::kPools[k].key),
                          QJsonObject{{"bets", s.bets}, {"p25", s.p25}, {"median", s.median}, {"p75", s.p75}});
        }
        returns.insert(finish::modelKey(model), byPool);
    }
    o.insert("expected_return", returns);
    QJsonArray big;
    for (const RaceFigures& r : largest(10))
        big.append(QJsonObject{{"date", r.date.toString(Qt::ISODate)},
                               {"course", keiba::courseName2(r.courseCode)},
                               {"race", r.number},
                               {"name", r.name},
                               {"seven_pools_yen", poolYenOf(r, kSevenPools)},
                               {"trifecta_yen", poolYenOf(r, Pool::Trifecta)}});
    o.insert("largest", big);
    o.insert("skipped", QJsonArray::fromStringList(skipped_));
    const auto ratesJson = [](const FavouriteRates& f) {
        return QJsonObject{{"races", f.races}, {"won", f.won}, {"placed", f.placed}};
    };
    o.insert("results", results());
    o.insert("favourite_rates", ratesJson(favouriteRates()));
    o.insert("favourite_rates_by_starters", mapJson(favouriteRatesByStarters(), ratesJson));
    QJsonObject paid;
    for (size_t k = 0; k < pools::kPools.size(); ++k) {
        const PayoutSpread s = payouts(pools::Pool(k));
        paid.insert(QLatin1String(pools::kPools[k].key),
                    QJsonObject{{"payouts", s.payouts}, {"mean", s.mean}, {"median", s.median}});
    }
    o.insert("payout_yen", paid);
    o.insert("skipped_results", QJsonArray::fromStringList(skippedResults_));
    return o;
}

}  // namespace tavek::market
