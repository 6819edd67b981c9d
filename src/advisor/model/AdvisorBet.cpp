#include "advisor/model/AdvisorBet.h"

#include "odds/model/PairFigures.h"
#include "odds/model/WinModel.h"
#include "odds/model/WinTexts.h"
#include "racedata/DayData.h"
#include "racedata/NumberFormat.h"

#include <array>

namespace tavek::advice {

namespace {

sim::PairKind pairKind(BetKind kind)
{
    return kind == BetKind::Quinella ? sim::PairKind::Quinella : sim::PairKind::Bracket;
}

BetChoice refused(const QString& text)
{
    return {Bet{}, text};
}

BetChoice chooseRunner(const DayData& day, int race, int horse)
{
    const QString label = betLabel(BetKind::Win, horse);
    if (horse < 1 || horse > betCount(day, race, BetKind::Win))
        return refused(QStringLiteral("%1番の馬はこのレースに登録されていません。").arg(horse));
    if (win::refunded(day, race, horse))
        return refused(QStringLiteral("%1番は出走取消・競走除外（返還）のため賭けられません。").arg(horse));
    Bet bet{BetKind::Win, horse, win::recordTotal(day, race), win::recordVotes(day, race, horse),
            pools::pool(pools::Pool::Win).rate(day.voteRecord(race))};
    if (bet.votes <= 0)
        return refused(QStringLiteral("%1 は票数がないため、オッズを計算できません。").arg(label));
    if (bet.pool <= 0)
        return refused(QStringLiteral("このレースは単勝の合計票数がないため、オッズを計算できません。"));
    return {bet, {}};
}

// The pair's votes and the pool as the pair tabs read them, into figures of
// our own: the day's figures may hold a simulation the tab shows.
BetChoice choosePair(const DayData& day, int race, BetKind kind, int k)
{
    const sim::PairKind pk = pairKind(kind);
    if (k < 1 || k > sim::pairCount(pk))
        return refused(QStringLiteral("%1にはその組番がありません。").arg(betKindName(kind)));
    const QByteArrayView record = day.voteRecord(race);
    int total = -1;
    std::array<int, layout::kQuinellaPairs> votes{};
    sim::resetPairFigures(pk, record, {total, votes});
    const Bet bet{kind, k, total, votes[size_t(k - 1)], pools::pool(sim::pairPool(pk)).rate(record)};
    if (bet.votes <= 0)
        return refused(
            QStringLiteral("%1 は票数が空欄（票がない組）のため、オッズを計算できません。").arg(betLabel(kind, k)));
    if (bet.pool <= 0)
        return refused(
            QStringLiteral("このレースは%1の合計票数がないため、オッズを計算できません。").arg(betKindName(kind)));
    return {bet, {}};
}

}  // namespace

QString betKindName(BetKind kind)
{
    return pools::pool(kind == BetKind::Win ? pools::Pool::Win : sim::pairPool(pairKind(kind))).caption();
}

QString betItemText(BetKind kind, int number)
{
    return kind == BetKind::Win ? fmt::integer(number, 2) : sim::pairLabel(pairKind(kind), number);
}

QString betLabel(BetKind kind, int number)
{
    return betKindName(kind) + u' ' + betItemText(kind, number).remove(u' ');
}

int betCount(const DayData& day, int race, BetKind kind)
{
    if (kind == BetKind::Win)
        return std::min(win::registeredRunners(day, race), layout::kMaxWinEntries);
    return sim::pairCount(pairKind(kind));
}

BetChoice chooseBet(const DayData& day, int race, BetKind kind, int number)
{
    return kind == BetKind::Win ? chooseRunner(day, race, number) : choosePair(day, race, kind, number);
}

}  // namespace tavek::advice
