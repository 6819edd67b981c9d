#include "replay/model/ReplayReport.h"

#include "pools/PoolIndex.h"
#include "racedata/NumberFormat.h"

#include <algorithm>

namespace tavek::replay {

namespace {

// The band of `value` among lower ends `lows` (ascending): the last at or below it.
template <typename T, size_t N>
size_t bandOf(const std::array<T, N>& lows, T value)
{
    const auto after = std::upper_bound(lows.begin(), lows.end(), value);
    return after == lows.begin() ? 0 : size_t(after - lows.begin() - 1);
}

void count(Tally& t, const BetRow& bet)
{
    ++t.bets;
    t.hits += bet.hit ? 1 : 0;
    t.staked += bet.stake;
    t.returned += bet.payout;
}

template <size_t N>
std::vector<Band> bands(const std::array<Tally, N>& tallies, QString (*label)(size_t))
{
    std::vector<Band> out;
    for (size_t b = 0; b < N; ++b)
        if (tallies[b].bets > 0)
            out.push_back({label(b), tallies[b], 0});
    return out;
}

QString tallyLine(const QString& name, const Tally& t)
{
    return QStringLiteral("%1\t%2点\t的中 %3\t購入 %4\t払戻 %5\t回収率 %6")
        .arg(name)
        .arg(t.bets)
        .arg(t.hits)
        .arg(yenText(t.staked), yenText(t.returned), percentText(t.returnPercent()));
}

}  // namespace

Report::Report(long long bankroll) : start_(bankroll), bankroll_(bankroll), peak_(bankroll)
{
}

void Report::add(const BetRow& bet)
{
    count(total_, bet);
    count(byPool_[size_t(bet.pool)], bet);
    if (bet.popularity > 0)
        count(popularity_[bandOf(kPopularityBands, bet.popularity)], bet);
    count(odds_[bandOf(kOddsBands, std::max(bet.oddsTenths, kOddsBands.front()))], bet);
    if (bet.expectedReturn >= 0) {
        const size_t b = bandOf(kReturnBands, bet.expectedReturn);
        count(calibration_[b], bet);
        predicted_[b] += bet.expectedReturn;
    }
    ++alone_.bets;
    alone_.hits += bet.hit ? 1 : 0;
    alone_.staked += bet.stake;
    alone_.returned += bet.payoutAlone;
    if (bet.hit)
        run_ = 0;
    else if (!bet.refunded)
        longestRun_ = std::max(longestRun_, ++run_);
}

void Report::endRace(long long bankroll)
{
    bankroll_ = bankroll;
    peak_ = std::max(peak_, bankroll);
    maxDrawdown_ = std::max(maxDrawdown_, peak_ - bankroll);
    curve_.push_back(bankroll);
}

std::vector<Band> Report::byPopularity() const
{
    return bands(popularity_, popularityBandLabel);
}

std::vector<Band> Report::byOdds() const
{
    return bands(odds_, oddsBandLabel);
}

std::vector<Band> Report::calibration() const
{
    std::vector<Band> out;
    for (size_t b = 0; b < calibration_.size(); ++b)
        if (calibration_[b].bets > 0)
            out.push_back({returnBandLabel(b), calibration_[b], predicted_[b] / calibration_[b].bets});
    return out;
}

QStringList Report::lines() const
{
    QStringList lines;
    lines << QStringLiteral("レース数\t%1（時点の票数がなく見送り %2、結果なし %3）")
                 .arg(races_)
                 .arg(skipped_)
                 .arg(withoutResult_);
    lines << QStringLiteral("購入\t%1点\t%2").arg(total_.bets).arg(yenText(total_.staked));
    lines << QStringLiteral("的中\t%1点\t的中率 %2").arg(total_.hits).arg(percentText(total_.hitRate()));
    lines << QStringLiteral("払戻\t%1\t回収率 %2").arg(yenText(total_.returned), percentText(total_.returnPercent()));
    lines << QStringLiteral("収支\t%1").arg(yenText(total_.profit()));
    lines << QStringLiteral("資金\t%1 → %2\t最大ドローダウン %3\t最長連敗 %4")
                 .arg(yenText(start_), yenText(bankroll_), yenText(maxDrawdown_))
                 .arg(longestRun_);
    lines << QStringLiteral("自分の票を除くと\t払戻 %1\t回収率 %2\t差 %3")
                 .arg(yenText(alone_.returned), percentText(alone_.returnPercent()),
                      yenText(total_.returned - alone_.returned));
    lines << QString() << QStringLiteral("券種別");
    for (size_t p = 0; p < byPool_.size(); ++p)
        if (byPool_[p].bets > 0)
            lines << tallyLine(pools::pool(pools::Pool(p)).caption(), byPool_[p]);
    lines << QString() << QStringLiteral("人気別");
    for (const Band& b : byPopularity())
        lines << tallyLine(b.label, b.tally);
    lines << QString() << QStringLiteral("オッズ別");
    for (const Band& b : byOdds())
        lines << tallyLine(b.label, b.tally);
    const std::vector<Band> honesty = calibration();
    if (!honesty.empty()) {
        lines << QString() << QStringLiteral("モデルの期待回収率と実際");
        for (const Band& b : honesty)
            lines << tallyLine(b.label, b.tally) + QStringLiteral("\t期待 %1").arg(percentText(b.predicted));
    }
    return lines;
}

QString yenText(long long yen)
{
    return fmt::grouped(yen, 0) + u'円';
}

QString percentText(double percent)
{
    return QString::number(percent, 'f', 1) + u'%';
}

QString oddsText(long long tenths)
{
    return fmt::tenths(tenths, 0);
}

QString popularityBandLabel(size_t band)
{
    const int low = kPopularityBands[band];
    if (band + 1 == kPopularityBands.size())
        return QStringLiteral("%1番人気〜").arg(low);
    const int high = kPopularityBands[band + 1] - 1;
    return low == high ? QStringLiteral("%1番人気").arg(low) : QStringLiteral("%1〜%2番人気").arg(low).arg(high);
}

QString oddsBandLabel(size_t band)
{
    const QString low = oddsText(kOddsBands[band]);
    if (band + 1 == kOddsBands.size())
        return QStringLiteral("%1倍〜").arg(low);
    return QStringLiteral("%1〜%2倍").arg(low, oddsText(kOddsBands[band + 1] - 1));
}

QString returnBandLabel(size_t band)
{
    const auto low = QString::number(kReturnBands[band]);
    if (band + 1 == kReturnBands.size())
        return QStringLiteral("期待 %1%〜").arg(low);
    return QStringLiteral("期待 %1〜%2%").arg(low, QString::number(kReturnBands[band + 1]));
}

QStringList betColumns()
{
    return {QStringLiteral("日付"),       QStringLiteral("レース"), QStringLiteral("券種"),
            QStringLiteral("組番"),       QStringLiteral("金額"),   QStringLiteral("時点オッズ"),
            QStringLiteral("払戻オッズ"), QStringLiteral("払戻"),   QStringLiteral("残高")};
}

QStringList betRow(const BetRow& bet)
{
    return {bet.date,
            bet.race,
            pools::pool(bet.pool).caption(),
            pools::entryLabel(bet.pool, bet.entry),
            QString::number(bet.stake),
            oddsText(bet.oddsTenths),
            bet.paidYen > 0 ? oddsText(bet.paidYen / 10) : QString(),
            QString::number(bet.payout),
            QString::number(bet.bankrollAfter)};
}

}  // namespace tavek::replay
