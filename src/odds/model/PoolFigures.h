#pragma once

#include "pools/Payout.h"
#include "pools/PoolIndex.h"
#include "racedata/RecordLayout.h"

#include <QByteArrayView>
#include <algorithm>
#include <array>
#include <vector>

// The figures of one place, wide, exacta, trio or trifecta pool and their
// paid odds (pools/Payout). Exacta, trio and trifecta pay one winning entry;
// place and wide pay
// several. Before the race the other winners are unknown, so place and wide
// odds are a range: the lower end with the most-backed other winners, the
// upper end with the least-backed. All figures are exact integers.
namespace tavek::sim {

struct PoolFigures {
    pools::Pool pool = pools::Pool::Trio;
    pools::PayoutRate rate{1, 1};
    int starters = 0;  // 出走頭数: decides whether the pool is sold, and place's K
    int runners = 0;   // registered runners: those that may finish in the money
    std::array<bool, pools::kRecordSlots + 1> refunded{};  // by runner, [0] unused
    bool onSale = true;            // the trifecta: sold on the race's date and number, sale flag not "0"
    long long total = -1;          // -1: blank
    std::vector<long long> votes;  // entry n at [n - 1]; -1: blank

    long long entryVotes(int n) const { return votes[size_t(n - 1)]; }
};

// The pool's figures as the record holds them (the trifecta's H6 record, the
// vote-count record for the others); a blank field, or one that is no
// number, reads -1, as the other tabs read theirs.
PoolFigures readPoolFigures(pools::Pool pool, QByteArrayView record);

// Sold: enough starters, a total above 0 and (the trifecta) a race JRA sold
// it in (pools::poolHeld). An unsold pool (発売なし) has no odds and refuses
// every simulation.
bool poolSold(const PoolFigures& figures);

// An entry naming a refunded (返還) runner.
bool entryRefunded(const PoolFigures& figures, int n);

// An entry naming registered runners only: the entries a race shows.
bool entryInField(const PoolFigures& figures, int n);

// The same of an entry's runners (pools::entryRunners), for a caller that
// has them at hand: a season's statistics ask for thousands of entries a race.
inline bool runnersRefunded(const PoolFigures& figures, const pools::EntryRunners& runners)
{
    return std::any_of(runners.begin(), runners.end(), [&](int h) { return h > 0 && figures.refunded[size_t(h)]; });
}
inline bool runnersInField(const PoolFigures& figures, const pools::EntryRunners& runners)
{
    return runners[0] >= 1 && std::all_of(runners.begin(), runners.end(), [&](int h) { return h <= figures.runners; });
}

// The winning sets that give entry n the lowest and the highest payout. Place:
// the K - 1 most-backed, or least-backed, of the runners other than n that are
// not refunded. Wide a-b: the third runner c (not refunded, not a or b) with
// the largest, or smallest, votes of a-c plus b-c. Where fewer runners than
// K - 1 are left, all of them win with it and K counts them. Exacta, trio and trifecta:
// {1, 0} at both ends.
struct RangeEnds {
    pools::WinningSet low;
    pools::WinningSet high;
};
RangeEnds rangeEnds(const PoolFigures& figures, int n);

// Odds in tenths; low == high for exacta, trio and trifecta. Zero where there are none.
struct OddsRange {
    long long low = 0;
    long long high = 0;
    bool has() const { return low > 0; }
    bool operator==(const OddsRange&) const = default;
};

// The odds of entry n: none when the pool is not sold, the entry is refunded
// or has no votes (blank or 0). `runners` are the entry's, when at hand.
OddsRange oddsRange(const PoolFigures& figures, int n);
OddsRange oddsRange(const PoolFigures& figures, int n, const pools::EntryRunners& runners);

}  // namespace tavek::sim
