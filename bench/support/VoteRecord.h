#pragma once

// An 18-runner race's vote-count record (H1) for the benchmarks: every entry
// of its seven pools with votes, each total their sum.

#include "pools/VotePools.h"
#include "racedata/RecordLayout.h"

#include <QByteArray>

namespace tavek::bench {

inline QByteArray fullVoteCounts()
{
    QByteArray record(layout::kH1Length, ' ');
    layout::put(record, layout::kRegistered, QByteArray::number(pools::kMaxRunners));
    layout::put(record, layout::kStarters, QByteArray::number(pools::kMaxRunners));
    for (int h = 1; h <= layout::kMaxWinEntries; ++h)
        layout::put(record, layout::refundFlag(h), "0");
    for (const pools::VotePool& pool : pools::voteCountPools()) {
        const int entries = pool.runners == 1 ? pools::kMaxRunners : pool.entries;
        long long total = 0;
        for (int n = 1; n <= entries; ++n) {
            const long long votes = 500 + (n * 7919LL) % 90'000;
            layout::put(record, pool.votes(n), QByteArray::number(votes).rightJustified(layout::kVoteLen, '0'));
            total += votes;
        }
        layout::put(record, pool.total, QByteArray::number(total).rightJustified(layout::kVoteLen, '0'));
    }
    return record;
}

}  // namespace tavek::bench
