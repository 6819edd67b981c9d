#pragma once

#include "payoutcheck/PayoutCheck.h"
#include "racedata/RaceResult.h"

#include <span>
#include <vector>

// A race settled with the bettor's own stakes in its pools: every stake joins
// its entry's votes and its pool's total in the final votes, the pool that
// pays, and the payout rules (pools::payPool) share that pool out over the
// entries the result paid. A large stake on a long price thus lowers its own
// payout, as it would have at the windows.
namespace tavek::replay {

struct Ticket {
    pools::Pool pool = pools::Pool::Win;
    int entry = 0;
    long long stake = 0;  // yen, a multiple of 100
};

struct Settlement {
    bool hit = false;       // the entry won and paid
    bool refunded = false;  // 返還: the entry names a refunded runner, or the pool was not held
    long long paidYen = 0;  // per 100 yen with the stakes in the pool; 0 where it pays nothing
    long long payout = 0;   // yen back: stake x paidYen / 100, the stake itself when refunded
    // The same with the bettor's own stakes left out of the pool.
    long long paidYenAlone = 0;
    long long payoutAlone = 0;
};

// Settles `tickets` (several may share a pool, even an entry) on the race's
// final votes and its result. A pool whose votes are unknown pays back the
// stakes, as one not held does; under the special payout (no winning entry
// backed, the stakes included) every ticket of the pool gets
// pools::kSpecialPayoutYen.
std::vector<Settlement> settle(const payoutcheck::FinalVotes& final, const result::RaceResult& result,
                               std::span<const Ticket> tickets);

// The 人気 of every entry of a pool (entry n at [n - 1]), as pools::popularity
// ranks one: 1 + the entries not refunded with more votes; 0 for an entry
// without votes or refunded. One sort for the pool, not one pass per entry.
std::vector<int> popularityRanks(pools::Pool pool, const pools::PoolSales& sales, const pools::Refunds& refunds);

}  // namespace tavek::replay
