#include "odds/model/OrderModel.h"

namespace tavek::sim {

finish::Discounts discountsOf(OrderModel model)
{
    return model == OrderModel::Harville ? finish::kHarville : finish::kDiscountedHarville;
}

QString orderModelKey(OrderModel model)
{
    return model == OrderModel::Harville ? QStringLiteral("harville") : QStringLiteral("discounted");
}

QString orderModelName(OrderModel model)
{
    return model == OrderModel::Harville ? QStringLiteral("ハーヴィル") : QStringLiteral("割引ハーヴィル");
}

std::optional<OrderModel> orderModelOf(QStringView key)
{
    for (OrderModel m : kOrderModels)
        if (key == orderModelKey(m))
            return m;
    return std::nullopt;
}

}  // namespace tavek::sim
