#pragma once

#include "pools/RacePayouts.h"
#include "racedata/RaceResult.h"

#include <QByteArrayView>

#include <array>
#include <vector>

// Every payout of a race recomputed from its final votes by the program's
// payout rules (pools/RacePayouts) on the entries its result paid, and set
// beside what the payout record says was paid: on real data, whether the
// program's odds are JRA's; on the built-in service's, that nothing differs.
namespace tavek::payoutcheck {

// A race's final sales as its vote records hold them: the vote-count record
// (H1) and the trifecta's (H6; blank where there is none). `known` says which
// pools' figures the records hold at all (a total that is no blank): no
// trifecta record, or one of a race JRA did not sell it in, leaves its pool
// unknown.
struct FinalVotes {
    pools::RaceSales sales;
    std::array<bool, pools::kPoolCount> known{};
};
FinalVotes finalVotes(QByteArrayView voteRecord, QByteArrayView trifectaRecord);

// What each pool pays by the payout rules on the entries `result` paid (who
// won), from the final votes. A pool whose votes are unknown is not held.
pools::RacePayouts recompute(const FinalVotes& votes, const result::RaceResult& result);

// A payout that differs: yen per 100 yen as paid and as computed, -1 where
// one side pays nothing on the entry.
struct Difference {
    pools::Pool pool;
    int entry;
    long long paid;
    long long computed;

    bool operator==(const Difference&) const = default;
};

struct Check {
    int compared = 0;  // payouts compared: the entries either side pays, in pools of known votes
    std::array<int, pools::kPoolCount> comparedByPool{};
    std::vector<Difference> differences;
};

// Compares, pool by pool where the votes are known, every entry either side
// pays.
Check compare(const result::RaceResult& result, const FinalVotes& votes, const pools::RacePayouts& computed);

// The three steps for one race.
Check checkRace(QByteArrayView voteRecord, QByteArrayView trifectaRecord, const result::RaceResult& result);

}  // namespace tavek::payoutcheck
