#include "advisor/model/ModelChance.h"

#include "racedata/DayData.h"

namespace tavek::advice {

MarketView marketView(const DayData& day, int race, const Bet& bet, finish::Model model)
{
    const QByteArrayView record = day.voteRecord(race);
    MarketView view{
        value::findValue(value::betValues(record, model, day.trifectaRecord(race)), betPool(bet.kind), bet.number), {}};
    if (const QString none = value::noViewReason(record); !none.isEmpty())
        view.refusal = none;
    else if (!view.bet)
        view.refusal = QStringLiteral("%1 は現在のオッズがないため、モデル確率がありません。").arg(betLabel(bet));
    else if (!readProbability(modelProbText(view.bet->chance, ProbForm::Probability), ProbForm::Probability).ok())
        view.refusal = QStringLiteral("%1 のモデル確率は %2 で、的中確率（0より大きく1より小さい数）には使えません。")
                           .arg(betLabel(bet), value::chanceText(view.bet->chance));
    return view;
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

QString marketViewText(const MarketView& view)
{
    const QString figures = view.bet ? QStringLiteral("得票率 %1　モデル確率 %2")
                                           .arg(value::shareText(view.bet->share), value::chanceText(view.bet->chance))
                                     : QStringLiteral("得票率 －　モデル確率 －");
    return view.refusal.isEmpty() ? figures : figures + u'　' + view.refusal;
}

}  // namespace tavek::advice
