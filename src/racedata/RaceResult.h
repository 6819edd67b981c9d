#pragma once

#include "pools/RacePayouts.h"

#include <QByteArray>
#include <QByteArrayView>

#include <stdexcept>

// A race's result as its payout record (HR) tells it: what every pool paid
// on which entries, with the pools' flags and the refunds, and the first
// places as far as the payouts show them.
namespace tavek::result {

struct RaceResult {
    QByteArray raceKey;  // 16 bytes, as the records' header holds it
    int registered = 0;
    int starters = 0;
    pools::Refunds refunds;  // as the record flags them
    // Per pool (pools::Pool order) its flags and the entries it paid,
    // ascending, each with yen per 100 yen and popularity (0 where blank).
    pools::RacePayouts payouts;
    // The first places on which every runner pool's payouts agree; empty
    // when they agree on none (resultOrder).
    pools::FinishingOrder order;

    const pools::PoolPayout& of(pools::Pool pool) const { return payouts[size_t(pool)]; }
};

// A payout record that cannot be read as it stands; what() names the race
// and the field, in Japanese.
class ReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a payout record (its CR LF may be there or not). Refuses, with a
// ReadError, what a damaged record would only let it guess: another record
// type or length, a count, flag, combination, yen or popularity field that is
// not a number (a flag not 0, 1 or blank), a combination the pool does not
// number (a runner 0 or beyond 18, one named twice, pair runners not
// ascending where the pool's are), one combination in two slots of a pool,
// and yen or a popularity in a slot without a combination.
RaceResult read(QByteArrayView record);

// The finishing order that wins exactly the entries each runner pool (all but
// the bracket quinella) paid, where it held the pool without the special
// payout (pools::winningEntries). Where several orders do (only the win and
// place payouts known: second and third either way), the places all of them
// share from first on; none where no order does or more than five runners
// were paid.
pools::FinishingOrder resultOrder(const pools::RacePayouts& payouts, int starters);

}  // namespace tavek::result
