#include "odds/model/WinModel.h"

#include "pools/Payout.h"
#include "racedata/RecordField.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace tavek::win {

namespace {

bool hasVirtual(int horse)
{
    return horse >= 1 && horse <= kWinFigures;
}

bool hasReal(int horse)
{
    return horse >= 1 && horse <= layout::kMaxWinEntries;
}

std::runtime_error raceFailure(const DayData& day, int race, const QString& text)
{
    return std::runtime_error(QStringLiteral("レース %1（%2）：%3")
                                  .arg(raceItemText(day.raceRecord(race)), day.voteFilePath(), text)
                                  .toStdString());
}

void checkHorse(const DayData& day, int race, int horse)
{
    if (!hasVirtual(horse))
        throw raceFailure(
            day, race,
            QStringLiteral("馬番 %1 はシミュレーションできません（対象は馬番 1～%2）。").arg(horse).arg(kWinFigures));
}

// The odds simulation's strict reading: a blank field is an error too.
int strictField(const DayData& day, int race, int position, const QString& what)
{
    const QByteArrayView f = record::field(day.voteRecord(race), position, layout::kVoteLen);
    int value = -1;
    if (!record::tryBlankAsAbsent(f, value) || value < 0)
        throw raceFailure(
            day, race,
            QStringLiteral("票数レコードの%1が「%2」で数字でないため、オッズのシミュレーションができません。")
                .arg(what, QString::fromLatin1(f)));
    return value;
}

int checkedFigure(const DayData& day, int race, long long value)
{
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw raceFailure(day, race, QStringLiteral("仮想の票数が範囲を超えます。"));
    return int(value);
}

}  // namespace

int recordFigure(QByteArrayView voteRecord, int position)
{
    int value = -1;
    record::tryBlankAsAbsent(record::field(voteRecord, position, layout::kVoteLen), value);
    return std::max(value, 0);
}

int recordVotes(const DayData& day, int race, int horse)
{
    return recordFigure(day.voteRecord(race), layout::winVotes(horse));
}

int recordTotal(const DayData& day, int race)
{
    return recordFigure(day.voteRecord(race), layout::kWinTotal);
}

long double winOdds(long long total, long long votes)
{
    return pools::exactOdds(kPayoutRate, total, votes);
}

std::optional<long double> realShare(const DayData& day, int race, int horse)
{
    const int total = recordTotal(day, race);
    if (!hasReal(horse) || total == 0)
        return std::nullopt;
    return static_cast<long double>(recordVotes(day, race, horse)) / total * 100;
}

std::optional<long double> realOdds(const DayData& day, int race, int horse)
{
    return recordOdds(day.voteRecord(race), horse);
}

std::optional<long double> recordOdds(QByteArrayView voteRecord, int horse)
{
    const int votes = hasReal(horse) ? recordFigure(voteRecord, layout::winVotes(horse)) : 0;
    if (votes == 0)
        return std::nullopt;
    return winOdds(recordFigure(voteRecord, layout::kWinTotal), votes);
}

std::optional<int> virtualVotes(const DayData& day, int race, int horse)
{
    if (!hasVirtual(horse) || day.winVotes(race)[horse - 1] <= 0)
        return std::nullopt;
    return day.winVotes(race)[horse - 1];
}

std::optional<long double> virtualShare(const DayData& day, int race, int horse)
{
    const int total = day.winTotal(race);
    if (!hasVirtual(horse) || total <= 0)
        return std::nullopt;
    const int votes = std::max(day.winVotes(race)[horse - 1], 0);
    return static_cast<long double>(votes) / total * 100;
}

std::optional<long double> virtualOdds(const DayData& day, int race, int horse)
{
    const std::optional<int> votes = virtualVotes(day, race, horse);
    if (!votes)
        return std::nullopt;
    return winOdds(day.winTotal(race), *votes);
}

void winReset(DayData& day, int race)
{
    day.readWinFigures(race);
}

void stakeSimulation(DayData& day, int race, int horse, long long yen)
{
    checkHorse(day, race, horse);
    if (yen < 0 || yen > kMaxStake)
        throw raceFailure(day, race, QStringLiteral("金額 %1 円は 0～%2 円の範囲外です。").arg(yen).arg(kMaxStake));
    winReset(day, race);
    const long long votes = yen / pools::kYenPerVote;
    const int total = checkedFigure(day, race, day.winTotal(race) + votes);
    const int runner = checkedFigure(day, race, day.winVotes(race)[horse - 1] + votes);
    day.winTotal(race) = total;
    day.winVotes(race)[horse - 1] = runner;
}

OddsOutcome oddsSimulation(DayData& day, int race, int horse, long double odds)
{
    checkHorse(day, race, horse);
    const int v = strictField(day, race, layout::winVotes(horse), QStringLiteral("馬番 %1 の単勝票数").arg(horse));
    const int t = strictField(day, race, layout::kWinTotal, QStringLiteral("単勝合計票数"));
    if (t == 0)
        throw raceFailure(day, race, QStringLiteral("単勝合計票数が 0 のため、オッズのシミュレーションができません。"));

    // The steps keep the old program's stored doubles: its results depend on them.
    const double s = static_cast<long double>(v) / t;
    OddsOutcome out;
    if (!(odds > 1.0L))  // also refuses a NaN
        return out;
    const double d = s - kPayoutRate / odds;
    const double y = (static_cast<long double>(t) * d) / (d - static_cast<long double>(v) / t + 1);
    out.excess = y;
    if (!(y > 0)) {
        // Odds at or below the current ones: refused, and every figure stays
        // as it was, the last accepted simulation included.
        out.result = sim::SimResult::Unrealistic;
        return out;
    }
    const long long e = static_cast<long long>(std::trunc(y));
    // Both figures are checked before either is written, so a failure leaves
    // the race as it was.
    const int runner = checkedFigure(day, race, v - e);
    const int total = checkedFigure(day, race, t - e);
    winReset(day, race);
    day.winVotes(race)[horse - 1] = runner;
    day.winTotal(race) = total;
    out.result = sim::SimResult::Accepted;
    out.amount = e * pools::kYenPerVote;
    return out;
}

}  // namespace tavek::win
