#include "purchase/model/PurchaseTexts.h"

#include "advisor/model/AdvisorTexts.h"
#include "pools/PoolIndex.h"
#include "value/model/BetValue.h"

#include <algorithm>

namespace tavek::purchase {

namespace {

const QString kNone = QStringLiteral("―");

constexpr Split kSplits[] = {Split::Equal, Split::Payout, Split::Kelly};

QString runnersText(const std::vector<int>& runners)
{
    QStringList texts;
    for (int r : runners)
        texts << QString::number(r);
    return texts.join(u',');
}

QString countText(long long count)
{
    return QStringLiteral("%1点").arg(count);
}

QString percentText(double chance)
{
    return value::chanceText(chance);
}

}  // namespace

QString splitName(Split split)
{
    switch (split) {
    case Split::Equal:
        return QStringLiteral("同額");
    case Split::Payout:
        return QStringLiteral("払戻金をそろえる（均等買い）");
    case Split::Kelly:
        break;
    }
    return QStringLiteral("ケリー");
}

QString splitKey(Split split)
{
    switch (split) {
    case Split::Equal:
        return QStringLiteral("equal");
    case Split::Payout:
        return QStringLiteral("payout");
    case Split::Kelly:
        break;
    }
    return QStringLiteral("kelly");
}

std::optional<Split> splitOf(QStringView key)
{
    for (Split s : kSplits)
        if (key == splitKey(s))
            return s;
    return std::nullopt;
}

QString formName(FormKind kind)
{
    switch (kind) {
    case FormKind::List:
        return QStringLiteral("通常");
    case FormKind::Box:
        return QStringLiteral("ボックス");
    case FormKind::Pivot:
        return QStringLiteral("流し");
    case FormKind::Formation:
        break;
    }
    return QStringLiteral("フォーメーション");
}

QString formKey(FormKind kind)
{
    switch (kind) {
    case FormKind::List:
        return QStringLiteral("list");
    case FormKind::Box:
        return QStringLiteral("box");
    case FormKind::Pivot:
        return QStringLiteral("pivot");
    case FormKind::Formation:
        break;
    }
    return QStringLiteral("formation");
}

QString placeName(pools::Pool pool, int place)
{
    return offersMulti(pool) ? QStringLiteral("%1着").arg(place) : QStringLiteral("%1頭目").arg(place);
}

QString formText(pools::Pool pool, const Form& form)
{
    const int k = pools::pool(pool).runners;
    QStringList parts;
    switch (form.kind) {
    case FormKind::List:
        for (int n : form.bets)
            parts << pools::entryLabel(pool, n);
        return formName(form.kind) + u' ' + parts.join(QStringLiteral(", "));
    case FormKind::Box:
        return formName(form.kind) + u' ' + runnersText(form.runners);
    case FormKind::Pivot:
        // Without マルチ an ordered pool's pivots keep the first places.
        if (offersMulti(pool) && !form.multi) {
            for (size_t i = 0; i < form.pivots.size(); ++i)
                parts << placeName(pool, int(i) + 1) + u' ' + QString::number(form.pivots[i]);
            parts << (int(form.pivots.size()) + 1 < k
                          ? QStringLiteral("%1・%2").arg(placeName(pool, k - 1), placeName(pool, k))
                          : placeName(pool, k))
                         + u' ' + runnersText(form.runners);
            return formName(form.kind) + u' ' + parts.join(QStringLiteral(" / "));
        }
        return formName(form.kind) + QStringLiteral(" 軸 ") + runnersText(form.pivots) + QStringLiteral(" / 相手 ")
               + runnersText(form.runners) + (form.multi ? QStringLiteral("（マルチ）") : QString());
    case FormKind::Formation:
        break;
    }
    for (int i = 0; i < k; ++i)
        parts << placeName(pool, i + 1) + u' ' + runnersText(form.places[size_t(i)]);
    return formName(form.kind) + u' ' + parts.join(QStringLiteral(" / "));
}

QString oddsText(pools::Pool pool, const sim::OddsRange& odds)
{
    if (!odds.has())
        return kNone;
    if (pool == pools::Pool::Place || pool == pools::Pool::Wide)
        return advice::oddsText(odds.low) + u'-' + advice::oddsText(odds.high);
    return advice::oddsText(odds.low);
}

QStringList ticketColumns(bool model)
{
    QStringList columns{QStringLiteral("買い目"),       QStringLiteral("賭け金"), QStringLiteral("現在オッズ"),
                        QStringLiteral("購入後オッズ"), QStringLiteral("払戻金"), QStringLiteral("収支"),
                        QStringLiteral("トリガミ")};
    if (model)
        columns << QStringLiteral("モデル確率");
    return columns;
}

QStringList ticketRow(const Purchase& purchase, const Ticket& t)
{
    const bool bought = t.stake > 0;
    QStringList row{pools::entryLabel(purchase.pool, t.entry),
                    advice::yenText(t.stake),
                    oddsText(purchase.pool, t.oddsNow),
                    oddsText(purchase.pool, t.oddsAfter),
                    bought ? advice::yenText(t.payout) : kNone,
                    advice::signedYenText(purchase.net(t)),
                    purchase.torigami(t) ? QStringLiteral("トリガミ") : QString()};
    // A trifecta's chance is often below 0.01%: one more decimal than the 妙味 tab's.
    if (t.chance >= 0)
        row << QString::number(t.chance * 100, 'f', 3) + u'%';
    return row;
}

QStringList summaryColumns()
{
    return {QString(), QStringLiteral("購入後"), QStringLiteral("現在（購入なし）")};
}

std::vector<SummaryLine> summaryLines(const Purchase& p)
{
    const int bought = p.bought();
    long long low = -1, high = 0, lowNow = -1, highNow = 0;
    int torigami = 0, torigamiNow = 0;
    for (const Ticket& t : p.tickets) {
        if (t.stake <= 0)
            continue;
        low = low < 0 ? t.payout : std::min(low, t.payout);
        high = std::max(high, t.payout);
        if (t.oddsNow.has()) {
            lowNow = lowNow < 0 ? t.payoutNow : std::min(lowNow, t.payoutNow);
            highNow = std::max(highNow, t.payoutNow);
        }
        torigami += p.torigami(t);
        torigamiNow += p.torigamiNow(t);
    }
    const auto yenOrNone = [](long long yen) { return yen < 0 ? kNone : advice::yenText(yen); };
    QString total = advice::yenText(p.total);
    if (p.budget > p.total)
        total += QStringLiteral("（%1のうち）").arg(advice::yenText(p.budget));
    std::vector<SummaryLine> lines{
        {QStringLiteral("点数"),
         bought == int(p.tickets.size())
             ? countText(bought)
             : QStringLiteral("%1（%2点のうち）").arg(countText(bought)).arg(p.tickets.size()),
         QString()},
        {QStringLiteral("合計金額"), total, QString()},
        {QStringLiteral("合成オッズ"), combinedText(p.combinedOdds), combinedText(p.combinedOddsNow)},
        {QStringLiteral("最低払戻金"), yenOrNone(low), yenOrNone(lowNow)},
        {QStringLiteral("最高払戻金"), yenOrNone(low < 0 ? -1 : high), yenOrNone(lowNow < 0 ? -1 : highNow)},
        {QStringLiteral("トリガミ"), countText(torigami), countText(torigamiNow)},
    };
    if (p.hitChance >= 0) {
        lines.push_back({QStringLiteral("的中率"), percentText(p.hitChance), percentText(p.hitChance)});
        const auto yen = [](double v) { return advice::yenText(qRound64(v)); };
        lines.push_back({QStringLiteral("期待払戻金"), yen(p.expectedReturn), yen(p.expectedReturnNow)});
        const auto net = [&](double v) { return advice::signedYenText(qRound64(v) - p.total); };
        lines.push_back({QStringLiteral("期待収支"), net(p.expectedReturn), net(p.expectedReturnNow)});
    }
    return lines;
}

QString noteText(const Purchase& p)
{
    QStringList notes;
    if (!p.leftOut.empty()) {
        QStringList runners;
        for (int r : p.refunded)
            runners << QStringLiteral("%1番").arg(r);
        notes << QStringLiteral("出走取消・競走除外（返還）の%1を含む%2は買いません")
                     .arg(runners.join(u'、'), countText(qsizetype(p.leftOut.size())));
    }
    if (p.bought() == 0)
        notes << QStringLiteral(
            "ケリーの配分では、どの買い目も買わないのが最善です（資金の成長が見込める買い目がありません）");
    return notes.join(u'\n');
}

QString combinedText(double odds)
{
    return odds > 0 ? QString::number(odds, 'f', 2) + QStringLiteral("倍") : kNone;
}

}  // namespace tavek::purchase
