#pragma once

#include "finishorder/FinishOrder.h"

#include <QString>
#include <QStringView>
#include <optional>

// Which finish-order model turns the win pool's chances into the chances of
// every other pool's bets, as the bettor chooses it in the window and in
// tavek-cli (--model).
namespace tavek::sim {

enum class OrderModel { Harville, Discounted };

inline constexpr OrderModel kOrderModels[] = {OrderModel::Discounted, OrderModel::Harville};

finish::Discounts discountsOf(OrderModel model);

// "harville", "discounted": tavek-cli's option value and JSON key.
QString orderModelKey(OrderModel model);

// "割引ハーヴィル", "ハーヴィル": the window's choice.
QString orderModelName(OrderModel model);

// The model of a key; none for any other text.
std::optional<OrderModel> orderModelOf(QStringView key);

}  // namespace tavek::sim
