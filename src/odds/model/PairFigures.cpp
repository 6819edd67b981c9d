#include "odds/model/PairFigures.h"

#include "pools/Payout.h"
#include "racedata/NumberFormat.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"

#include <algorithm>

namespace tavek::sim {

int pairTotalPosition(pools::PairKind kind)
{
    return pools::pool(pools::pairPool(kind)).total;
}

int pairVotesPosition(pools::PairKind kind, int k)
{
    return pools::pool(pools::pairPool(kind)).votes(k);
}

QString raceKeyText(QByteArrayView record)
{
    return QString::fromLatin1(record::field(record, layout::kRaceKey, layout::kRaceKeyLen));
}

void resetPairFigures(pools::PairKind kind, QByteArrayView record, PairFigures figures)
{
    figures.total = readFigure(record, pairTotalPosition(kind));
    for (int k = 1; k <= pools::pairCount(kind) && k <= int(figures.votes.size()); ++k)
        figures.votes[size_t(k - 1)] = readFigure(record, pairVotesPosition(kind, k));
}

QString pairOddsText(long double rate, long long total, long long votes)
{
    return fmt::odds6(pools::exactOdds(rate, total, votes));
}

QString realOddsText(pools::PairKind kind, QByteArrayView record, int k)
{
    const int votes = readFigure(record, pairVotesPosition(kind, k));
    if (votes <= 0)
        return QStringLiteral(" ");
    const int total = std::max(readFigure(record, pairTotalPosition(kind)), 0);
    return pairOddsText(pools::pool(pools::pairPool(kind)).rate(record::raceDate(record)).value(), total, votes);
}

QString realTotalText(pools::PairKind kind, QByteArrayView record)
{
    return fmt::grouped11(std::max(readFigure(record, pairTotalPosition(kind)), 0));
}

}  // namespace tavek::sim
