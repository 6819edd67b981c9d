#include "replay/model/Settlement.h"

#include <algorithm>
#include <functional>

namespace tavek::replay {

namespace {

const pools::EntryPayout* paidOn(const pools::PoolPayout& payout, int entry)
{
    for (const pools::EntryPayout& e : payout.payouts)
        if (e.entry == entry)
            return &e;
    return nullptr;
}

// What a ticket of `stake` gets from `payout`, the pool as paid.
void pay(const pools::PoolPayout& payout, int entry, long long stake, long long& paidYen, long long& yen)
{
    const long long tickets = stake / pools::kYenPerVote;
    if (payout.special) {
        paidYen = pools::kSpecialPayoutYen;
    } else if (const pools::EntryPayout* e = paidOn(payout, entry)) {
        paidYen = e->yen;
    }
    yen = tickets * paidYen;
}

}  // namespace

std::vector<Settlement> settle(const payoutcheck::FinalVotes& final, const result::RaceResult& result,
                               std::span<const Ticket> tickets)
{
    std::vector<Settlement> settled(tickets.size());
    std::array<bool, pools::kPoolCount> touched{};
    for (const Ticket& t : tickets)
        touched[size_t(t.pool)] = true;
    const pools::RaceSales& sales = final.sales;
    for (size_t p = 0; p < touched.size(); ++p) {
        if (!touched[p])
            continue;
        const auto pool = pools::Pool(p);
        std::vector<int> winners;
        for (const pools::EntryPayout& paid : result.payouts[p].payouts)
            winners.push_back(paid.entry);
        pools::PoolPayout alone, with;
        if (final.known[p]) {
            pools::PoolSales staked = sales.pools[p];
            for (const Ticket& t : tickets)
                if (t.pool == pool && t.entry >= 1 && size_t(t.entry) <= staked.votes.size()) {
                    staked.votes[size_t(t.entry - 1)] += t.stake / pools::kYenPerVote;
                    staked.total += t.stake / pools::kYenPerVote;
                }
            alone = pools::payPool(pool, sales.pools[p], sales.refunds, sales.starters, winners);
            with = pools::payPool(pool, staked, sales.refunds, sales.starters, winners);
        } else {
            alone.notHeld = with.notHeld = true;
        }
        for (size_t i = 0; i < tickets.size(); ++i) {
            const Ticket& t = tickets[i];
            if (t.pool != pool)
                continue;
            Settlement& s = settled[i];
            if (with.notHeld || pools::entryRefunded(pool, t.entry, sales.refunds)) {
                s.refunded = true;
                s.payout = s.payoutAlone = t.stake;
                continue;
            }
            pay(with, t.entry, t.stake, s.paidYen, s.payout);
            pay(alone, t.entry, t.stake, s.paidYenAlone, s.payoutAlone);
            s.hit = !with.special && s.paidYen > 0;
        }
    }
    return settled;
}

std::vector<int> popularityRanks(pools::Pool pool, const pools::PoolSales& sales, const pools::Refunds& refunds)
{
    std::vector<long long> counted;
    counted.reserve(sales.votes.size());
    for (size_t n = 0; n < sales.votes.size(); ++n)
        if (!pools::entryRefunded(pool, int(n + 1), refunds))
            counted.push_back(sales.votes[n]);
    std::sort(counted.begin(), counted.end(), std::greater<>());
    std::vector<int> ranks(sales.votes.size(), 0);
    for (size_t n = 0; n < sales.votes.size(); ++n) {
        const long long v = sales.votes[n];
        if (v <= 0 || pools::entryRefunded(pool, int(n + 1), refunds))
            continue;
        // The entries with more votes lie before the first of v in descending order.
        ranks[n] = 1 + int(std::lower_bound(counted.begin(), counted.end(), v, std::greater<>()) - counted.begin());
    }
    return ranks;
}

}  // namespace tavek::replay
