#include "odds/model/WinBoard.h"

#include "odds/model/SimulationRefusal.h"
#include "racedata/NumberFormat.h"
#include "racedata/RecordLayout.h"

#include <utility>

namespace tavek::win {

QString WinBoard::reportText() const
{
    const QDate raceDate = QDate::fromString(QString::fromLatin1(layout::raceDate(day_.voteRecord(race()))),
                                             QStringLiteral("yyyyMMdd"));
    return win::reportText(quickReport(), fetched_, raceDate);
}

bool WinBoard::calculate(int race, std::optional<QDateTime> fetched)
{
    // Another race picked, even one without votes to show: the simulation
    // is not kept for a return to its race.
    if (registeredRunners(day_, race) <= 0) {
        last_ = {};
        return false;
    }
    day_.setCurrentRace(race);
    fetched_ = fetched;
    winReset(day_, race);
    inputs_ = InputTexts{};
    dropped_.clear();
    const sim::SimInput again = std::exchange(last_, {});
    if (again.sameRace(layout::raceKey(day_.voteRecord(race)))) {
        dropped_ = sim::runAgain(
            QStringLiteral("単勝 %1番").arg(again.target),
            [&] {
            return again.kind == sim::SimInput::Kind::Stake ? simulateStake(again.target, again.yen)
                                                            : simulateOdds(again.target, again.odds);
            },
            [&](sim::SimResult result) { return refusalMessage(again.target, result); });
    }
    return true;
}

sim::SimResult WinBoard::simulateStake(int horse, long long yen)
{
    if (const sim::SimResult refused = sim::winRefusal(day_.voteRecord(race()), horse); refused != sim::SimResult::None)
        return refused;
    stakeSimulation(day_, race(), horse, yen);
    inputs_ = InputTexts{horse, fmt::grouped11(yen), QString(), fmt::grouped11(day_.winTotal(race()))};
    last_ = {sim::SimInput::Kind::Stake, layout::raceKey(day_.voteRecord(race())).toByteArray(), horse, yen, 0};
    return sim::SimResult::Accepted;
}

sim::SimResult WinBoard::simulateOdds(int horse, long double odds)
{
    if (const sim::SimResult refused = sim::winRefusal(day_.voteRecord(race()), horse); refused != sim::SimResult::None)
        return refused;
    const OddsOutcome out = oddsSimulation(day_, race(), horse, odds);
    switch (out.result) {
    case sim::SimResult::Accepted:
        inputs_ = InputTexts{horse, fmt::grouped11(out.amount), fmt::odds9(odds),
                             fmt::grouped11(day_.winTotal(race()))};
        last_ = {sim::SimInput::Kind::Odds, layout::raceKey(day_.voteRecord(race())).toByteArray(), horse, 0, odds};
        break;
    case sim::SimResult::Unrealistic:
    case sim::SimResult::NotAboveOne:
    case sim::SimResult::Refunded:
    case sim::SimResult::NoVotes:
    case sim::SimResult::NotSold:
    case sim::SimResult::None:
        break;
    }
    return out.result;
}

QString WinBoard::refusalMessage(int horse, sim::SimResult result) const
{
    constexpr int kRealOddsColumn = 4;
    return sim::refusalMessage(result, cellText(horse, kRealOddsColumn));
}

}  // namespace tavek::win
