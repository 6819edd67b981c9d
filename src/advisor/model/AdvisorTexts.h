#pragma once

#include "advisor/model/StakeAdvisor.h"

#include <QString>
#include <array>

// Every text of the stake advisor, as the window shows it and tavek-cli
// prints it.
namespace tavek::advice {

QString oddsText(long long tenths);        // "12.3"
QString yenText(long long yen);            // "12,300円"
QString signedYenText(long long yen);      // "+1,234円", "-56円", "0円"
QString growthText(double growth);         // "+0.012%"; 外れると資金を失う for ruin (-∞)
QString rateText(pools::PayoutRate rate);  // "0.775"
QString fractionText(Fraction f);          // "0.125"
QString timesText(const QString& odds);    // "8.0倍": odds as the tab's labels show them

// The payout odds after a stake of x votes: "12.3", and for place and wide
// the range "1.2-1.5" (the advisor counts its lower end).
QString payoutText(const Bet& bet, long long x);

// The virtual-odds text the bet's tab shows after a stake of x votes: the
// win grid's "%9.1f" or the pair cell's "%6.1f" of pool x rate / votes,
// unrounded by the payout rule; the pool board's text for the other pools.
QString tabOddsText(const Bet& bet, long long x);

// The names of the three stakes: 期待値最大, 損益分岐, ケリー.
const std::array<QString, 3>& stakeNames();

// The column captions of the three stakes' table.
const std::array<QString, 5>& stakeColumns();
// The column captions of the dutching table.
const std::array<QString, 4>& dutchColumns();

// One of the three stakes with what it brings.
struct StakeLine {
    QString caption;  // one of stakeNames()
    QString stake;
    QString odds;    // the payout odds after the stake (payoutText)
    QString ev;      // EV in yen
    QString growth;  // expected log growth of the bankroll
};

// The bet as the record gives it.
struct BetTexts {
    QString bet;      // "単勝 5"
    QString pool;     // "1,000,000票"
    QString votes;    // "100,000票"
    QString rate;     // "0.8"
    QString oddsNow;  // O(0); both ends of a place or wide range
};
BetTexts betTexts(const Bet& bet);

// The advice for the bettor's P, W and F. A max-EV stake the bankroll cut
// is marked （資金が上限）; a break-even stake beyond the bankroll is
// 資金内になし, without figures.
struct AdviceSheet {
    QString fairOdds;  // 1 / P, the odds at which a bet breaks even
    std::array<StakeLine, 3> lines;
};
AdviceSheet adviceSheet(const Bet& bet, const AdviceInput& input, const Advice& advice);

// The dutching table: bet, stake, odds, payout; and the lowest payout.
struct DutchLine {
    QString bet;
    QString stake;
    QString odds;
    QString payout;
};
std::vector<DutchLine> dutchLines(const Dutching& dutching);
QString minPayoutText(const Dutching& dutching);

}  // namespace tavek::advice
