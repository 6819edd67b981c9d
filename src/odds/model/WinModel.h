#pragma once

#include "odds/model/SimResult.h"
#include "pools/VotePools.h"
#include "racedata/DayData.h"

#include <optional>

// The win (単勝) odds model: real figures straight from a race's H1 record,
// virtual figures in the day data, and the stake and odds simulations that
// move the virtual figures of one race. Arithmetic in extended precision;
// odds are pool x 0.8 / votes with no rounding of their own.
namespace tavek::win {

// The win pool pays back the same part on every race date.
inline constexpr long double kPayoutRate = pools::pool(pools::Pool::Win).rateFrom.value();
inline constexpr long long kMaxStake = 9'999'999;  // yen, what the amount field holds

// The vote field at `position` of a vote-count record as the real figures
// read it: 0 when blank or not a number. A field such as "12a45678901" is
// shown blank, so no odds may come from its leading digits either.
int recordFigure(QByteArrayView voteRecord, int position);

// The record's win votes of runner `horse` (1..28) and win total, read by
// recordFigure: the figures the real odds come from.
int recordVotes(const DayData& day, int race, int horse);
int recordTotal(const DayData& day, int race);

// The exact odds of `votes` in a win pool of `total` (pools::exactOdds):
// total x 0.8 / votes.
long double winOdds(long long total, long long votes);

// Real figures of runner `horse` (1..28) of race slot `race`, read from its
// vote record at every call. None where they cannot be computed.
std::optional<long double> realShare(const DayData& day, int race, int horse);  // percent; none when the total is 0
std::optional<long double> realOdds(const DayData& day, int race, int horse);   // none when the votes are 0
// The same odds of any vote-count record (the odds history's snapshots).
std::optional<long double> recordOdds(QByteArrayView voteRecord, int horse);

// Virtual figures (horse 1..18); none outside that range.
std::optional<int> virtualVotes(const DayData& day, int race, int horse);          // none unless above 0
std::optional<long double> virtualShare(const DayData& day, int race, int horse);  // none unless the total is above 0
std::optional<long double> virtualOdds(const DayData& day, int race, int horse);   // none unless the votes are above 0

// Win reset: the virtual figures of `race` become the record's.
void winReset(DayData& day, int race);

// Win reset, then `yen` div 100 votes added to runner `horse` and to the
// total. Throws std::runtime_error for a horse outside 1..18 or an amount
// outside 0..9,999,999 yen.
void stakeSimulation(DayData& day, int race, int horse, long long yen);

// Accepted when the excess votes y are above 0; any other result leaves every
// figure as it was.
struct OddsOutcome {
    sim::SimResult result = sim::SimResult::NotAboveOne;
    double excess = 0;     // y, the votes between the given odds and the current ones
    long long amount = 0;  // yen, the integer part of y times 100 (accepted only)
};

// The votes that take runner `horse` from odds `odds` down to its current odds
// are worked out from the record; when there are any (y > 0), the race's win
// figures are reset and those votes taken off the runner and the total. A
// refusal (odds not above 1, or not above the current odds) changes nothing.
// Throws std::runtime_error (naming the race) when the runner's votes or the
// total are blank or not numbers, or the total is 0; nothing changes then.
OddsOutcome oddsSimulation(DayData& day, int race, int horse, long double odds);

}  // namespace tavek::win
