#include "odds/model/PoolFigures.h"

#include "odds/model/PairFigures.h"
#include "odds/model/SimulationRefusal.h"
#include "pools/PairIndex.h"
#include "pools/RacePayouts.h"
#include "racedata/RecordField.h"

#include <algorithm>
#include <functional>

namespace tavek::sim {

namespace {

// The other winners of place entry `horse`: the K - 1 runners of the largest,
// or smallest, votes. K - 1 is at most 2: a partial sort of the candidates is
// enough, and the same walk serves dutching, where each stake moves a runner.
RangeEnds placeEnds(const PoolFigures& f, int horse)
{
    std::array<long long, pools::kRecordSlots> candidates{};
    size_t count = 0;
    for (int h = 1; h <= std::min(f.runners, pools::kRecordSlots); ++h)
        if (h != horse && !f.refunded[size_t(h)])
            candidates[count++] = std::max(f.entryVotes(h), 0LL);
    const size_t take = std::min(size_t(pools::placeWinners(f.starters) - 1), count);
    const auto sumOfFirst = [&](auto order) {
        std::partial_sort(candidates.begin(), candidates.begin() + take, candidates.begin() + count, order);
        long long sum = 0;
        for (size_t i = 0; i < take; ++i)
            sum += candidates[i];
        return sum;
    };
    const int winners = int(take) + 1;
    const long long most = sumOfFirst(std::greater<>());
    return {{winners, most}, {winners, sumOfFirst(std::less<>())}};
}

// The other winners of wide pair a-b: pairs a-c and b-c of one third runner c.
RangeEnds wideEnds(const PoolFigures& f, int k)
{
    const pools::EntryRunners ab = pools::entryRunners(f.pool, k);
    const auto votesOf = [&](int x, int y) {
        return std::max(f.entryVotes(pools::pairIndexOf(pools::PairKind::Quinella, std::min(x, y), std::max(x, y))),
                        0LL);
    };
    RangeEnds ends;
    bool any = false;
    for (int c = 1; c <= std::min(f.runners, pools::kMaxRunners); ++c) {
        if (c == ab[0] || c == ab[1] || f.refunded[size_t(c)])
            continue;
        const long long others = votesOf(ab[0], c) + votesOf(ab[1], c);
        if (!any || others > ends.low.others)
            ends.low = {3, others};
        if (!any || others < ends.high.others)
            ends.high = {3, others};
        any = true;
    }
    return ends;
}

}  // namespace

PoolFigures readPoolFigures(pools::Pool pool, QByteArrayView record)
{
    const pools::VotePool& table = pools::pool(pool);
    PoolFigures f;
    f.pool = pool;
    f.rate = table.rate(record::raceDate(record));
    f.starters = record::blankAsZero(record, layout::kStarters, 2);
    f.runners = record::blankAsZero(record, layout::kRegistered, 2);
    if (pools::inVoteCounts(pool)) {
        for (int h = 1; h <= pools::kRecordSlots; ++h)
            f.refunded[size_t(h)] = runnerRefunded(record, h);
    } else {
        for (int h = 1; h <= pools::kMaxRunners; ++h)
            f.refunded[size_t(h)] = trifectaRefunded(record, h);
        f.onSale = pools::trifectaSold(record::raceDate(record), record::blankAsZero(record, layout::kRaceNumber, 2))
                   && record::field(record, layout::kH6SaleFlag, 1) != "0";
    }
    f.total = readFigure(record, table.total);
    f.votes.resize(size_t(table.entries));
    for (int n = 1; n <= table.entries; ++n)
        f.votes[size_t(n - 1)] = readFigure(record, table.votes(n));
    return f;
}

bool poolSold(const PoolFigures& figures)
{
    return pools::poolHeld(figures.pool, figures.onSale, figures.starters, figures.total);
}

bool entryRefunded(const PoolFigures& figures, int n)
{
    return runnersRefunded(figures, pools::entryRunners(figures.pool, n));
}

bool entryInField(const PoolFigures& figures, int n)
{
    return runnersInField(figures, pools::entryRunners(figures.pool, n));
}

RangeEnds rangeEnds(const PoolFigures& figures, int n)
{
    switch (figures.pool) {
    case pools::Pool::Place:
        return placeEnds(figures, n);
    case pools::Pool::Wide:
        return wideEnds(figures, n);
    default:
        return {};
    }
}

OddsRange oddsRange(const PoolFigures& figures, int n)
{
    return oddsRange(figures, n, pools::entryRunners(figures.pool, n));
}

OddsRange oddsRange(const PoolFigures& figures, int n, const pools::EntryRunners& runners)
{
    const long long votes = figures.entryVotes(n);
    if (votes <= 0 || !poolSold(figures) || runnersRefunded(figures, runners))
        return {};
    // A pool of one winning entry has one odds, of no other winners: the 妙味
    // figures and a season's statistics ask for thousands a race.
    if (figures.pool != pools::Pool::Place && figures.pool != pools::Pool::Wide) {
        const long long odds = pools::paidOddsTenths(figures.rate, {}, votes, figures.total);
        return {odds, odds};
    }
    const RangeEnds ends = rangeEnds(figures, n);
    const long long low = pools::paidOddsTenths(figures.rate, ends.low, votes, figures.total);
    if (ends.high.winners == ends.low.winners && ends.high.others == ends.low.others)
        return {low, low};
    return {low, pools::paidOddsTenths(figures.rate, ends.high, votes, figures.total)};
}

}  // namespace tavek::sim
