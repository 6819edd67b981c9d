#pragma once

#include "odds/model/PairFigures.h"
#include "odds/model/SimInput.h"
#include "odds/model/SimResult.h"
#include "pools/PairIndex.h"

#include <QString>
#include <QStringView>
#include <vector>

namespace tavek::sim {

// Everything the quinella or bracket-quinella tab shows: a real-odds and a
// virtual-odds cell per pair (indexed by pair index), the three boxes of the
// totals strip, and which cells carry the selection mark and colour. The tabs
// paint from it and tavek-cli prints it, so both show the same texts.
class PairBoard {
public:
    struct Cell {
        QString text;
        bool mark = false;      // selection mark
        bool selected = false;  // painted in the selection colour
    };

    explicit PairBoard(pools::PairKind kind);

    pools::PairKind kind() const { return kind_; }
    int size() const { return pools::pairCount(kind_); }
    const Cell& real(int k) const { return real_[size_t(k)]; }
    const Cell& virtualCell(int k) const { return virtual_[size_t(k)]; }
    const QString& realTotal() const { return realTotal_; }
    const QString& virtualTotal() const { return virtualTotal_; }
    const QString& excess() const { return excess_; }

    // Race selection: empties both total boxes and every cell's text and
    // mark; colours and the excess amount stay.
    void clear();

    // The quinella calculation, or the bracket section of the win
    // calculation: figures read again from the record, real cells and real
    // total written, virtual total emptied. The last accepted simulation,
    // when it ran on this same race, then runs again on the record's figures
    // (a quick report reloaded them); refused now, it is dropped and
    // dropped() says so.
    void calculate(QByteArrayView record, PairFigures figures);

    // The note on a simulation the last calculation dropped; empty otherwise.
    const QString& dropped() const { return dropped_; }

    // A click on a real-odds or virtual-odds cell: marks and colours as the
    // tab shows them afterwards. Returns the pair whose dialog opens, 0 for none.
    int clickReal(int k);
    int clickVirtual(int k);

    // OK of the stake dialog: `yen` on the pair labelled `label`. A label of
    // no pair changes nothing and gives None; so do Refunded and NoVotes
    // (see pairRefusal), which refuse the pair.
    SimResult simulateStake(QByteArrayView record, PairFigures figures, QStringView label, long long yen);

    // OK of the odds dialog: the odds `odds` wanted for the pair labelled
    // `label`. Throws std::runtime_error when the record has no votes or no
    // total for it.
    SimResult simulateOdds(QByteArrayView record, PairFigures figures, QStringView label, long double odds);

private:
    void showVirtualOdds(long double rate, const PairFigures& figures, bool needTotal);

    pools::PairKind kind_;
    std::vector<Cell> real_;  // [0] unused: indexed by pair index
    std::vector<Cell> virtual_;
    QString realTotal_;
    QString virtualTotal_;
    QString excess_;
    SimInput last_;
    QString dropped_;
};

}  // namespace tavek::sim
