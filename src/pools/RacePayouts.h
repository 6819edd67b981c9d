#pragma once

#include "pools/FinishingOrder.h"
#include "pools/VotePools.h"

#include <array>
#include <span>
#include <vector>

// JRA's payout rules: what each pool of a race pays per 100 yen on its
// winning entries, from the pool's final votes. The pool less the votes of
// refunded (返還) entries is shared out over the winning entries by the
// racing law's formula (pools::paidOddsTenths): each of the K winning
// entries gets (W + D / K) x rate, W its own votes and D the losing votes.
// K is 1 for a single winner, the winners of place and wide, or the entries
// a dead heat (同着) makes winners. Paid in 10 yen, never below 100 yen
// (元返し). A winning entry nobody backed shares nothing and counts in no K;
// when no winning entry of the pool was backed, every ticket of the pool gets
// the special payout (特払) instead.
namespace tavek::pools {

// Yen per 100 yen: the least a winning entry pays, and the special payout.
inline constexpr long long kLeastPayoutYen = 100;
inline constexpr long long kSpecialPayoutYen = 70;

// The fewest starters with which JRA sells the pool: win any field, place 5,
// exacta and trifecta 3, the others 4.
int saleStarters(Pool pool);

// The refunded runners of a race and what follows for the bracket quinella.
struct Refunds {
    std::array<bool, kRecordSlots + 1> runner{};    // [h]: runner h scratched (取消・除外)
    std::array<bool, kBrackets + 1> bracket{};      // [b]: every runner of bracket b refunded
    std::array<bool, kBrackets + 1> sameBracket{};  // [b]: pair b-b refunded, fewer than two runners of b left

    bool operator==(const Refunds&) const = default;
};

// The refunds of a field of `registered` runners in `brackets` whose runners
// `refunded` ([h]) were refunded: a bracket whose every runner is refunded,
// and the same-bracket pair of a bracket of two or more runners that keeps
// fewer than two.
Refunds refundsOf(const std::array<bool, kRecordSlots + 1>& refunded, int registered, const Brackets& brackets);

// An entry naming a refunded runner (a refunded bracket, or the refunded
// same-bracket pair): its votes are paid back and out of the pool.
bool entryRefunded(Pool pool, int entry, const Refunds& refunds);

// A pool's final figures.
struct PoolSales {
    PayoutRate rate{1, 1};
    bool onSale = true;            // false where JRA did not sell the pool (the trifecta by date and race)
    long long total = 0;           // every vote sold, refunded ones included
    std::vector<long long> votes;  // entry n at [n - 1]; 0 for none or blank
};

// What one entry of a pool pays.
struct EntryPayout {
    int entry = 0;
    long long yen = 0;   // per 100 yen
    int popularity = 0;  // 人気: 1 for the most-backed entry, ties sharing the better rank; 0 without votes

    bool operator==(const EntryPayout&) const = default;
};

// What a pool of a race paid.
struct PoolPayout {
    bool notHeld = false;  // 不成立: not sold (too few starters, not sold that day) or nothing sold
    bool special = false;  // 特払: no winning entry was backed; every ticket gets kSpecialPayoutYen
    bool refunds = false;  // 返還: some of its entries were refunded
    // The winning entries, ascending, with what they pay. Under the special
    // payout they are listed with kSpecialPayoutYen and no popularity; a
    // winning entry nobody backed beside backed ones is not listed.
    std::vector<EntryPayout> payouts;

    bool operator==(const PoolPayout&) const = default;
};
using RacePayouts = std::array<PoolPayout, kPoolCount>;

// A race's final sales, in pools::Pool order.
struct RaceSales {
    int starters = 0;
    Brackets brackets{};
    Refunds refunds;
    std::array<PoolSales, kPoolCount> pools;
};

// Whether JRA held the pool: sold (`onSale`), with enough starters and votes.
bool poolHeld(Pool pool, bool onSale, int starters, long long total);

// The 人気 of an entry: 1 + the entries (not refunded) with more votes; 0
// for an entry without votes.
int popularity(Pool pool, const PoolSales& sales, const Refunds& refunds, int entry);

// What the pool pays on `winners` (its entries, as winningEntries gives them).
PoolPayout payPool(Pool pool, const PoolSales& sales, const Refunds& refunds, int starters,
                   std::span<const int> winners);

// Every pool of a race that finished in `order`.
RacePayouts racePayouts(const RaceSales& sales, const FinishingOrder& order);

}  // namespace tavek::pools
