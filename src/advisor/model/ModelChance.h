#pragma once

#include "advisor/model/AdvisorBet.h"
#include "advisor/model/AdvisorInput.h"
#include "value/model/BetValue.h"

#include <optional>

// Where P may come from: the win pool's view of the advised bet (its market
// share and the finish-order model's chance, value::BetValue), offered as a
// starting point the bettor may take or overwrite.
namespace tavek::advice {

// The view of a bet, and whether its chance can be P.
struct MarketView {
    std::optional<value::BetValue> bet;  // none when the bet has no odds now or the race no view
    // Why the chance cannot be P: the win pool gives no view of the race, the
    // bet has no odds now, or its chance reads 0 or 1 (P lies between).
    // Empty when it can.
    QString refusal;

    bool usable() const { return bet && refusal.isEmpty(); }
};

// The view of `bet` in race slot `race`.
MarketView marketView(const DayData& day, int race, const Bet& bet, finish::Model model);

// The model's chance as the P field reads it in `form`: "0.123457",
// "12.3457" (percent), "8.10" (fair odds).
QString modelProbText(double chance, ProbForm form);

// "得票率 12.34%　モデル確率 8.76%", or what is missing, and why the
// chance cannot be P.
QString marketViewText(const MarketView& view);

}  // namespace tavek::advice
