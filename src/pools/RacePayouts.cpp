#include "pools/RacePayouts.h"

#include "pools/Payout.h"
#include "pools/PoolIndex.h"

#include <algorithm>

namespace tavek::pools {

namespace {

long long votesOf(const PoolSales& sales, int entry)
{
    return entry >= 1 && size_t(entry) <= sales.votes.size() ? std::max(sales.votes[size_t(entry - 1)], 0LL) : 0;
}

bool anyRefunded(Pool pool, const Refunds& refunds)
{
    // Most races refund nothing: no entry to look at.
    if (refunds == Refunds{})
        return false;
    for (int n = 1; n <= pools::pool(pool).entries; ++n)
        if (entryRefunded(pool, n, refunds))
            return true;
    return false;
}

}  // namespace

int saleStarters(Pool pool)
{
    switch (pool) {
    case Pool::Place:
        return 5;
    case Pool::Exacta:
    case Pool::Trifecta:
        return 3;
    default:
        return 4;
    }
}

Refunds refundsOf(const std::array<bool, kRecordSlots + 1>& refunded, int registered, const Brackets& brackets)
{
    Refunds refunds;
    refunds.runner = refunded;
    std::array<int, kBrackets + 1> runners{}, left{};
    for (int h = 1; h <= std::min(registered, kMaxRunners); ++h) {
        const int b = brackets[size_t(h)];
        if (b < 1 || b > kBrackets)
            continue;
        ++runners[size_t(b)];
        left[size_t(b)] += refunded[size_t(h)] ? 0 : 1;
    }
    for (size_t b = 1; b <= size_t(kBrackets); ++b) {
        refunds.bracket[b] = runners[b] > 0 && left[b] == 0;
        refunds.sameBracket[b] = runners[b] >= 2 && left[b] < 2;
    }
    return refunds;
}

bool entryRefunded(Pool pool, int entry, const Refunds& refunds)
{
    const EntryRunners r = entryRunners(pool, entry);
    if (pool == Pool::Bracket)
        return r[0] > 0
               && (refunds.bracket[size_t(r[0])] || refunds.bracket[size_t(r[1])]
                   || (r[0] == r[1] && refunds.sameBracket[size_t(r[0])]));
    return std::any_of(r.begin(), r.end(), [&](int h) { return h > 0 && refunds.runner[size_t(h)]; });
}

bool poolHeld(Pool pool, bool onSale, int starters, long long total)
{
    return onSale && starters >= saleStarters(pool) && total > 0;
}

int popularity(Pool pool, const PoolSales& sales, const Refunds& refunds, int entry)
{
    const long long votes = votesOf(sales, entry);
    if (votes <= 0)
        return 0;
    int more = 0;
    for (int n = 1; n <= int(sales.votes.size()); ++n)
        if (sales.votes[size_t(n - 1)] > votes && !entryRefunded(pool, n, refunds))
            ++more;
    return more + 1;
}

PoolPayout payPool(Pool pool, const PoolSales& sales, const Refunds& refunds, int starters,
                   std::span<const int> winners)
{
    PoolPayout paid;
    if (!poolHeld(pool, sales.onSale, starters, sales.total)) {
        paid.notHeld = true;
        return paid;
    }
    paid.refunds = anyRefunded(pool, refunds);
    long long shared = sales.total, winning = 0;
    for (int n = 1; paid.refunds && n <= int(sales.votes.size()); ++n)
        if (entryRefunded(pool, n, refunds))
            shared -= votesOf(sales, n);
    std::vector<int> backed;
    for (int entry : winners)
        if (votesOf(sales, entry) > 0 && !entryRefunded(pool, entry, refunds)) {
            backed.push_back(entry);
            winning += votesOf(sales, entry);
        }
    if (backed.empty()) {
        paid.special = !winners.empty();
        for (int entry : winners)
            paid.payouts.push_back({entry, kSpecialPayoutYen, 0});
        return paid;
    }
    const int k = int(backed.size());
    for (int entry : backed) {
        const long long votes = votesOf(sales, entry);
        const long long tenths = paidOddsTenths(sales.rate, WinningSet{k, winning - votes}, votes, shared);
        paid.payouts.push_back({entry, tenths * 10, popularity(pool, sales, refunds, entry)});
    }
    return paid;
}

RacePayouts racePayouts(const RaceSales& sales, const FinishingOrder& order)
{
    RacePayouts paid;
    for (size_t p = 0; p < size_t(kPoolCount); ++p) {
        const Pool pool = Pool(p);
        const std::vector<int> winners = winningEntries(pool, order, sales.starters, sales.brackets);
        paid[p] = payPool(pool, sales.pools[p], sales.refunds, sales.starters, winners);
    }
    return paid;
}

}  // namespace tavek::pools
