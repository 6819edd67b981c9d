#pragma once

#include "advisor/model/AdvisorBet.h"
#include "advisor/model/AdvisorInput.h"
#include "value/model/BetValue.h"

#include <optional>

// Where P may come from: the win pool's view of the advised bet (its market
// share and the finish-order model's chance, value::BetValue), offered as a
// starting point the bettor may take or overwrite.
namespace tavek::advice {

// The view of `bet` in race slot `race`; none when the bet has no odds now.
std::optional<value::BetValue> marketView(const DayData& day, int race, const Bet& bet, finish::Model model);

// The model's chance as the P field reads it in `form`: "0.123457",
// "12.3457" (percent), "8.10" (fair odds).
QString modelProbText(double chance, ProbForm form);

// "得票率 12.34%　モデル確率 8.76%", or what is missing.
QString marketViewText(const std::optional<value::BetValue>& view);

}  // namespace tavek::advice
