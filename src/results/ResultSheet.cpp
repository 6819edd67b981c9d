#include "results/ResultSheet.h"

#include "payoutcheck/PayoutCheck.h"
#include "pools/PoolIndex.h"
#include "racedata/NumberFormat.h"

#include <QStringList>

#include <algorithm>

namespace tavek::results {

namespace {

constexpr int kPlaces = 3;

}  // namespace

ResultSheet resultSheet(const result::RaceResult& result, QByteArrayView voteRecord, QByteArrayView trifectaRecord)
{
    const payoutcheck::FinalVotes votes = payoutcheck::finalVotes(voteRecord, trifectaRecord);
    const pools::RacePayouts computed = payoutcheck::recompute(votes, result);
    ResultSheet sheet;
    sheet.placings = placingsOf(result.order);
    sheet.brackets = votes.sales.brackets;
    for (size_t p = 0; p < size_t(pools::kPoolCount); ++p) {
        const pools::Pool pool = pools::Pool(p);
        const pools::PoolPayout& paid = result.payouts[p];
        if (paid.payouts.empty()) {
            sheet.rows.push_back({pool, 0, 0, 0, false, votes.known[p], -1});
            continue;
        }
        for (const pools::EntryPayout& e : paid.payouts) {
            PayoutRow row{pool, e.entry, e.yen, e.popularity, paid.special, votes.known[p], -1};
            for (const pools::EntryPayout& c : computed[p].payouts)
                if (c.entry == e.entry)
                    row.computed = c.yen;
            sheet.rows.push_back(row);
        }
    }
    return sheet;
}

std::vector<Placing> placingsOf(const pools::FinishingOrder& order)
{
    std::vector<Placing> placings;
    int place = 1;
    for (const std::vector<int>& runners : order.places) {
        if (place > kPlaces || runners.empty())
            break;
        placings.push_back({place, runners});
        place += int(runners.size());
    }
    return placings;
}

QString placeText(int place)
{
    return QStringLiteral("%1着").arg(place);
}

QString runnersText(const Placing& placing)
{
    QStringList runners;
    for (int h : placing.runners)
        runners.append(QString::number(h));
    return runners.join(u'・');
}

QString orderText(const std::vector<Placing>& placings)
{
    if (placings.empty())
        return QStringLiteral("着順不明");
    QStringList places;
    for (const Placing& p : placings)
        places.append(placeText(p.place) + u' ' + runnersText(p)
                      + (p.runners.size() > 1 ? QStringLiteral("（同着）") : QString()));
    return places.join(u'　');
}

QString poolText(const PayoutRow& row)
{
    const QString name = pools::pool(row.pool).caption();
    return row.special ? name + QStringLiteral("（特払）") : name;
}

QString betText(const PayoutRow& row)
{
    return row.entry == 0 ? QStringLiteral("不成立") : pools::entryLabel(row.pool, row.entry);
}

QString yenText(const PayoutRow& row)
{
    return row.entry == 0 ? QString() : fmt::grouped(row.yen, 0);
}

QString popularityText(const PayoutRow& row)
{
    return row.entry == 0 || row.popularity <= 0 ? QString() : QString::number(row.popularity);
}

QString computedText(const PayoutRow& row)
{
    if (row.entry == 0)
        return QString();
    if (!row.votesKnown)
        return QStringLiteral("－");
    return row.computed < 0 ? QStringLiteral("なし") : fmt::grouped(row.computed, 0);
}

bool differs(const PayoutRow& row)
{
    return row.entry != 0 && row.votesKnown && row.computed != row.yen;
}

QStringList rowLabels(bool quickVotes)
{
    return {QStringLiteral("券種"), QStringLiteral("組番"), QStringLiteral("払戻金"), QStringLiteral("人気"),
            quickVotes ? QStringLiteral("計算値(速報)") : QStringLiteral("計算値")};
}

QString payoutSentence(const PayoutRow& row, bool quickVotes)
{
    const QString pool = pools::pool(row.pool).caption();
    if (row.entry == 0)
        return pool + QStringLiteral("：不成立");
    QString paid = QStringLiteral("%1 %2：払戻 %3円").arg(pool, betText(row), yenText(row));
    if (row.special)
        paid += QStringLiteral("（特払）");
    else if (row.popularity > 0)
        paid += QStringLiteral("（%1番人気）").arg(row.popularity);
    const QString votes = quickVotes ? QStringLiteral("速報票数") : QStringLiteral("確定票数");
    if (!row.votesKnown)
        return paid + QStringLiteral("、%1がないため計算できません").arg(votes);
    if (row.computed < 0)
        return paid + QStringLiteral("、%1からの計算では払戻なし（払戻と異なります）").arg(votes);
    return paid
           + QStringLiteral("、%1からの計算 %2円%3")
                 .arg(votes, computedText(row), differs(row) ? QStringLiteral("（払戻と異なります）") : QString());
}

}  // namespace tavek::results
