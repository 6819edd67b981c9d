#pragma once

#include "odds/model/PoolFigures.h"
#include "pools/VotePools.h"

#include <QString>
#include <memory>

namespace tavek {
struct DayData;
}

// One bet the stake advisor works on: an entry of any of the eight pools of
// the selected race (a runner to win or place, a pair, an exacta, a trio, a
// trifecta),
// with the record's pool and votes and the pool's payout rate.
namespace tavek::advice {

// In the order of the simulation tabs, then the pools of the pool boards.
enum class BetKind { Win, Bracket, Quinella, Place, Wide, Exacta, Trio, Trifecta };

pools::Pool betPool(BetKind kind);
// The kind of bet of a pool: betPool's other way.
BetKind betKind(pools::Pool pool);

// Place and wide pay several winners and show their odds as a range
// (sim::PoolFigures).
constexpr bool hasOddsRange(BetKind kind)
{
    return kind == BetKind::Place || kind == BetKind::Wide;
}

struct Bet {
    Bet() = default;
    Bet(BetKind kind, int number, long long pool, long long votes, pools::PayoutRate rate, pools::WinningSet low = {},
        pools::WinningSet high = {}, std::shared_ptr<const sim::PoolFigures> figures = {})
        : kind(kind)
        , number(number)
        , pool(pool)
        , votes(votes)
        , rate(rate)
        , low(low)
        , high(high)
        , figures(std::move(figures))
    {
    }

    BetKind kind = BetKind::Win;
    int number = 0;       // horse number, pair index or entry of the pool
    long long pool = 0;   // T: the pool's vote total
    long long votes = 0;  // v: the votes of this runner or pair
    pools::PayoutRate rate{1, 1};
    // The other winners at the lower end of a place or wide range, the payout
    // the advisor counts (what the bet pays whoever else places), and at the
    // upper end, shown beside it. One winner alone for the other pools.
    pools::WinningSet low;
    pools::WinningSet high;
    // Place and wide: the pool as the record holds it, for dutching, where a
    // stake on one bet may move the other winners of another.
    std::shared_ptr<const sim::PoolFigures> figures;
};

// "単勝", "枠連", "馬連", "複勝", "ワイド", "馬単", "3連複", "3連単".
QString betKindName(BetKind kind);

// The selector's text of bet `number`: " 5" for a runner, " 3- 7" for a
// pair, "3-7" or "2-3-7" for an entry of wide, exacta, trio or trifecta.
QString betItemText(BetKind kind, int number);

// "単勝 5", "馬連 3-7", "枠連 2-2": the bet as the advisor names it.
QString betLabel(BetKind kind, int number);
inline QString betLabel(const Bet& bet)
{
    return betLabel(bet.kind, bet.number);
}

// How many bets of a kind the race offers: its registered runners, or every
// pair or entry of the kind.
int betCount(const DayData& day, int race, BetKind kind);

// The bet `number` of `kind` in race slot `race`, read from its vote-count
// record (the trifecta from its own record), or the reason it cannot be advised on (a runner outside the field
// or scratched, a runner or pair without votes, a race without a pool, a pool
// not sold).
struct BetChoice {
    Bet bet;
    QString refusal;  // empty when the bet can be advised on
    bool ok() const { return refusal.isEmpty(); }
};
BetChoice chooseBet(const DayData& day, int race, BetKind kind, int number);

}  // namespace tavek::advice
