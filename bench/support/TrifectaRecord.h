#pragma once

// An 18-runner race's trifecta record (H6) for the benchmarks: every one of
// its 4,896 entries with votes, the total their sum, sold (a race of 2024).

#include "pools/VotePools.h"
#include "racedata/RecordLayout.h"

#include <QByteArray>

namespace tavek::bench {

inline QByteArray fullTrifecta()
{
    QByteArray r(layout::kH6Length, ' ');
    layout::put(r, layout::kRecordType, pools::kTrifectaVotes.id);
    layout::put(r, layout::kRaceKey, "2024060105020811");
    layout::put(r, layout::kRegistered, QByteArray::number(pools::kMaxRunners));
    layout::put(r, layout::kStarters, QByteArray::number(pools::kMaxRunners));
    layout::put(r, layout::kH6SaleFlag, "7");
    for (int h = 1; h <= pools::kMaxRunners; ++h)
        layout::put(r, layout::h6RefundFlag(h), "0");
    const pools::VotePool& p = pools::pool(pools::Pool::Trifecta);
    long long total = 0;
    for (int n = 1; n <= p.entries; ++n) {
        const long long votes = 10 + (n * 7'919) % 9'000;
        layout::put(r, p.votes(n), QByteArray::number(votes).rightJustified(layout::kVoteLen, '0'));
        total += votes;
    }
    layout::put(r, p.total, QByteArray::number(total).rightJustified(layout::kVoteLen, '0'));
    return r;
}

}  // namespace tavek::bench
