#pragma once

#include "pools/PairIndex.h"
#include "racedata/RecordField.h"
#include "racedata/RecordLayout.h"

#include <QByteArrayView>
#include <QString>
#include <span>

// The quinella and bracket-quinella figures of one race slot: the real ones
// read from the vote-count record, moved into virtual ones by a simulation.
namespace tavek::sim {

// Where a slot's figures live (in the day data): its total and the votes of
// pairs 1..n as votes[k - 1]. -1 means no value.
struct PairFigures {
    int& total;
    std::span<int> votes;
};

// Record positions of the pair table and total of a kind.
int pairTotalPosition(pools::PairKind kind);
int pairVotesPosition(pools::PairKind kind, int k);

// The vote field at `position`, blank-as-absent: -1 when blank or no number.
// Figures the tabs show never stop a race selection: a field that is not a
// number reads as blank, as in the day load's reading of the quinella figures.
// Inline: a trifecta record holds 4,896.
inline int readFigure(QByteArrayView record, int position)
{
    int value = -1;
    record::tryBlankAsAbsent(record::field(record, position, layout::kVoteLen), value);
    return value;
}

// Reads the total and every pair's votes again from the record,
// blank-as-absent; a field that is not a number reads -1.
void resetPairFigures(pools::PairKind kind, QByteArrayView record, PairFigures figures);

// The real-odds cell of pair k: record total x rate / pair votes as "%6.1f",
// or " " when the pair has no votes.
QString realOddsText(pools::PairKind kind, QByteArrayView record, int k);

// The real-total box: the record's total, blank-as-zero, as "%11.0n".
QString realTotalText(pools::PairKind kind, QByteArrayView record);

// The exact odds total x rate / votes (pools::exactOdds) as "%6.1f".
QString pairOddsText(long double rate, long long total, long long votes);

// The race key (positions 12-27), for error messages.
QString raceKeyText(QByteArrayView record);

}  // namespace tavek::sim
