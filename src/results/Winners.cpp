#include "results/Winners.h"

#include "racedata/NumberFormat.h"
#include "results/ResultSheet.h"

#include <algorithm>

namespace tavek::results {

Winners::Winners(const result::RaceResult* result)
{
    if (!result)
        return;
    known_ = true;
    payouts_ = result->payouts;
    refunds_ = result->refunds;
    for (const Placing& p : placingsOf(result->order))
        for (int h : p.runners)
            if (h >= 1 && h <= pools::kMaxRunners)
                places_[size_t(h)] = p.place;
}

bool Winners::won(pools::Pool pool, int entry) const
{
    const std::vector<pools::EntryPayout>& paid = payouts_[size_t(pool)].payouts;
    return std::any_of(paid.begin(), paid.end(), [entry](const pools::EntryPayout& e) { return e.entry == entry; });
}

int Winners::placeOf(int horse) const
{
    return horse >= 1 && horse <= pools::kMaxRunners ? places_[size_t(horse)] : 0;
}

Outcome Winners::outcome(pools::Pool pool, int entry) const
{
    using Kind = Outcome::Kind;
    if (!known_)
        return {};
    const pools::PoolPayout& paid = payouts_[size_t(pool)];
    for (const pools::EntryPayout& e : paid.payouts)
        if (e.entry == entry)
            return {Kind::Won, e.yen, paid.special};
    if (pools::entryRefunded(pool, entry, refunds_))
        return {Kind::Refunded};
    if (paid.notHeld)
        return {Kind::NotHeld};
    return {Kind::Lost};
}

QString outcomeText(const Outcome& outcome)
{
    switch (outcome.kind) {
    case Outcome::Kind::Won:
        return QStringLiteral("%1　払戻 %2円（100円につき）")
            .arg(outcome.special ? QStringLiteral("的中（特払）") : QStringLiteral("的中"),
                 fmt::grouped(outcome.yen, 0));
    case Outcome::Kind::Lost:
        return QStringLiteral("不的中");
    case Outcome::Kind::Refunded:
        return QStringLiteral("返還（取消・除外の馬を含む買い目）");
    case Outcome::Kind::NotHeld:
        return QStringLiteral("不成立（全額返還）");
    case Outcome::Kind::Unknown:
        break;
    }
    return QString();
}

QString outcomeHeading()
{
    return QStringLiteral("結果");
}

QString outcomeCell(const Outcome& outcome)
{
    switch (outcome.kind) {
    case Outcome::Kind::Won:
        return QStringLiteral("的中 %1円").arg(fmt::grouped(outcome.yen, 0));
    case Outcome::Kind::Lost:
        return QStringLiteral("不的中");
    case Outcome::Kind::Refunded:
        return QStringLiteral("返還");
    case Outcome::Kind::NotHeld:
        return QStringLiteral("不成立");
    case Outcome::Kind::Unknown:
        break;
    }
    return QString();
}

QString placeMark(int place)
{
    return place >= 1 ? placeText(place) : QString();
}

QString wonMark()
{
    return QStringLiteral("的中");
}

}  // namespace tavek::results
