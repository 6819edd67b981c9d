#pragma once

#include "finishorder/FinishOrder.h"
#include "pools/VotePools.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <span>
#include <vector>

// The win pool's view of every other pool: the win votes give each runner's
// chance of winning, a finish-order model turns them into the chance of every
// bet, and a bet's expected return is that chance times what it pays now.
// Where another pool pays more than the win pool's view implies (妙味), its
// crowd disagrees with the win pool's; neither is a prediction of the race.
namespace tavek::value {

struct BetValue {
    pools::Pool pool = pools::Pool::Win;
    int number = 0;             // runner, pair index or pool entry, as the record numbers it
    long long oddsLow = 0;      // tenths; the range's lower end for place and wide
    long long oddsHigh = 0;     // tenths; the upper end, oddsLow elsewhere
    double share = 0;           // the bet's votes over its pool's total
    double chance = 0;          // the model's chance that the bet wins
    double expectedReturn = 0;  // yen paid back per 100 yen staked, under the model
};

// Runner i's (index 0 is runner 1, up to 18) win votes over the win votes of
// every runner not refunded; 0 for a refunded runner or one beyond the field.
std::array<double, pools::kMaxRunners> winPoolChances(QByteArrayView record);

// Why the win pool gives no view of the race of vote-count record `record`:
// no runner that runs has win votes. Empty when it gives one, and for a
// slot without a vote-count record.
QString noViewReason(QByteArrayView record);

// Every bet of every pool that has odds now (sold, not refunded, with votes),
// in the pools' order, then the record's: the seven of the vote-count record
// `record`, then the trifecta of its own record `trifecta` (none when empty);
// none when the win pool gives no view. Place and wide: the expected payout
// over who else places, each case paid by the racing law's formula.
std::vector<BetValue> betValues(QByteArrayView record, finish::Model model, QByteArrayView trifecta = {});
// The same under each of `models` (at most finish::kModels' number) at once,
// the odds and payouts worked out once: [m] holds model m's bets.
std::vector<std::vector<BetValue>> betValues(QByteArrayView record, std::span<const finish::Model> models,
                                             QByteArrayView trifecta = {});

// How many ranked bets the 妙味 tab shows, and tavek-cli value unless told.
inline constexpr int kValueTop = 20;

// The `top` bets of the highest expected return, of `pool` or of every pool.
std::vector<BetValue> rankedValues(std::vector<BetValue> values, std::optional<pools::Pool> pool, int top);

// The bet of `pool` and `number` among `values`; none when it has no odds.
std::optional<BetValue> findValue(const std::vector<BetValue>& values, pools::Pool pool, int number);

// "3", "1-2", "2-3-7": the bet as the pool boards name it.
QString valueBetLabel(pools::Pool pool, int number);

// What the 妙味 tab shows in place of an empty ranking of the race of
// `record`: why the win pool gives no view, or that no bet has odds now.
QString emptyRankingText(QByteArrayView record);

// The texts of a ranked row, as the 妙味 tab and tavek-cli show them.
QStringList valueColumns();
QStringList valueRow(const BetValue& value);
QString shareText(double share);    // "12.34%"
QString chanceText(double chance);  // "8.76%"

}  // namespace tavek::value
