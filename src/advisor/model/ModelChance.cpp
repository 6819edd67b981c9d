#include "advisor/model/ModelChance.h"

#include "racedata/DayData.h"

namespace tavek::advice {

std::optional<value::BetValue> marketView(const DayData& day, int race, const Bet& bet, finish::Model model)
{
    return value::findValue(value::betValues(day.voteRecord(race), model, day.trifectaRecord(race)), betPool(bet.kind),
                            bet.number);
}

QString modelProbText(double chance, ProbForm form)
{
    switch (form) {
    case ProbForm::Probability:
        return QString::number(chance, 'f', 6);
    case ProbForm::Percent:
        return QString::number(chance * 100, 'f', 4);
    case ProbForm::FairOdds:
        break;
    }
    return chance > 0 ? QString::number(1 / chance, 'f', 2) : QString();
}

QString marketViewText(const std::optional<value::BetValue>& view)
{
    if (!view)
        return QStringLiteral("得票率 －　モデル確率 －");
    return QStringLiteral("得票率 %1　モデル確率 %2")
        .arg(value::shareText(view->share), value::chanceText(view->chance));
}

}  // namespace tavek::advice
