#include "simulation/model/PairFigures.h"

#include "racedata/NumberFormat.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"
#include "simulation/model/PairPayoutRate.h"

#include <stdexcept>

namespace tavek::sim {

namespace {

const char* kindName(PairKind kind)
{
    return kind == PairKind::Quinella ? "quinella" : "bracket-quinella";
}

int readAbsent(PairKind kind, QByteArrayView record, int position, int k)
{
    try {
        return record::blankAsAbsent(record, position, layout::kVoteLen);
    } catch (const record::FieldError& e) {
        const std::string what = k == 0 ? std::string(kindName(kind)) + " total"
                                        : std::string(kindName(kind)) + " votes of pair "
                                              + pairLabel(kind, k).toStdString();
        throw std::runtime_error(what + " in the vote-count record of race "
                                 + raceKeyText(record).toStdString() + ": " + e.what());
    }
}

}  // namespace

int pairTotalPosition(PairKind kind)
{
    return kind == PairKind::Quinella ? layout::kQuinellaTotal : layout::kBracketTotal;
}

int pairVotesPosition(PairKind kind, int k)
{
    return kind == PairKind::Quinella ? layout::quinellaVotes(k) : layout::bracketVotes(k);
}

QString raceKeyText(QByteArrayView record)
{
    return QString::fromLatin1(record::field(record, layout::kRaceKey, layout::kRaceKeyLen));
}

void resetPairFigures(PairKind kind, QByteArrayView record, PairFigures figures)
{
    figures.total = readAbsent(kind, record, pairTotalPosition(kind), 0);
    for (int k = 1; k <= pairCount(kind) && k <= int(figures.votes.size()); ++k)
        figures.votes[size_t(k - 1)] = readAbsent(kind, record, pairVotesPosition(kind, k), k);
}

QString pairOddsText(long double rate, int total, int votes)
{
    return fmt::odds6(static_cast<long double>(total) * rate / votes);
}

QString realOddsText(PairKind kind, QByteArrayView record, int k)
{
    const int votes = readAbsent(kind, record, pairVotesPosition(kind, k), k);
    if (votes <= 0)
        return QStringLiteral(" ");
    const int total = record::blankAsZero(record, pairTotalPosition(kind), layout::kVoteLen);
    return pairOddsText(pairPayoutRate(record), total, votes);
}

QString realTotalText(PairKind kind, QByteArrayView record)
{
    return fmt::grouped11(record::blankAsZero(record, pairTotalPosition(kind), layout::kVoteLen));
}

}  // namespace tavek::sim
