#pragma once

#include "racedata/VotePools.h"

#include <QString>

namespace tavek {
struct DayData;
}

// One bet the stake advisor works on: a runner to win, or a quinella or
// bracket-quinella pair of the selected race, with the record's pool and
// votes and the pool's payout rate.
namespace tavek::advice {

// In the order of the simulation tabs.
enum class BetKind { Win, Bracket, Quinella };

struct Bet {
    BetKind kind = BetKind::Win;
    int number = 0;       // horse number, or pair index
    long long pool = 0;   // T: the pool's vote total
    long long votes = 0;  // v: the votes of this runner or pair
    pools::PayoutRate rate{1, 1};
};

// "単勝", "枠連", "馬連".
QString betKindName(BetKind kind);

// The selector's text of bet `number`: " 5" for a runner, " 3- 7" for a pair.
QString betItemText(BetKind kind, int number);

// "単勝 5", "馬連 3-7", "枠連 2-2": the bet as the advisor names it.
QString betLabel(BetKind kind, int number);
inline QString betLabel(const Bet& bet)
{
    return betLabel(bet.kind, bet.number);
}

// How many bets of a kind the race offers: its registered runners, or every
// pair of the kind.
int betCount(const DayData& day, int race, BetKind kind);

// The bet `number` of `kind` in race slot `race`, read from its vote-count
// record, or the reason it cannot be advised on (a runner outside the field
// or scratched, a runner or pair without votes, a race without a pool).
struct BetChoice {
    Bet bet;
    QString refusal;  // empty when the bet can be advised on
    bool ok() const { return refusal.isEmpty(); }
};
BetChoice chooseBet(const DayData& day, int race, BetKind kind, int number);

}  // namespace tavek::advice
