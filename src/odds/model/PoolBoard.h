#pragma once

#include "odds/model/PoolFigures.h"
#include "odds/model/SimResult.h"

#include <QString>

namespace tavek::sim {

// Everything a board of the place (複勝), wide (ワイド), exacta (馬単), trio
// (3連複) or trifecta (3連単) pool shows of one race: every entry in the record's order with its
// label, votes and odds (a range for place and wide, see PoolFigures), the
// total, and after a stake or odds simulation the virtual figures beside the
// real ones. The window's tab paints from it and tavek-cli prints it, so both
// show the same texts.
//
//   PoolBoard board(pools::Pool::Trio);
//   board.calculate(record);                  // race selection
//   board.simulateStake(board.entryOf(...), 10'000);
//   board.oddsText(n), board.virtualOddsText(n), board.virtualTotalText()
class PoolBoard {
public:
    // `pool` is Place, Wide, Exacta, Trio or Trifecta.
    explicit PoolBoard(pools::Pool pool);

    pools::Pool pool() const { return real_.pool; }
    int size() const { return pools::pool(pool()).entries; }

    // Race selection: the figures read again from the record of the pool
    // (the trifecta's H6, else the vote-count record), the real odds
    // computed, any simulation dropped.
    void calculate(QByteArrayView record);

    // The pool. A pool not sold (発売なし) shows no odds and refuses every
    // simulation with NotSold.
    bool sold() const { return poolSold(real_); }
    pools::PayoutRate rate() const { return real_.rate; }
    // The entries a result pays: place 2 or 3 by the starters, wide 3,
    // exacta, trio and trifecta 1.
    int winners() const;
    // Only the pools of one winning entry have one odds an odds simulation
    // can start from.
    bool hasOddsSimulation() const { return winners() == 1; }

    // Entry n, 1..size(). Votes -1 where the record's field is blank.
    QString label(int n) const { return pools::entryLabel(pool(), n); }
    long long votes(int n) const { return real_.entryVotes(n); }
    bool refunded(int n) const { return entryRefunded(real_, n); }
    // The entry names registered runners only: the entries a race shows.
    bool inField(int n) const { return entryInField(real_, n); }
    const OddsRange& odds(int n) const { return realOdds_[size_t(n - 1)]; }
    // After a simulation (simulated()), the virtual figures; before it the
    // real ones and no odds. A stake moves every odds of the pool, but a
    // board shows a few hundred of them: each is computed when asked for.
    long long virtualVotes(int n) const { return virtual_.entryVotes(n); }
    OddsRange virtualOdds(int n) const { return simulated_ ? oddsRange(virtual_, n) : OddsRange{}; }

    // Registered runners: those a place board lists, and what places them in
    // their brackets.
    int registered() const { return real_.runners; }

    long long total() const { return std::max(real_.total, 0LL); }
    bool simulated() const { return simulated_; }
    long long virtualTotal() const { return std::max(virtual_.total, 0LL); }
    // The last simulation's stake, or the yen of the votes an odds simulation
    // took off; 0 before a simulation.
    long long excessYen() const { return excessYen_; }

    // The entry with the runners in the pool's order (see pools::entryOf), or 0.
    int entryOf(int a, int b = 0, int c = 0) const { return pools::entryOf(pool(), a, b, c); }

    // Texts. Odds: "%6.1f" for exacta, trio and trifecta, "1.2-1.5" for place and wide;
    // 発売なし for a pool not sold, 返還 for a refunded entry, empty without
    // votes (and every virtual text before a simulation).
    QString oddsText(int n) const;
    QString virtualOddsText(int n) const;
    QString votesText(int n) const;  // "%11.0n", empty when blank
    QString virtualVotesText(int n) const;
    QString totalText() const;         // "%11.0n"
    QString virtualTotalText() const;  // "%11.0n", empty before a simulation
    QString excessText() const;        // the simulation's stake or excess votes in yen, "%11.0n円"

    // `yen` (whole 100-yen votes of it) staked on entry n: they join the entry
    // and the total, and every entry's odds change (virtualOdds). Refused, with
    // nothing changed: NotSold, Refunded, NoVotes (blank votes or total);
    // None for an n outside 1..size().
    SimResult simulateStake(int n, long long yen);

    // "It was `odds` earlier": the votes that took exacta, trio or trifecta entry n from
    // `odds` to its odds now are taken off it and the total, as the quinella
    // tab's odds simulation does, and the board shown without them. Refused as
    // the stake is, and NotAboveOne, Unrealistic (odds not above the ones now)
    // with nothing changed; None for place and wide.
    SimResult simulateOdds(int n, long double odds);

    // The message of a refused simulation of entry n; an unrealistic odds
    // names the entry's odds now.
    QString refusalMessage(int n, SimResult result) const;

private:
    SimResult refusal(int n) const;
    QString rangeText(const PoolFigures& figures, const OddsRange& odds, int n) const;
    void showVirtual(long long excessYen);

    PoolFigures real_;
    PoolFigures virtual_;
    std::vector<OddsRange> realOdds_;
    bool simulated_ = false;
    long long excessYen_ = 0;
};

// The odds of an entry of `pool` as its board shows them: "%6.1f" for exacta,
// trio and trifecta, "1.2-1.5" for place and wide; empty without odds.
QString poolOddsText(pools::Pool pool, const OddsRange& odds);

}  // namespace tavek::sim
