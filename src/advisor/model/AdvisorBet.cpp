#include "advisor/model/AdvisorBet.h"

#include "odds/model/PairFigures.h"
#include "odds/model/WinModel.h"
#include "odds/model/WinTexts.h"
#include "racedata/DayData.h"
#include "racedata/NumberFormat.h"
#include "racedata/RecordField.h"

#include <array>

namespace tavek::advice {

namespace {

pools::PairKind pairKind(BetKind kind)
{
    return kind == BetKind::Quinella ? pools::PairKind::Quinella : pools::PairKind::Bracket;
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
            pools::pool(pools::Pool::Win).rate(record::raceDate(day.voteRecord(race)))};
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
    const pools::PairKind pk = pairKind(kind);
    if (k < 1 || k > pools::pairCount(pk))
        return refused(QStringLiteral("%1にはその組番がありません。").arg(betKindName(kind)));
    const QByteArrayView record = day.voteRecord(race);
    int total = -1;
    std::array<int, layout::kQuinellaPairs> votes{};
    sim::resetPairFigures(pk, record, {total, votes});
    const Bet bet{kind, k, total, votes[size_t(k - 1)],
                  pools::pool(pools::pairPool(pk)).rate(record::raceDate(record))};
    if (bet.votes <= 0)
        return refused(
            QStringLiteral("%1 は票数が空欄（票がない組）のため、オッズを計算できません。").arg(betLabel(kind, k)));
    if (bet.pool <= 0)
        return refused(
            QStringLiteral("このレースは%1の合計票数がないため、オッズを計算できません。").arg(betKindName(kind)));
    return {bet, {}};
}

// An entry of place, wide, exacta, trio or trifecta, read as its board reads it.
BetChoice choosePoolEntry(const DayData& day, int race, BetKind kind, int n)
{
    const pools::Pool pool = betPool(kind);
    if (n < 1 || n > pools::pool(pool).entries)
        return refused(QStringLiteral("%1にはその組番がありません。").arg(betKindName(kind)));
    auto figures = std::make_shared<const sim::PoolFigures>(
        sim::readPoolFigures(pool, pools::inVoteCounts(pool) ? day.voteRecord(race) : day.trifectaRecord(race)));
    const QString label = betLabel(kind, n);
    if (!sim::poolSold(*figures))
        return refused(QStringLiteral("このレースは%1の発売がありません（発売なし）。").arg(betKindName(kind)));
    if (!sim::entryInField(*figures, n))
        return refused(QStringLiteral("%1 はこのレースに登録されていない馬を含みます。").arg(label));
    if (sim::entryRefunded(*figures, n))
        return refused(QStringLiteral("%1 は出走取消・競走除外（返還）の馬を含むため賭けられません。").arg(label));
    if (figures->entryVotes(n) <= 0)
        return refused(QStringLiteral("%1 は票数がないため、オッズを計算できません。").arg(label));
    const sim::RangeEnds ends = sim::rangeEnds(*figures, n);
    return {Bet{kind, n, figures->total, figures->entryVotes(n), figures->rate, ends.low, ends.high,
                hasOddsRange(kind) ? figures : nullptr},
            {}};
}

}  // namespace

pools::Pool betPool(BetKind kind)
{
    switch (kind) {
    case BetKind::Win:
        return pools::Pool::Win;
    case BetKind::Bracket:
        return pools::Pool::Bracket;
    case BetKind::Quinella:
        return pools::Pool::Quinella;
    case BetKind::Place:
        return pools::Pool::Place;
    case BetKind::Wide:
        return pools::Pool::Wide;
    case BetKind::Exacta:
        return pools::Pool::Exacta;
    case BetKind::Trio:
        return pools::Pool::Trio;
    case BetKind::Trifecta:
        break;
    }
    return pools::Pool::Trifecta;
}

BetKind betKind(pools::Pool pool)
{
    for (BetKind kind : {BetKind::Win, BetKind::Bracket, BetKind::Quinella, BetKind::Place, BetKind::Wide,
                         BetKind::Exacta, BetKind::Trio})
        if (betPool(kind) == pool)
            return kind;
    return BetKind::Trifecta;
}

QString betKindName(BetKind kind)
{
    return pools::pool(betPool(kind)).caption();
}

QString betItemText(BetKind kind, int number)
{
    switch (kind) {
    case BetKind::Win:
    case BetKind::Place:
        return fmt::integer(number, 2);
    case BetKind::Bracket:
    case BetKind::Quinella:
        return pools::pairLabel(pairKind(kind), number);
    default:
        return pools::entryLabel(betPool(kind), number);
    }
}

QString betLabel(BetKind kind, int number)
{
    return betKindName(kind) + u' ' + betItemText(kind, number).remove(u' ');
}

int betCount(const DayData& day, int race, BetKind kind)
{
    if (kind == BetKind::Win || kind == BetKind::Place)
        return std::min(win::registeredRunners(day, race), layout::kMaxWinEntries);
    return pools::pool(betPool(kind)).entries;
}

BetChoice chooseBet(const DayData& day, int race, BetKind kind, int number)
{
    switch (kind) {
    case BetKind::Win:
        return chooseRunner(day, race, number);
    case BetKind::Bracket:
    case BetKind::Quinella:
        return choosePair(day, race, kind, number);
    default:
        return choosePoolEntry(day, race, kind, number);
    }
}

}  // namespace tavek::advice
